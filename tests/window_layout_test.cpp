#include "window_fixture.h"

#include <algorithm>

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

namespace {

// How many pixels a line of text inks, drawn by the font engine in use.
int ink(const QString& text, const QFont& font)
{
    QImage image(QSize(400, 60), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignCenter, text);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        inked += int(std::count_if(row, row + image.width(), [](uchar grey) { return grey < 128; }));
    }
    return inked;
}

} // namespace

class WindowLayoutTest : public QObject, quillmere::testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowFrame();
    void controls_data();
    void controls();
    void fitsTheScreen();
    void fitsTheScreenItMovesTo();
    void tabCycle();
    void focusShowsFromTheStart();
    void enterPressesShowSteps_data();
    void enterPressesShowSteps();
    void enterOnQuitProgramDoesNotShowSteps();
    void accessibleNames_data();
    void accessibleNames();
    void paintsEveryCaption();

private:
    void fitsItsScreen();
};

void WindowLayoutTest::init()
{
    QVERIFY(openWindow());
}

void WindowLayoutTest::cleanup()
{
    window.reset();
}

void WindowLayoutTest::windowFrame()
{
    QCOMPARE(window->objectName(), QStringLiteral("frmQuillmere"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Quillmere"));
    QCOMPARE(window->size(), QSize(313, 622));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!window->windowIcon().isNull());
    const QImage icon(QStringLiteral(":/icons/quillmere.png"));
    QCOMPARE(icon.size(), QSize(48, 48));
    QCOMPARE(icon.format(), QImage::Format_Indexed8);
    QCOMPARE(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 9);
}

void WindowLayoutTest::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("alignment");

    const int none = 0;
    const int centred = Qt::AlignHCenter;
    // clang-format off
    QTest::newRow("cmdStart") << "QPushButton" << "Show Steps" << QRect(8, 576, 141, 33) << 9.75 << true << none;
    QTest::newRow("txtJug1Size") << "QLineEdit" << "" << QRect(8, 32, 89, 25) << 9.75 << false << centred;
    QTest::newRow("txtJug2Size") << "QLineEdit" << "" << QRect(112, 32, 89, 25) << 9.75 << false << centred;
    QTest::newRow("txtTargetAmount") << "QLineEdit" << "" << QRect(216, 32, 89, 25) << 8.25 << false << centred;
    QTest::newRow("Command1") << "QPushButton" << "Quit Program" << QRect(164, 576, 141, 33) << 9.75 << true << none;
    QTest::newRow("lstSteps") << "QListView" << "" << QRect(8, 72, 297, 485) << 8.25 << false << none;
    QTest::newRow("lblJug1Size") << "QLabel" << "Jug #1 Size" << QRect(8, 8, 89, 17) << 8.25 << true << centred;
    QTest::newRow("lblJug2Size") << "QLabel" << "Jug #2 Size" << QRect(112, 8, 89, 17) << 8.25 << true << centred;
    QTest::newRow("lblTargetAmount") << "QLabel" << "Target Amount" << QRect(216, 8, 89, 17) << 8.25 << true << centred;
    // clang-format on
}

void WindowLayoutTest::controls()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(int, alignment);

    QWidget* widget = control(QTest::currentDataTag());
    QCOMPARE(widget->metaObject()->className(), kind);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->font().pointSizeF(), pointSize);
    // What is drawn: MS Sans Serif or one that stands in for it, never a
    // fallback guess, and bold where the layout says so.
    const QFontInfo drawn(widget->font());
    const QStringList families{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"};
    QVERIFY2(drawn.exactMatch() && families.contains(drawn.family()), qPrintable(drawn.family()));
    QCOMPARE(drawn.bold(), bold);
    // Bold as drawn, too: a font engine may pick the bold face and draw the regular one.
    if (bold) {
        QFont regular = widget->font();
        regular.setBold(false);
        const int boldInk = ink(caption, widget->font());
        const int regularInk = ink(caption, regular);
        QVERIFY2(boldInk * 10 > regularInk * 12, qPrintable(QStringLiteral("%1 pixels inked, %2 in regular").arg(boldInk).arg(regularInk)));
    }

    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), caption);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(box->text(), caption);
        QCOMPARE(int(box->alignment() & Qt::AlignHorizontal_Mask), alignment);
    } else if (auto* list = qobject_cast<QListView*>(widget)) {
        QCOMPARE(list->model()->rowCount(), 0);
    }
    // Captions fit their controls, and a line of text fits every control's height.
    if (!caption.isEmpty()) {
        QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(QStringLiteral("needs %1").arg(widget->sizeHint().width())));
        QVERIFY2(widget->sizeHint().height() <= widget->height(), qPrintable(QStringLiteral("needs %1").arg(widget->sizeHint().height())));
    }
    QVERIFY(QFontMetrics(widget->font()).height() <= widget->height());
}

// ctest runs this on small screens at high display scales too: there the
// whole layout is drawn smaller by one factor, and still reads in full. Its
// text is never drawn on the screen at less than half its size at 100 %.
void WindowLayoutTest::fitsTheScreen()
{
    fitsItsScreen();
}

// ctest runs this with a second, smaller screen: moved there, the window fits
// it as soon as the move is handled.
void WindowLayoutTest::fitsTheScreenItMovesTo()
{
    window->move(QGuiApplication::screens().last()->geometry().topLeft());
    QCoreApplication::processEvents();
    QCOMPARE(window->screen(), QGuiApplication::screens().last());
    fitsItsScreen();
}

void WindowLayoutTest::fitsItsScreen()
{
    const QSize designed(313, 622);
    const QScreen* screen = window->screen();
    const QSize available = screen->availableGeometry().size();
    const QMargins frame = window->windowHandle()->frameMargins();
    const QSize room = available.shrunkBy(frame);
    const qreal smallest = 0.5 / screen->devicePixelRatio();
    const qreal fitting = std::min({1.0, qreal(room.width()) / designed.width(), qreal(room.height()) / designed.height()});
    const qreal factor = std::max(fitting, smallest);
    QCOMPARE(window->frameGeometry().height() <= available.height(), fitting >= smallest);
    QCOMPARE(window->size(), QSize(qRound(designed.width() * factor), qRound(designed.height() * factor)));
    QCOMPARE(window->font().pointSizeF(), 8.25 * factor);
    const auto* quit = control<QPushButton>("Command1");
    QCOMPARE(quit->geometry().right() + 1, qRound(305 * factor));
    QCOMPARE(quit->geometry().bottom() + 1, qRound(609 * factor));
    QCOMPARE(quit->font().pointSizeF(), 9.75 * factor);
    // Each caption's text fits inside its control's frame.
    for (const char* name : {"cmdStart", "Command1", "lblJug1Size", "lblJug2Size", "lblTargetAmount"}) {
        const QWidget* captioned = control(name);
        QRect room = captioned->rect();
        QString caption;
        if (const auto* button = qobject_cast<const QPushButton*>(captioned)) {
            QStyleOptionButton option;
            option.initFrom(button);
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            caption = button->text();
        } else {
            caption = qobject_cast<const QLabel*>(captioned)->text();
        }
        const QSize text = captioned->fontMetrics().size(Qt::TextShowMnemonic, caption);
        QVERIFY2(text.width() <= room.width() && text.height() <= room.height(),
                 qPrintable(QStringLiteral("%1: %2x%3 text in %4x%5")
                                .arg(name)
                                .arg(text.width())
                                .arg(text.height())
                                .arg(room.width())
                                .arg(room.height())));
    }
}

void WindowLayoutTest::tabCycle()
{
    QCOMPARE(QApplication::focusWidget(), control("cmdStart"));
    for (const char* next : {"txtJug1Size", "txtJug2Size", "txtTargetAmount", "Command1", "lstSteps", "cmdStart"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(next));
    }
}

// Show Steps is the default button and has the focus at start: it must look
// different once the focus has gone, while it is still the default.
void WindowLayoutTest::focusShowsFromTheStart()
{
    auto* showSteps = control<QPushButton>("cmdStart");
    QVERIFY(showSteps->hasFocus() && showSteps->isDefault());
    const QImage focused = showSteps->grab().toImage();
    control("txtJug1Size")->setFocus();
    QVERIFY(!showSteps->hasFocus() && showSteps->isDefault());
    QVERIFY(showSteps->grab().toImage() != focused);
}

void WindowLayoutTest::enterPressesShowSteps_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char* name : {"cmdStart", "txtJug1Size", "txtJug2Size", "txtTargetAmount", "lstSteps"}) {
        QTest::addRow("Return in %s", name) << name << int(Qt::Key_Return);
        QTest::addRow("keypad Enter in %s", name) << name << int(Qt::Key_Enter);
    }
}

void WindowLayoutTest::enterPressesShowSteps()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    // Coming from Quit Program, which is the default button while it has the focus.
    control("Command1")->setFocus();
    QWidget* focused = control(qPrintable(focus));
    focused->setFocus();
    QVERIFY(control<QPushButton>("cmdStart")->isDefault());
    QVERIFY(!control<QPushButton>("Command1")->isDefault());
    QSignalSpy clicks(control<QPushButton>("cmdStart"), &QPushButton::clicked);
    QTest::keyClick(focused, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(clicks.count(), 1);
}

void WindowLayoutTest::enterOnQuitProgramDoesNotShowSteps()
{
    auto* quit = control<QPushButton>("Command1");
    quit->setFocus();
    QSignalSpy showStepsClicks(control<QPushButton>("cmdStart"), &QPushButton::clicked);
    QSignalSpy quitClicks(quit, &QPushButton::pressed);
    // Only press, not release: the click itself would end the program.
    QTest::keyPress(quit, Qt::Key_Space);
    QCOMPARE(quitClicks.count(), 1);
    QCOMPARE(showStepsClicks.count(), 0);
    QVERIFY(quit->isDefault());
    QVERIFY(!control<QPushButton>("cmdStart")->isDefault());
    // A screen reader is told the same.
    QVERIFY(QAccessible::queryAccessibleInterface(quit)->state().defaultButton);
    QVERIFY(!QAccessible::queryAccessibleInterface(control("cmdStart"))->state().defaultButton);
}

void WindowLayoutTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("txtJug1Size") << "Jug #1 Size";
    QTest::newRow("txtJug2Size") << "Jug #2 Size";
    QTest::newRow("txtTargetAmount") << "Target Amount";
    QTest::newRow("cmdStart") << "Show Steps";
    QTest::newRow("Command1") << "Quit Program";
}

void WindowLayoutTest::accessibleNames()
{
    QFETCH(QString, name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control(QTest::currentDataTag()));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

// What the window paints, saved for a look: each caption is drawn in the
// place its control holds.
void WindowLayoutTest::paintsEveryCaption()
{
    const QImage shot = window->grab().toImage();
    QCOMPARE(shot.size(), QSize(313, 622));
    for (const char* name : {"cmdStart", "Command1", "lblJug1Size", "lblJug2Size", "lblTargetAmount"}) {
        const QRect place = window->findChild<QWidget*>(QLatin1String(name))->geometry();
        int dark = 0;
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x)
                dark += qGray(shot.pixel(x, y)) < 96;
        }
        QVERIFY2(dark > 20, name);
    }
    const QString path = QStringLiteral(QUILLMERE_SCREENSHOT_DIR "/frmQuillmere.png");
    QVERIFY(shot.save(path));
    qInfo("screenshot saved to %s", qPrintable(path));
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
