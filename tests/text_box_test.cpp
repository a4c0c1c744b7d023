#include "platform/qt/qt_controls.h"

#include <QLineEdit>
#include <QTest>

using quillmere::platform::LineEditTextBox;

class TextBoxTest : public QObject {
    Q_OBJECT

private slots:
    void lineEditTextReachesTheSolverAsUtf8();
};

void TextBoxTest::lineEditTextReachesTheSolverAsUtf8()
{
    QLineEdit edit;
    edit.setText(QStringLiteral("12 \u00bd cups"));
    QCOMPARE(LineEditTextBox(edit).text(), std::string("12 \xc2\xbd cups"));
}

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
