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
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

QStringList workedExampleLines()
{
    QStringList lines;
    for (const char* line : quillmere::testing::workedExample)
        lines << QString::fromLatin1(line);
    return lines;
}

const QStringList workedExample = workedExampleLines();

} // namespace

class WindowEventsTest : public QObject, quillmere::testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedExampleFromTheKeyboard();
    void untouchedBoxesAreBadUserValues();
    void aSecondShowStepsGivesTheSameList();
    void largestPlanFillsTheList();
    void clickingIntoABoxErasesIt_data();
    void clickingIntoABoxErasesIt();
    void tabbingIntoABoxErasesIt_data();
    void tabbingIntoABoxErasesIt();
    void returningToTheWindowKeepsTheText();
    void aPasteKeepsOneShortLine_data();
    void aPasteKeepsOneShortLine();
    void boxMenuShortcutsDoWhatTheySay();
    void otherXChordsDoNotEndTheProgram_data();
    void otherXChordsDoNotEndTheProgram();
    void runtimeErrorsAreReportedAndTheWindowGoesOn_data();
    void runtimeErrorsAreReportedAndTheWindowGoesOn();
    void showStepsAnnouncesItsOutcome_data();
    void showStepsAnnouncesItsOutcome();

private:
    QStringList listedSteps() const;
    void typeIntoBoxes(const QString& jug1, const QString& jug2, const QString& target);
    QString showStepsAndCloseAnyReport(bool holdingReturn = false);
    QStringList boxesWhileReported; // what the boxes held as the last report was read
};

void WindowEventsTest::init()
{
    QVERIFY(openWindow());
}

void WindowEventsTest::cleanup()
{
    window.reset();
}

QStringList WindowEventsTest::listedSteps() const
{
    const QAbstractItemModel* model = control<QListView>("lstSteps")->model();
    QStringList lines;
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

void WindowEventsTest::typeIntoBoxes(const QString& jug1, const QString& jug2, const QString& target)
{
    // Closing a report leaves activation to the window system; make sure the window has it back.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    control("cmdStart")->setFocus();
    for (const QString& text : {jug1, jug2, target}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
}

// Presses Show Steps, with the mouse or by holding Return down for a while; a
// run-time error report that comes up is read and closed, as a user would.
QString WindowEventsTest::showStepsAndCloseAnyReport(bool holdingReturn)
{
    QString report;
    QObject reportWatch;
    const auto readAndClose = [this, &report] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            report = box->windowTitle() + '|' + box->text() + '|' + box->informativeText();
            boxesWhileReported.clear();
            for (const char* name : {"txtJug1Size", "txtJug2Size", "txtTargetAmount"})
                boxesWhileReported << control<QLineEdit>(name)->text();
            box->accept();
        }
    };
    if (!holdingReturn) {
        QTimer::singleShot(0, &reportWatch, readAndClose);
        QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
        return report;
    }
    // A screen reader echoes the key as it goes down: no report comes up over
    // that echo while the key is held.
    QWidget* focused = QApplication::focusWidget();
    QTest::keyPress(focused, Qt::Key_Return);
    QTest::qWait(200);
    if (QApplication::activeModalWidget())
        return QStringLiteral("a report while Return is held");
    // Read once the longest key press it would otherwise wait for is over.
    QTimer::singleShot(1100, &reportWatch, readAndClose);
    QTest::keyRelease(focused, Qt::Key_Return);
    return report;
}

void WindowEventsTest::workedExampleFromTheKeyboard()
{
    QCOMPARE(QApplication::focusWidget(), control("cmdStart"));
    for (const char* typed : {"3", "5", "4"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), typed);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(listedSteps(), workedExample);
    QCOMPARE(control<QLineEdit>("txtJug1Size")->text(), QStringLiteral("3"));

    // A screen reader reads the same lines.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(control("lstSteps"));
    QVERIFY(list && list->tableInterface());
    QCOMPARE(list->tableInterface()->rowCount(), int(workedExample.size()));
    QCOMPARE(list->tableInterface()->cellAt(3, 0)->text(QAccessible::Name), workedExample.at(3));
    QCOMPARE(list->tableInterface()->cellAt(2, 0)->text(QAccessible::Name), QStringLiteral("blank"));
}

void WindowEventsTest::untouchedBoxesAreBadUserValues()
{
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QCOMPARE(listedSteps(), QStringList{"BAD USER VALUES!"});
}

void WindowEventsTest::aSecondShowStepsGivesTheSameList()
{
    typeIntoBoxes("3", "5", "4");
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QCOMPARE(listedSteps(), workedExample);
}

void WindowEventsTest::largestPlanFillsTheList()
{
    typeIntoBoxes("1", "32766", "32767");
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    const QAbstractItemModel* model = control<QListView>("lstSteps")->model();
    QCOMPARE(model->rowCount(), 196600);
    QCOMPARE(model->index(196598, 0).data().toString(), QString());
    QCOMPARE(model->index(196597, 0).data().toString(), QStringLiteral("1-cup jug:  1        32766-cup jug:  32766"));
    QCOMPARE(model->index(196599, 0).data().toString(), QStringLiteral("DONE!"));
}

void WindowEventsTest::clickingIntoABoxErasesIt_data()
{
    QTest::addColumn<bool>("alreadyFocused");
    for (const char* name : {"txtJug1Size", "txtJug2Size", "txtTargetAmount"}) {
        QTest::addRow("%s", name) << false;
        QTest::addRow("%s again", name) << true;
    }
}

void WindowEventsTest::clickingIntoABoxErasesIt()
{
    QFETCH(bool, alreadyFocused);
    auto* box = control<QLineEdit>(qPrintable(QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0)));
    if (alreadyFocused) {
        box->setFocus();
        QCOMPARE(QApplication::focusWidget(), box);
    }
    box->setText(QStringLiteral("5"));
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->text(), QString());
    QCOMPARE(QApplication::focusWidget(), box);

    box->setText(QStringLiteral("5"));
    QTest::mouseClick(box, Qt::RightButton);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QCOMPARE(box->text(), QStringLiteral("5"));
}

void WindowEventsTest::tabbingIntoABoxErasesIt_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("into");
    QTest::newRow("Tab into jug 1") << "cmdStart" << int(Qt::Key_Tab) << "txtJug1Size";
    QTest::newRow("Tab into jug 2") << "txtJug1Size" << int(Qt::Key_Tab) << "txtJug2Size";
    QTest::newRow("Tab into target") << "txtJug2Size" << int(Qt::Key_Tab) << "txtTargetAmount";
    QTest::newRow("Backtab into target") << "Command1" << int(Qt::Key_Backtab) << "txtTargetAmount";
}

void WindowEventsTest::tabbingIntoABoxErasesIt()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, into);
    auto* box = control<QLineEdit>(qPrintable(into));
    box->setText(QStringLiteral("5"));
    control(qPrintable(from))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->text(), QString());
}

void WindowEventsTest::returningToTheWindowKeepsTheText()
{
    auto* box = control<QLineEdit>("txtJug2Size");
    box->setFocus();
    box->setText(QStringLiteral("5"));
    QFocusEvent comingBack(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(box, &comingBack);
    QCOMPARE(box->text(), QStringLiteral("5"));
}

void WindowEventsTest::aPasteKeepsOneShortLine_data()
{
    QTest::addColumn<bool>("copyThePlan");
    QTest::addColumn<QString>("clipboard"); // when the plan is not copied
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("firstListedLine");

    QTest::newRow("the copied plan") << true << QString() << QString(workedExample.first()) << "BAD USER VALUES!";
    const QString longLine = QStringLiteral("4 ") + QStringLiteral("cups ").repeated(4'000'000);
    QTest::newRow("4 and 20 MB on one line") << false << longLine << longLine.left(32767) << workedExample.first();
}

void WindowEventsTest::aPasteKeepsOneShortLine()
{
    QFETCH(bool, copyThePlan);
    QFETCH(QString, clipboard);
    QFETCH(QString, kept);
    QFETCH(QString, firstListedLine);

    typeIntoBoxes("3", "5", "4");
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    if (copyThePlan) {
        window->findChild<QAction*>(QStringLiteral("mnuSelectAll"))->trigger();
        window->findChild<QAction*>(QStringLiteral("mnuCopy"))->trigger();
    } else {
        QGuiApplication::clipboard()->setText(clipboard);
    }
    auto* target = control<QLineEdit>("txtTargetAmount");
    target->setFocus(Qt::TabFocusReason);
    QTest::keySequence(target, QKeySequence::Paste);
    QCOMPARE(target->text(), kept);
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(listedSteps().first(), firstListedLine);
}

// Ctrl+X ends the program, so the box's menu must not offer it for Cut; every
// key the menu does show must do what its entry does.
void WindowEventsTest::boxMenuShortcutsDoWhatTheySay()
{
    auto* box = control<QLineEdit>("txtJug2Size");
    box->setFocus(Qt::TabFocusReason);
    const auto reset = [box] {
        box->setText(QStringLiteral("12345"));
        box->setSelection(1, 2);
        QTest::keyClicks(box, QStringLiteral("x"));
        box->setSelection(0, 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    };
    const auto outcome = [box] { return box->text() + '|' + QGuiApplication::clipboard()->text(); };
    reset();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, box->rect().center(), box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);

    QStringList entries;
    for (QAction* entry : menu->actions()) {
        if (entry->isSeparator())
            continue;
        const QString shown = entry->text().section('\t', 1);
        entries << entry->text().section('\t', 0, 0).remove('&') + (shown.isEmpty() ? "" : " " + shown);
        if (shown.isEmpty())
            continue;
        reset();
        entry->trigger();
        const QString picked = outcome();
        reset();
        QTest::keySequence(box, QKeySequence(shown, QKeySequence::NativeText));
        QVERIFY2(outcome() == picked, qPrintable(QStringLiteral("%1 gave %2, the entry %3").arg(shown, outcome(), picked)));
    }
    QTest::keyClick(menu, Qt::Key_Escape);
    const QString cut = QKeySequence(Qt::SHIFT | Qt::Key_Delete).toString(QKeySequence::NativeText);
    QCOMPARE(entries.filter(QRegularExpression(QStringLiteral("^Cut"))), QStringList{"Cut " + cut});
    QStringList names;
    for (const QString& entry : entries)
        names << entry.section(' ', 0, 0);
    QCOMPARE(names, (QStringList{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select"}));
    QVERIFY(window->isVisible());
}

void WindowEventsTest::otherXChordsDoNotEndTheProgram_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("X alone") << int(Qt::NoModifier);
    QTest::newRow("Shift+X") << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Shift+X") << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Alt+X") << int(Qt::ControlModifier | Qt::AltModifier);
}

void WindowEventsTest::otherXChordsDoNotEndTheProgram()
{
    QFETCH(int, modifiers);
    typeIntoBoxes("3", "5", "");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::KeyboardModifiers(modifiers));
    if (modifiers == Qt::NoModifier)
        QCOMPARE(control<QLineEdit>("txtTargetAmount")->text(), QStringLiteral("x"));

    // The window still answers.
    control<QLineEdit>("txtTargetAmount")->setText(QStringLiteral("4"));
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QCOMPARE(listedSteps(), workedExample);
}

void WindowEventsTest::runtimeErrorsAreReportedAndTheWindowGoesOn_data()
{
    QTest::addColumn<QString>("jug1");
    QTest::addColumn<QString>("jug2");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("holdingReturn");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("boxToMend");

    const QString overflow = QStringLiteral("|Run-time error '6': Overflow");
    const QString divisionByZero = QStringLiteral("|Run-time error '11': Division by zero");
    const QString enterInstead = QStringLiteral(": enter a whole number of cups from 1 to 32767.");
    // clang-format off
    QTest::newRow("jug 1 too large") << "40000" << "5" << "4" << false
                                     << "Quillmere|Jug #1 Size does not fit" + enterInstead + overflow << "txtJug1Size";
    QTest::newRow("target too small") << "3" << "5" << "-32769" << false
                                      << "Quillmere|Target Amount does not fit" + enterInstead + overflow << "txtTargetAmount";
    QTest::newRow("target too large, Return held") << "3" << "5" << "40000" << true
                                                   << "Quillmere|Target Amount does not fit" + enterInstead + overflow << "txtTargetAmount";
    QTest::newRow("sizes sum overflows") << "20000" << "20000" << "4" << false
                                         << "Quillmere|Jug #1 Size and Jug #2 Size together go beyond the limit of 32767 cups." + overflow
                                         << "txtJug1Size";
    QTest::newRow("negative jug size") << "3" << "-5" << "4" << false
                                       << "Quillmere|Jug #2 Size is negative" + enterInstead + divisionByZero << "txtJug2Size";
    // clang-format on
}

void WindowEventsTest::runtimeErrorsAreReportedAndTheWindowGoesOn()
{
    QFETCH(QString, jug1);
    QFETCH(QString, jug2);
    QFETCH(QString, target);
    QFETCH(bool, holdingReturn);
    QFETCH(QString, report);
    QFETCH(QString, boxToMend);

    typeIntoBoxes("3", "5", "4");
    QCOMPARE(showStepsAndCloseAnyReport(), QString());
    QCOMPARE(listedSteps(), workedExample);

    typeIntoBoxes(jug1, jug2, target);
    QCOMPARE(showStepsAndCloseAnyReport(holdingReturn), report);
    // Nothing is erased while the report is still up.
    QCOMPARE(boxesWhileReported, (QStringList{jug1, jug2, target}));
    QCOMPARE(listedSteps(), QStringList());
    QVERIFY(window->isVisible());
    // The report leads back to the box it names, ready for a new value.
    auto* mend = control<QLineEdit>(qPrintable(boxToMend));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), mend);
    QTest::keyClicks(mend, "7");
    QCOMPARE(mend->text(), QStringLiteral("7"));

    typeIntoBoxes("5", "3", "4");
    QCOMPARE(showStepsAndCloseAnyReport(), QString());
    QCOMPARE(listedSteps().size(), 19);
    QCOMPARE(listedSteps().last(), QStringLiteral("DONE!"));
}

void WindowEventsTest::showStepsAnnouncesItsOutcome_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("announced");
    QTest::addColumn<QString>("rowDescription");

    // clang-format off
    QTest::newRow("plan") << "4" << "The plan in the list has 7 actions." << QString();
    const QString reason = QStringLiteral("The target, 9 cups, is more than both jugs hold together, 8 cups.");
    QTest::newRow("impossible") << "9" << "IMPOSSIBLE! " + reason << reason;
    // clang-format on
}

// Qt's offscreen platform has no accessibility bridge, so no event leaves the
// window here; what a screen reader hears of it is checked with Orca itself.
void WindowEventsTest::showStepsAnnouncesItsOutcome()
{
    QFETCH(QString, target);
    QFETCH(QString, announced);
    QFETCH(QString, rowDescription);

    typeIntoBoxes("3", "5", target);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(control<QObject>("outcomeAnnouncer"));
    QVERIFY(notification);
    QCOMPARE(notification->role(), QAccessible::Notification);
    QCOMPARE(notification->text(QAccessible::Name), announced);
    QCOMPARE(QApplication::focusWidget(), control("txtTargetAmount"));
    // The reason is shown without a mouse: right away, and as its line gets the focus.
    const auto shownReason = [] { return QToolTip::isVisible() ? QToolTip::text() : QString(); };
    QCOMPARE(shownReason(), rowDescription);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    const QListView* list = control<QListView>("lstSteps");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);
    QTRY_COMPARE(shownReason(), rowDescription);
    QCOMPARE(list->currentIndex().row(), 0);
    QVERIFY(!list->selectionModel()->hasSelection());
    QCOMPARE(list->model()->index(0, 0).data(Qt::ToolTipRole).toString(), rowDescription);
    QAccessibleInterface* firstRow = QAccessible::queryAccessibleInterface(control("lstSteps"))->tableInterface()->cellAt(0, 0);
    QCOMPARE(firstRow->text(QAccessible::Description), rowDescription);
}

QTEST_MAIN(WindowEventsTest)
#include "window_events_test.moc"
