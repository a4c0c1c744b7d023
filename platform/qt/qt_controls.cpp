#include "qt_controls.h"

#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionFocusRect>

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

QValidator::State FirstLineValidator::validate(QString& input, int& position) const
{
    const auto lineBreak = std::find_if(input.cbegin(), input.cend(), [](QChar character) {
        return character == u'\n' || character == u'\r' || character == QChar::LineSeparator || character == QChar::ParagraphSeparator;
    });
    const auto firstLineLength = static_cast<int>(lineBreak - input.cbegin());
    if (firstLineLength < input.size()) {
        input.truncate(firstLineLength);
        position = std::min(position, firstLineLength);
    }
    return Acceptable;
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool keyboardFocus = option->state.testFlag(State_HasFocus) && option->state.testFlag(State_KeyboardFocusChange);
    if (element != CE_PushButton || !keyboardFocus || baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(*option);
    frame.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    frame.backgroundColor = option->palette.button().color();
    drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
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
    reason_.clear();
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

void ListBoxModel::setReason(const QString& reason)
{
    reason_ = reason;
    if (shownRows_ > 0)
        emit dataChanged(index(0), index(0), {Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

QVariant ListBoxModel::data(const QModelIndex& index, int role) const
{
    const bool asked =
        role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole;
    if (!asked || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return index.row() == 0 && !reason_.isEmpty() ? QVariant(reason_) : QVariant();
    const std::string_view line = lines_[static_cast<std::size_t>(index.row())];
    // A screen reader passes over an empty name in silence; "blank" is what
    // it says for an empty line of text.
    if (role == Qt::AccessibleTextRole && line.empty())
        return QStringLiteral("blank");
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
