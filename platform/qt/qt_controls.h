#pragma once

// The Qt side of the control interfaces: the window's real text boxes and
// list box, as the solver sees them.

#include "platform/controls.h"
#include "platform/line_list.h"

#include <QAbstractListModel>
#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QValidator>

#include <cstddef>
#include <string>
#include <string_view>

class QItemSelection;
class QLineEdit;

namespace quillmere::platform {

class LineEditTextBox final : public TextBox {
public:
    explicit LineEditTextBox(const QLineEdit& edit) : edit_(edit) {}
    std::string text() const override;
    // The text of the label that names the box (its buddy), as a screen
    // reader announces it; the box's object name when it has none.
    std::string label() const override;

private:
    const QLineEdit& edit_;
};

// Keeps a single-line text box to the first line of what is put into it, as
// Windows' own text boxes keep the first line of a paste.
class FirstLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// Marks the keyboard focus on a push button with the style's own focus
// frame, where the style has no mark of its own for it: Fusion draws a
// focused button and the default button with the same outline, so the
// default button looked the same with the focus as without it.
class FocusFrameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
};

// A list box's lines as a model for a QListView. The lines stay in their
// compact store; display strings are made only for the rows a view asks for,
// so a plan of a couple of hundred thousand lines shows at once.
class ListBoxModel final : public QAbstractListModel, public ListBox {
    Q_OBJECT

public:
    // Rows appended while a Batch lives reach the views together when it
    // ends, however it ends.
    class Batch {
    public:
        explicit Batch(ListBoxModel& model);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ListBoxModel& model_;
    };

    using QAbstractListModel::QAbstractListModel;

    void clear() override;
    void addItem(std::string_view line) override;

    // Views ask for an index of every row when they lay out; answering
    // without the generic checks' virtual calls keeps that cheap.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Why the list holds its one line, shown as that line's tooltip and read
    // as its description. Cleared with the lines.
    void setReason(const QString& reason);

    // The longest line shown, in characters; invalid when the list is empty.
    QModelIndex longestLine() const;
    // The selected lines in list order, joined by line feeds.
    QString text(const QItemSelection& selection) const;

private:
    void showAddedRows();

    LineList lines_;
    QString reason_;
    std::size_t shownRows_ = 0;
    bool batching_ = false;
};

// Sizes every row of a uniform-row list view as its longest line, so no line
// is cut short and the view scrolls sideways exactly to that line's end. The
// lines share their words and digits are all one width, so the longest line in
// characters is also the widest on screen.
class ListBoxDelegate final : public QStyledItemDelegate {
public:
    ListBoxDelegate(const ListBoxModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const ListBoxModel& model_;
};

} // namespace quillmere::platform
