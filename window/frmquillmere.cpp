#include "frmquillmere.h"

#include "scaled_layout.h"

#include "platform/qt/announcer.h"
#include "platform/qt/qt_controls.h"
#include "platform/runtime_error.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleFactory>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace quillmere {
namespace {

// The layout is drawn in twips, 15 to a device-independent pixel.
constexpr int twipsPerPixel = 15;

QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel);
}

const QSize designedSize = fromTwips(0, 0, 4695, 9330).size();

// The factor, at most 1, by which the whole layout is drawn smaller so that
// the window, in its frame, fits the available area. Text drawn on the screen
// at less than half its size at 100 % is no longer read with ease: on a
// smaller screen still, the window is left larger than the screen. At a
// display scale of 200 % that half is a quarter of the layout's size in
// device-independent pixels.
qreal fittingScale(QMargins frame, QSize available, qreal devicePixelRatio)
{
    const qreal smallest = 0.5 / devicePixelRatio;
    const QSize room = available.shrunkBy(frame);
    const qreal across = qreal(room.width()) / designedSize.width();
    const qreal down = qreal(room.height()) / designedSize.height();
    return std::clamp(std::min(across, down), std::min(smallest, qreal(1)), qreal(1));
}

constexpr qreal defaultPointSize = 8.25;
constexpr qreal largePointSize = 9.75;

// The window is drawn in MS Sans Serif where it scales to the layout's sizes
// and weights. On Windows, and under Wine, it is a bitmap font with no bold:
// there its scalable successor stands in. Elsewhere it is rarely found, and
// Liberation Sans, of close metrics and packaged everywhere, stands in.
const QString& windowFontFamily()
{
    static const QString family = [] {
        const QString msSansSerif = QStringLiteral("MS Sans Serif");
        if (QFontDatabase::isSmoothlyScalable(msSansSerif))
            return msSansSerif;
        for (const char* standIn : {"Microsoft Sans Serif", "Liberation Sans"}) {
            if (QFontDatabase::hasFamily(QLatin1String(standIn)))
                return QString::fromLatin1(standIn);
        }
        return msSansSerif;
    }();
    return family;
}

QFont windowFont(qreal pointSize, bool bold)
{
    QFont font(windowFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

template <typename Control>
Control* place(QWidget* window, const char* name, const QRect& geometry)
{
    auto* control = new Control(window);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A box holds one line of at most 32,767 characters, Qt's limit and Windows'
// own: ample for any number, and short enough to lay out at every blink of the
// caret. What is pasted or dropped into it is cut to its first line.
QLineEdit* placeEntryBox(QWidget* window, const char* name, const QRect& geometry)
{
    auto* box = place<QLineEdit>(window, name, geometry);
    box->setAlignment(Qt::AlignCenter);
    box->setValidator(new platform::FirstLineValidator(box));
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    return box;
}

// Ctrl+X ends the program, so the box's menu shows Cut with a key of its
// own that cuts (Shift+Del), or with none.
void showEntryBoxMenu(QLineEdit& box, const QPoint& position)
{
    QMenu* menu = box.createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString cut = QLineEdit::tr("Cu&t");
    for (QAction* entry : menu->actions()) {
        if (entry->text().section(QLatin1Char('\t'), 0, 0) != cut)
            continue;
        QString text = cut;
        for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Cut)) {
            if (key != QKeySequence(Qt::CTRL | Qt::Key_X)) {
                text += QLatin1Char('\t') + key.toString(QKeySequence::NativeText);
                break;
            }
        }
        entry->setText(text);
    }
    menu->popup(box.mapToGlobal(position));
}

void placeLabel(QWidget* window, const char* name, const QString& caption, const QRect& geometry, QLineEdit* box)
{
    auto* label = place<QLabel>(window, name, geometry);
    label->setText(caption);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(windowFont(defaultPointSize, true));
    label->setBuddy(box);
}

QPushButton* placeButton(QWidget* window, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = place<QPushButton>(window, name, geometry);
    button->setText(caption);
    button->setFont(windowFont(largePointSize, true));
    return button;
}

// Key codes and shift states as the KeyDown handler sees them.
constexpr int keyX = 88;
constexpr int shiftBit = 1;
constexpr int ctrlBit = 2;
constexpr int altBit = 4;
constexpr int ctrlOnly = ctrlBit;

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? shiftBit : 0) | (modifiers & Qt::ControlModifier ? ctrlBit : 0)
        | (modifiers & Qt::AltModifier ? altBit : 0);
}

// Tab, Backtab, a click or a shortcut moving into the box; not the window
// coming back to the front, nor a menu closing over it.
bool entersFromAnotherControl(const QFocusEvent& focus)
{
    return focus.reason() != Qt::ActiveWindowFocusReason && focus.reason() != Qt::PopupFocusReason;
}

bool isClick(const QMouseEvent& mouse, const QWidget& control)
{
    return mouse.button() == Qt::LeftButton && control.rect().contains(mouse.position().toPoint());
}

// Keeps from a screen reader, while it lives, the changes that the window
// makes and the user did not: they would be read as news of their own.
class UnannouncedChange {
public:
    UnannouncedChange() : previous_(QAccessible::installUpdateHandler([](QAccessibleEvent*) {})) {}
    ~UnannouncedChange() { QAccessible::installUpdateHandler(previous_); }
    UnannouncedChange(const UnannouncedChange&) = delete;
    UnannouncedChange& operator=(const UnannouncedChange&) = delete;

private:
    QAccessible::UpdateHandler previous_;
};

bool isEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

FrmQuillmere::FrmQuillmere(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmQuillmere"));
    setWindowTitle(QStringLiteral("Quillmere"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.png")));
    setFont(windowFont(defaultPointSize, false));
    // A window of fixed size offers no maximize: the frame shows none, on X11
    // (its Motif hints) and on Windows alike.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    createControls();
    connectHandlers();
    cmdStart->setFocus();
}

// A window larger than its screen leaves its buttons out of reach. It is
// drawn smaller in proportion instead: the same arrangement, every place,
// size and font shrunk by one factor.
void FrmQuillmere::fitToScreen()
{
    const QWindow* handle = windowHandle();
    if (!handle || !isVisible())
        return;
    const QScreen* shownOn = screen();
    const qreal fitting = fittingScale(handle->frameMargins(), shownOn->availableGeometry().size(), shownOn->devicePixelRatio());
    if (!qFuzzyCompare(fitting, drawing->scale()))
        drawing->setScale(fitting);
}

// The fit is chosen again whenever what it depends on changes: the screen the
// window is on, that screen's size and scale, and the frame, which a window
// manager may add only after the window first shows.
void FrmQuillmere::followScreen()
{
    disconnect(screenWatch);
    screenWatch = connect(screen(), &QScreen::availableGeometryChanged, this, &FrmQuillmere::fitToScreen);
    fitToScreen();
}

void FrmQuillmere::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Where the focus is shows from the start, not only once Tab has been
    // pressed: Show Steps, the default button, would otherwise look the same
    // with the focus as without it. Qt resets this as a window shows.
    setAttribute(Qt::WA_KeyboardFocusChange);
    // Queued: a size set while the window is being moved onto another
    // screen is lost, and the window would keep its old size until it moved again.
    connect(windowHandle(), &QWindow::screenChanged, this, &FrmQuillmere::followScreen,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    followScreen();
}

void FrmQuillmere::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    fitToScreen();
}

void FrmQuillmere::createControls()
{
    drawing = new ScaledLayout(this, designedSize);
    // Created in tab order: Show Steps, the three boxes, Quit Program, the list.
    cmdStart = placeButton(this, "cmdStart", QStringLiteral("Show Steps"), fromTwips(120, 8640, 2115, 495));
    cmdStart->setDefault(true);

    txtJug1Size = placeEntryBox(this, "txtJug1Size", fromTwips(120, 480, 1335, 375));
    txtJug1Size->setFont(windowFont(largePointSize, false));
    txtJug2Size = placeEntryBox(this, "txtJug2Size", fromTwips(1680, 480, 1335, 375));
    txtJug2Size->setFont(windowFont(largePointSize, false));
    txtTargetAmount = placeEntryBox(this, "txtTargetAmount", fromTwips(3240, 480, 1335, 375));

    command1 = placeButton(this, "Command1", QStringLiteral("Quit Program"), fromTwips(2460, 8640, 2115, 495));
    auto* buttonStyle = new platform::FocusFrameStyle(QStyleFactory::create(style()->name()));
    buttonStyle->setParent(this);
    for (QPushButton* button : {cmdStart, command1})
        button->setStyle(buttonStyle);
    // Enter on Quit Program, when it has the focus, presses it, as on Windows.
    command1->setAutoDefault(true);

    stepsModel = new platform::ListBoxModel(this);
    announcer = new platform::Announcer(this);
    announcer->setObjectName(QStringLiteral("outcomeAnnouncer"));
    lstSteps = place<QListView>(this, "lstSteps", fromTwips(120, 1080, 4455, 7275));
    lstSteps->setModel(stepsModel);
    lstSteps->setItemDelegate(new platform::ListBoxDelegate(*stepsModel, lstSteps));
    lstSteps->setUniformItemSizes(true);
    lstSteps->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstSteps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstSteps->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstSteps->setAccessibleName(QStringLiteral("Steps"));

    // The list's own commands, on its context menu and its keys. Nothing cuts:
    // Ctrl+X stays the window's way to end the program.
    mnuCopy = addListCommand("mnuCopy", QStringLiteral("&Copy"), QKeySequence::Copy);
    mnuCopy->setEnabled(false);
    mnuSelectAll = addListCommand("mnuSelectAll", QStringLiteral("Select &All"), QKeySequence::SelectAll);
    lstSteps->setContextMenuPolicy(Qt::ActionsContextMenu);
    // A single-column list has no use for Left and Right: they scroll a wide
    // plan sideways, so it reads in full from the keyboard too.
    scrollLeft = new QShortcut(QKeySequence(Qt::Key_Left), lstSteps, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    scrollRight = new QShortcut(QKeySequence(Qt::Key_Right), lstSteps, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);

    placeLabel(this, "lblJug1Size", QStringLiteral("Jug #1 Size"), fromTwips(120, 120, 1335, 255), txtJug1Size);
    placeLabel(this, "lblJug2Size", QStringLiteral("Jug #2 Size"), fromTwips(1680, 120, 1335, 255), txtJug2Size);
    placeLabel(this, "lblTargetAmount", QStringLiteral("Target Amount"), fromTwips(3240, 120, 1335, 255), txtTargetAmount);

    QWidget::setTabOrder(cmdStart, txtJug1Size);
    QWidget::setTabOrder(txtJug1Size, txtJug2Size);
    QWidget::setTabOrder(txtJug2Size, txtTargetAmount);
    QWidget::setTabOrder(txtTargetAmount, command1);
    QWidget::setTabOrder(command1, lstSteps);

    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        drawing->addControl(control, control->geometry());
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

QAction* FrmQuillmere::addListCommand(const char* name, const QString& text, QKeySequence::StandardKey key)
{
    auto* command = new QAction(text, lstSteps);
    command->setObjectName(QLatin1String(name));
    command->setShortcut(key);
    command->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    command->setShortcutVisibleInContextMenu(true);
    lstSteps->addAction(command);
    return command;
}

void FrmQuillmere::connectHandlers()
{
    connect(cmdStart, &QPushButton::clicked, this, [this] { dispatch([this] { cmdStartClick(); }); });
    connect(command1, &QPushButton::clicked, this, [this] { dispatch([this] { command1Click(); }); });
    connect(mnuCopy, &QAction::triggered, this, [this] { dispatch([this] { mnuCopyClick(); }); });
    connect(mnuSelectAll, &QAction::triggered, lstSteps, &QListView::selectAll);
    for (QLineEdit* box : {txtJug1Size, txtJug2Size, txtTargetAmount})
        connect(box, &QWidget::customContextMenuRequested, box, [box](const QPoint& position) { showEntryBoxMenu(*box, position); });
    QScrollBar* sideways = lstSteps->horizontalScrollBar();
    connect(scrollLeft, &QShortcut::activated, sideways, [sideways] { sideways->triggerAction(QAbstractSlider::SliderSingleStepSub); });
    connect(scrollRight, &QShortcut::activated, sideways, [sideways] { sideways->triggerAction(QAbstractSlider::SliderSingleStepAdd); });

    // A reset of the list drops the selection without a selectionChanged.
    const auto updateCopy = [this] { mnuCopy->setEnabled(lstSteps->selectionModel()->hasSelection()); };
    connect(lstSteps->selectionModel(), &QItemSelectionModel::selectionChanged, this, updateCopy);
    connect(stepsModel, &QAbstractItemModel::modelReset, this, updateCopy);
}

// The window's other events reach its handlers here: key presses before the
// control that has the focus sees them, and the entry boxes' clicks and focus.
bool FrmQuillmere::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!key.isAutoRepeat())
            heldKey = key.key();
        dispatch([&] { frmKeyDown(key.key(), shiftState(key.modifiers())); });
        if (ended)
            return true;
        // Show Steps is the default button: Enter in a control with no use
        // for Enter presses it. Qt does this only inside dialogs.
        if (isEnter(key) && !qobject_cast<QPushButton*>(watched)) {
            cmdStart->click();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!key.isAutoRepeat() && key.key() == heldKey) {
            heldKey = 0;
            showPendingReport();
        }
        break;
    }
    case QEvent::FocusIn:
        if (auto* box = entryBox(watched); box && entersFromAnotherControl(static_cast<const QFocusEvent&>(*event))) {
            dispatch([&] { entryBoxEntered(*box); });
        }
        // The list itself is announced once it has the focus; its current
        // line follows.
        if (watched == lstSteps) {
            QMetaObject::invokeMethod(this, &FrmQuillmere::announceCurrentLine, Qt::QueuedConnection);
            QMetaObject::invokeMethod(this, &FrmQuillmere::showCurrentReason, Qt::QueuedConnection);
        }
        followDefault(watched, static_cast<const QFocusEvent&>(*event), true);
        break;
    case QEvent::FocusOut: followDefault(watched, static_cast<const QFocusEvent&>(*event), false); break;

    case QEvent::MouseButtonRelease:
        if (auto* box = entryBox(watched); box && isClick(static_cast<const QMouseEvent&>(*event), *box))
            dispatch([&] { entryBoxEntered(*box); });
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

// The size is fixed: a maximize that a window manager or compositor applies
// anyway is undone at once.
void FrmQuillmere::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && windowState().testFlag(Qt::WindowMaximized))
        setWindowState(windowState() & ~Qt::WindowMaximized);
    // A key let go in another window is not held here any more.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        heldKey = 0;
    QWidget::changeEvent(event);
}

void FrmQuillmere::closeEvent(QCloseEvent* event)
{
    dispatch([this] { frmUnload(); });
    QWidget::closeEvent(event);
}

// Where every event enters the program's handlers, and the one place a
// run-time error is caught: the handler is abandoned where the error arose,
// the error is reported, and the window goes on.
template <typename Handler>
void FrmQuillmere::dispatch(Handler&& handler)
{
    if (ended)
        return;
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        report(error);
    }
}

// The report of a run-time error raised by a key press waits for the key's
// release: a screen reader echoes the key as it goes down, and that echo,
// spoken after the report appeared, would cut off its reading.
//
// The report leads with what to change; the error's number and name follow.
void FrmQuillmere::report(const platform::RuntimeError& error)
{
    const QString runTimeError = QStringLiteral("Run-time error '%1': %2").arg(error.number()).arg(QString::fromUtf8(error.what()));
    const QString cause = QString::fromStdString(error.cause());
    auto* box = new QMessageBox(QMessageBox::Critical, windowTitle(), cause.isEmpty() ? runTimeError : cause, QMessageBox::Ok, this);
    if (!cause.isEmpty())
        box->setInformativeText(runTimeError);
    // In the window's font, not the message font a platform may give every
    // message box, which the window's stand-in fonts may not include.
    box->setFont(font());
    box->setAttribute(Qt::WA_DeleteOnClose);
    delete pendingReport;
    pendingReport = box;
    boxToMend = entryBoxLabelled(error.box());
    if (heldKey == 0) {
        showPendingReport();
        return;
    }
    // A release that never comes here (the focus moved away) still lets it show.
    constexpr int longestKeyPressMs = 1000;
    QTimer::singleShot(longestKeyPressMs, box, [this] { showPendingReport(); });
}

void FrmQuillmere::showPendingReport()
{
    QMessageBox* box = pendingReport;
    if (!box)
        return;
    pendingReport = nullptr;
    const QPointer<QLineEdit> named = std::exchange(boxToMend, nullptr);
    box->exec();
    // Back to the box the report names, ready for a new value.
    if (named) {
        entryBoxEntered(*named);
        named->setFocus(Qt::OtherFocusReason);
    }
}

void FrmQuillmere::cmdStartClick()
{
    const platform::LineEditTextBox jug1Size(*txtJug1Size);
    const platform::LineEditTextBox jug2Size(*txtJug2Size);
    const platform::LineEditTextBox targetAmount(*txtTargetAmount);
    Outcome outcome;
    {
        const platform::ListBoxModel::Batch batch(*stepsModel);
        outcome = showSteps({jug1Size, jug2Size, targetAmount, *stepsModel}, quantities);
        stepsModel->setReason(QString::fromStdString(outcome.reason));
    }
    // Every plan reads from its start, whatever the last one's view was.
    lstSteps->scrollToTop();
    lstSteps->horizontalScrollBar()->setValue(0);
    announcer->announce(QString::fromStdString(outcome.announcement));
    showReason(stepsModel->index(0));
    // The first line is the current one. A list without the focus makes it so
    // itself as the focus comes in; made current now, a long plan would be
    // laid out twice, and the line announced as if the list had the focus.
    if (lstSteps->hasFocus())
        lstSteps->selectionModel()->setCurrentIndex(stepsModel->index(0), QItemSelectionModel::NoUpdate);
}

void FrmQuillmere::mnuCopyClick()
{
    QGuiApplication::clipboard()->setText(stepsModel->text(lstSteps->selectionModel()->selection()));
}

void FrmQuillmere::command1Click()
{
    endProgram();
}

// An entry box erases itself whenever it is entered, so a value is always
// typed afresh rather than edited in place.
void FrmQuillmere::entryBoxEntered(QLineEdit& box)
{
    // Qt tells a screen reader of the focus only after the box has seen it.
    // Told of the erase first, the reader takes its caret move for the focus
    // arriving and never names the box; told nothing, it finds the box empty.
    const UnannouncedChange erase;
    box.clear();
}

void FrmQuillmere::frmKeyDown(int keyCode, int shift)
{
    if (keyCode == keyX && shift == ctrlOnly)
        endProgram();
}

void FrmQuillmere::frmUnload()
{
    endProgram();
}

void FrmQuillmere::announceCurrentLine()
{
    const QModelIndex current = lstSteps->currentIndex();
    if (!lstSteps->hasFocus() || !current.isValid())
        return;
    QAccessibleEvent focus(lstSteps, QAccessible::Focus);
    focus.setChild(current.row());
    QAccessible::updateAccessibility(&focus);
}

// Quit Program, while it has the focus, is what Enter presses: it alone then
// looks like the default button and is reported as one. Qt makes it the
// default as it takes the focus, but takes that from Show Steps only in a
// dialog.
void FrmQuillmere::followDefault(QObject* watched, const QFocusEvent& focus, bool focusIn)
{
    if (watched == command1 && focus.reason() != Qt::PopupFocusReason)
        cmdStart->setDefault(!focusIn);
}

// Why the list holds its one line is that line's tooltip: shown to the
// keyboard too, as the list takes the focus and right after Show Steps. A
// screen reader reads the reason with the line, so the tooltip is kept from it.
void FrmQuillmere::showReason(const QModelIndex& line)
{
    const QString reason = line.data(Qt::ToolTipRole).toString();
    if (reason.isEmpty())
        return;
    const QRect place = lstSteps->visualRect(line);
    const UnannouncedChange tooltip;
    QToolTip::showText(lstSteps->viewport()->mapToGlobal(place.bottomLeft()), reason, lstSteps->viewport(), place);
}

void FrmQuillmere::showCurrentReason()
{
    if (lstSteps->hasFocus())
        showReason(lstSteps->currentIndex());
}

void FrmQuillmere::endProgram()
{
    ended = true;
    QCoreApplication::exit(0);
}

QLineEdit* FrmQuillmere::entryBoxLabelled(const std::string& label) const
{
    for (QLineEdit* box : {txtJug1Size, txtJug2Size, txtTargetAmount}) {
        if (platform::LineEditTextBox(*box).label() == label)
            return box;
    }
    return nullptr;
}

QLineEdit* FrmQuillmere::entryBox(QObject* control) const
{
    for (QLineEdit* box : {txtJug1Size, txtJug2Size, txtTargetAmount}) {
        if (control == box)
            return box;
    }
    return nullptr;
}

} // namespace quillmere
