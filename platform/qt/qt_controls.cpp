#include "qt_controls.h"

#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <utility>
#include <vector>

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

QModelIndex ListBoxModel::longestLine() const
{
    return index(static_cast<int>(lines_.longestRow()));
}

QString ListBoxModel::text(const QItemSelection& selection) const
{
    // Ranges come in the order they were selected and may overlap.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selection) {
        if (range.isValid() && !range.parent().isValid())
            ranges.emplace_back(range.top(), std::min(range.bottom(), rowCount() - 1));
    }
    std::sort(ranges.begin(), ranges.end());

    std::string joined;
    bool first = true;
    int uncopiedRow = 0;
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, uncopiedRow); row <= bottom; ++row) {
            if (!first)
                joined += '\n';
            first = false;
            joined += lines_[static_cast<std::size_t>(row)];
        }
        uncopiedRow = std::max(uncopiedRow, bottom + 1);
    }
    return QString::fromUtf8(joined.data(), static_cast<qsizetype>(joined.size()));
}

QSize ListBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QModelIndex longest = model_.longestLine();
    return QStyledItemDelegate::sizeHint(option, longest.isValid() ? longest : index);
}

} // namespace quillmere::platform
