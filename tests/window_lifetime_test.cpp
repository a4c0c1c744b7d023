// Each case ends the program, which stops every event loop of the process for
// good; ctest therefore runs each case in a process of its own.

#include "window_fixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

class WindowLifetimeTest : public QObject, quillmere::testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quitProgramEnds();
    void enterOnQuitProgramEnds();
    void ctrlXEnds_data();
    void ctrlXEnds();
    void closingTheWindowEnds();

private:
    bool endsTheProgram(const std::function<void()>& action);
    void verifyNoHandlerRunsAfterTheEnd();
};

void WindowLifetimeTest::init()
{
    QVERIFY(openWindow());
}

void WindowLifetimeTest::cleanup()
{
    window.reset();
}

// Runs the action inside an event loop and tells whether it asked the
// application to leave its event loops with exit status 0.
bool WindowLifetimeTest::endsTheProgram(const std::function<void()>& action)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        action();
        if (loop.isRunning())
            loop.exit(1);
    });
    return loop.exec() == 0;
}

void WindowLifetimeTest::verifyNoHandlerRunsAfterTheEnd()
{
    auto* box = qobject_cast<QLineEdit*>(control("txtJug1Size"));
    box->setText(QStringLiteral("3"));
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("3"));
    QTest::mouseClick(control("cmdStart"), Qt::LeftButton);
    QCOMPARE(qobject_cast<QListView*>(control("lstSteps"))->model()->rowCount(), 0);
}

void WindowLifetimeTest::quitProgramEnds()
{
    QVERIFY(endsTheProgram([this] { QTest::mouseClick(control("Command1"), Qt::LeftButton); }));
    verifyNoHandlerRunsAfterTheEnd();
}

void WindowLifetimeTest::enterOnQuitProgramEnds()
{
    QVERIFY(endsTheProgram([this] {
        control("Command1")->setFocus();
        QTest::keyClick(control("Command1"), Qt::Key_Return);
    }));
    verifyNoHandlerRunsAfterTheEnd();
}

void WindowLifetimeTest::ctrlXEnds_data()
{
    QTest::addColumn<QString>("focus");
    for (const char* name : {"cmdStart", "txtJug1Size", "txtJug2Size", "txtTargetAmount", "Command1", "lstSteps"})
        QTest::newRow(name) << name;
}

void WindowLifetimeTest::ctrlXEnds()
{
    QFETCH(QString, focus);
    QWidget* focused = control(qPrintable(focus));
    focused->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(focused)) {
        QTest::keyClicks(box, QStringLiteral("35"));
        box->selectAll();
    }
    auto* list = qobject_cast<QListView*>(focused);
    if (list) {
        QTest::keyClick(list, Qt::Key_Return); // Show Steps with empty boxes
        QTest::keySequence(list, QKeySequence::SelectAll);
        QVERIFY(list->selectionModel()->hasSelection());
    }
    QVERIFY(endsTheProgram([focused] { QTest::keyClick(focused, Qt::Key_X, Qt::ControlModifier); }));
    if (auto* box = qobject_cast<QLineEdit*>(focused))
        QCOMPARE(box->text(), QStringLiteral("35")); // not cut
    if (list)
        QCOMPARE(list->model()->rowCount(), 1);
}

void WindowLifetimeTest::closingTheWindowEnds()
{
    QVERIFY(endsTheProgram([this] { window->close(); }));
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(WindowLifetimeTest)
#include "window_lifetime_test.moc"
