#include "window_fixture.h"
#include "worked_example.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

class StepsListTest : public QObject, quillmere::testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyLineReadsInFull_data();
    void everyLineReadsInFull();
    void copiesTheSelectedLines_data();
    void copiesTheSelectedLines();
    void contextMenuCopies();

private:
    QListView* list() const { return control<QListView>("lstSteps"); }
    void showSteps(const QString& jug1, const QString& jug2, const QString& target);
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {});
    QStringList pickFromContextMenu(int row, const QString& name);
};

void StepsListTest::init()
{
    QVERIFY(openWindow());
}

void StepsListTest::cleanup()
{
    window.reset();
}

void StepsListTest::showSteps(const QString& jug1, const QString& jug2, const QString& target)
{
    control<QLineEdit>("txtJug1Size")->setText(jug1);
    control<QLineEdit>("txtJug2Size")->setText(jug2);
    control<QLineEdit>("txtTargetAmount")->setText(target);
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QApplication::processEvents();
}

void StepsListTest::clickRow(int row, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = list()->model()->index(row, 0);
    list()->scrollTo(index);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, list()->visualRect(index).center());
}

void StepsListTest::everyLineReadsInFull_data()
{
    QTest::addColumn<QString>("jug1");
    QTest::addColumn<QString>("jug2");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("scrollsSideways");

    // clang-format off
    QTest::newRow("one short line") << "0" << "5" << "4" << false;
    QTest::newRow("worked example") << "3" << "5" << "4" << false;
    QTest::newRow("five-digit sizes") << "12345" << "20000" << "5" << true;
    QTest::newRow("largest plan") << "1" << "32766" << "32767" << true;
    // clang-format on
}

// The row size must hold the widest line, measured here line by line, without
// eliding it; the view scrolls sideways exactly to its end, and a screen
// reader is given the whole row.
void StepsListTest::everyLineReadsInFull()
{
    QFETCH(QString, jug1);
    QFETCH(QString, jug2);
    QFETCH(QString, target);
    QFETCH(bool, scrollsSideways);

    // Neither the width of the run before nor where it was scrolled to may linger.
    showSteps("12345", "20000", "5");
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_End);
    QTest::keyClick(list(), Qt::Key_Right);
    QVERIFY(list()->verticalScrollBar()->value() > 0 && list()->horizontalScrollBar()->value() > 0);
    showSteps(jug1, jug2, target);
    QCOMPARE(list()->indexAt(QPoint(0, 0)).row(), 0);
    QCOMPARE(list()->horizontalScrollBar()->value(), 0);
    const QAbstractItemModel* model = list()->model();
    const QFontMetrics metrics = list()->fontMetrics();
    int widestRow = 0;
    int widestText = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const int width = metrics.horizontalAdvance(model->index(row, 0).data().toString());
        if (width > widestText) {
            widestRow = row;
            widestText = width;
        }
    }
    const QModelIndex widest = model->index(widestRow, 0);
    const int textMargin = list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1;

    QScrollBar* sideways = list()->horizontalScrollBar();
    QCOMPARE(sideways->maximum() > 0, scrollsSideways);
    list()->scrollTo(widest);
    list()->setFocus();
    for (int press = 0; press < 100 && sideways->value() < sideways->maximum(); ++press)
        QTest::keyClick(list(), Qt::Key_Right);
    const QRect shown = list()->visualRect(widest);
    QVERIFY2(shown.width() - 2 * textMargin >= widestText,
             qPrintable(QStringLiteral("%1 px row for a %2 px line").arg(shown.width()).arg(widestText)));
    QCOMPARE(list()->visualRect(model->index(0, 0)).width(), shown.width());
    if (scrollsSideways)
        QCOMPARE(shown.right() + 1, list()->viewport()->width());

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list());
    QCOMPARE(table->tableInterface()->cellAt(widestRow, 0)->rect().width(), shown.width());
}

void StepsListTest::copiesTheSelectedLines_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("modifiers"); // held for every click after the first
    QTest::addColumn<int>("shiftDowns");
    QTest::addColumn<QString>("copied");

    const auto& plan = quillmere::testing::workedExample;
    // clang-format off
    QTest::newRow("one line") << QList<int>{3} << 0 << 0 << QString(plan[3]);
    QTest::newRow("Shift+click over a blank line") << QList<int>{1, 3} << int(Qt::ShiftModifier) << 0
                                                   << QStringLiteral("%1\n\n%2").arg(plan[1], plan[3]);
    QTest::newRow("Ctrl+click, copied in list order") << QList<int>{21, 2, 0} << int(Qt::ControlModifier) << 0
                                                      << QStringLiteral("%1\n\n%2").arg(plan[0], plan[21]);
    QTest::newRow("Shift+Down onto a blank line") << QList<int>{0} << 0 << 2 << QStringLiteral("%1\n%2\n").arg(plan[0], plan[1]);
    // clang-format on
}

void StepsListTest::copiesTheSelectedLines()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, modifiers);
    QFETCH(int, shiftDowns);
    QFETCH(QString, copied);

    showSteps("3", "5", "4");
    for (int click = 0; click < clicks.size(); ++click)
        clickRow(clicks[click], click == 0 ? Qt::NoModifier : Qt::KeyboardModifiers(modifiers));
    for (int down = 0; down < shiftDowns; ++down)
        QTest::keyClick(list(), Qt::Key_Down, Qt::ShiftModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(list(), QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QCOMPARE(list()->model()->rowCount(), int(quillmere::testing::workedExample.size()));
}

// Opens the list's context menu, on the given row with the right button or,
// for row -1, with the keyboard's menu key, and picks the named entry as a
// user does; returns the menu's entries as they stood.
QStringList StepsListTest::pickFromContextMenu(int row, const QString& name)
{
    const bool onRow = row >= 0;
    const QPoint at =
        onRow ? list()->visualRect(list()->model()->index(row, 0)).center() : list()->viewport()->rect().bottomLeft() + QPoint(20, -20);
    QStringList entries;
    QTimer::singleShot(0, list(), [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* picked = nullptr;
        for (QAction* entry : menu->actions()) {
            entries << entry->objectName() + (entry->isEnabled() ? "" : " (greyed)");
            if (entry->objectName() == name)
                picked = entry;
        }
        if (!picked || !picked->isEnabled()) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        if (onRow)
            QTest::mouseRelease(menu, Qt::RightButton, {}, menu->mapFromGlobal(list()->viewport()->mapToGlobal(at)));
        // A pointer on its way to the entry: Qt 6.8 takes a release as a
        // pick only once the pointer has moved since the menu opened.
        const QPoint target = menu->actionGeometry(picked).center();
        for (int step = 8; step >= 0; --step)
            QTest::mouseMove(menu, target + QPoint(step, 0));
        QTest::mouseClick(menu, Qt::LeftButton, {}, target);
    });
    // A right-click as Qt 6.8 delivers it on Linux: the press selects the row
    // under the pointer and opens the menu, and the button is let go over the
    // menu. (Qt 6.4 opens the menu on the release, after the same press.)
    if (onRow)
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent menuEvent(onRow ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, at, list()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list()->viewport(), &menuEvent);
    return entries;
}

void StepsListTest::contextMenuCopies()
{
    showSteps("3", "5", "4");
    auto* copy = window->findChild<QAction*>(QStringLiteral("mnuCopy"));
    auto* selectAll = window->findChild<QAction*>(QStringLiteral("mnuSelectAll"));
    QVERIFY(copy && selectAll);
    QCOMPARE(copy->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(selectAll->shortcut(), QKeySequence(QKeySequence::SelectAll));
    QVERIFY(copy->isShortcutVisibleInContextMenu() && selectAll->isShortcutVisibleInContextMenu());

    QStringList plan;
    for (const char* line : quillmere::testing::workedExample)
        plan << line;
    // A right-click on a line selects it, and Copy takes it.
    QCOMPARE(pickFromContextMenu(1, "mnuCopy"), (QStringList{"mnuCopy", "mnuSelectAll"}));
    QCOMPARE(QGuiApplication::clipboard()->text(), plan.at(1));

    const int menuKey = -1;
    QCOMPARE(pickFromContextMenu(menuKey, "mnuSelectAll"), (QStringList{"mnuCopy", "mnuSelectAll"}));
    QCOMPARE(pickFromContextMenu(menuKey, "mnuCopy"), (QStringList{"mnuCopy", "mnuSelectAll"}));
    QCOMPARE(QGuiApplication::clipboard()->text(), plan.join('\n'));
    QCOMPARE(list()->model()->rowCount(), int(plan.size()));

    showSteps("5", "3", "4");
    QVERIFY(!list()->selectionModel()->hasSelection());
    QVERIFY(!copy->isEnabled());
}

QTEST_MAIN(StepsListTest)
#include "steps_list_test.moc"
