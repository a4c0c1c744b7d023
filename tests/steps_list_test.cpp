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
    void contextMenuSelectsAllAndCopies();

private:
    QListView* list() const { return control<QListView>("lstSteps"); }
    void showSteps(const QString& jug1, const QString& jug2, const QString& target);
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {});
    QStringList pickFromContextMenu(const QString& name);
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

    QTest::newRow("one short line") << "0" << "5" << "4" << false;
    QTest::newRow("worked example") << "3" << "5" << "4" << false;
    QTest::newRow("five-digit sizes") << "12345" << "20000" << "5" << true;
    QTest::newRow("largest plan") << "1" << "32766" << "32767" << true;
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

    showSteps("12345", "20000", "5"); // the width of the run before must not linger
    showSteps(jug1, jug2, target);
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
    QVERIFY2(shown.width() - 2 * textMargin >= widestText, qPrintable(QStringLiteral("%1 px row for a %2 px line").arg(shown.width()).arg(widestText)));
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
    QTest::newRow("one line") << QList<int>{3} << 0 << 0 << QString(plan[3]);
    QTest::newRow("Shift+click over a blank line") << QList<int>{1, 3} << int(Qt::ShiftModifier) << 0
                                                   << QStringLiteral("%1\n\n%2").arg(plan[1], plan[3]);
    QTest::newRow("Ctrl+click, copied in list order") << QList<int>{21, 2, 0} << int(Qt::ControlModifier) << 0
                                                      << QStringLiteral("%1\n\n%2").arg(plan[0], plan[21]);
    QTest::newRow("Shift+Down onto a blank line") << QList<int>{0} << 0 << 2 << QStringLiteral("%1\n%2\n").arg(plan[0], plan[1]);
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

// Opens the list's context menu, as the Menu key does, and picks the entry
// with this object name; the menu's entries and whether each could be picked
// are returned.
QStringList StepsListTest::pickFromContextMenu(const QString& name)
{
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
        if (picked)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(picked).center());
        else
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    const QPoint below = list()->viewport()->rect().bottomLeft() + QPoint(20, -20);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, below, list()->viewport()->mapToGlobal(below));
    QApplication::sendEvent(list()->viewport(), &menuKey);
    return entries;
}

void StepsListTest::contextMenuSelectsAllAndCopies()
{
    showSteps("3", "5", "4");
    auto* copy = window->findChild<QAction*>(QStringLiteral("mnuCopy"));
    auto* selectAll = window->findChild<QAction*>(QStringLiteral("mnuSelectAll"));
    QVERIFY(copy && selectAll);
    QCOMPARE(copy->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(selectAll->shortcut(), QKeySequence(QKeySequence::SelectAll));
    QVERIFY(copy->isShortcutVisibleInContextMenu() && selectAll->isShortcutVisibleInContextMenu());

    QCOMPARE(pickFromContextMenu("mnuSelectAll"), (QStringList{"mnuCopy (greyed)", "mnuSelectAll"}));
    QCOMPARE(pickFromContextMenu("mnuCopy"), (QStringList{"mnuCopy", "mnuSelectAll"}));
    QStringList plan;
    for (const char* line : quillmere::testing::workedExample)
        plan << line;
    QCOMPARE(QGuiApplication::clipboard()->text(), plan.join('\n'));
    QCOMPARE(list()->model()->rowCount(), int(plan.size()));

    showSteps("5", "3", "4");
    QVERIFY(!list()->selectionModel()->hasSelection());
    QVERIFY(!copy->isEnabled());
}

QTEST_MAIN(StepsListTest)
#include "steps_list_test.moc"
