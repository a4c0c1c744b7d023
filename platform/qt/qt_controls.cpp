#include "qt_controls.h"

#include <QLabel>
#include <QLineEdit>

namespace quillmere::platform {

std::string LineEditTextBox::text() const
{
    return edit_.text().toStdString();
}

std::string LineEditTextBox::label() const
{
    if (const QWidget* form = edit_.parentWidget()) {
        for (const QLabel* label : form->findChildren<const QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (label->buddy() == &edit_)
                return label->text().toStdString();
        }
    }
    return edit_.objectName().toStdString();
}

ListBoxModel::Batch::Batch(ListBoxModel& model) : model_(model)
{
    model_.batching_ = true;
}

ListBoxModel::Batch::~Batch()
{
    model_.batching_ = false;
    model_.showAddedRows();
}

void ListBoxModel::clear()
{
    beginResetModel();
    lines_.clear();
    shownRows_ = 0;
    endResetModel();
}

void ListBoxModel::addItem(std::string_view line)
{
    lines_.addItem(line);
    if (!batching_)
        showAddedRows();
}

void ListBoxModel::showAddedRows()
{
    if (shownRows_ == lines_.size())
        return;
    beginInsertRows(QModelIndex(), static_cast<int>(shownRows_), static_cast<int>(lines_.size() - 1));
    shownRows_ = lines_.size();
    endInsertRows();
}

QModelIndex ListBoxModel::index(int row, int column, const QModelIndex& parent) const
{
    const bool exists = row >= 0 && static_cast<std::size_t>(row) < shownRows_ && column == 0 && !parent.isValid();
    return exists ? createIndex(row, column) : QModelIndex();
}

int ListBoxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shownRows_);
}

QVariant ListBoxModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const std::string_view line = lines_[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace quillmere::platform
