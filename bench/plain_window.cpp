// The window's widgets in a plain Qt program, with nothing of Quillmere's:
// what start-up costs before the program adds anything of its own.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain Qt"));
    window.setFixedSize(313, 622);
    for (int column = 0; column < 3; ++column) {
        (new QLabel(QStringLiteral("Label"), &window))->setGeometry(8 + 104 * column, 8, 89, 17);
        (new QLineEdit(&window))->setGeometry(8 + 104 * column, 32, 89, 25);
    }
    auto* list = new QListView(&window);
    list->setModel(new QStringListModel(list));
    list->setGeometry(8, 72, 297, 485);
    (new QPushButton(QStringLiteral("Show Steps"), &window))->setGeometry(8, 576, 141, 33);
    (new QPushButton(QStringLiteral("Quit Program"), &window))->setGeometry(164, 576, 141, 33);
    window.show();
    return app.exec();
}
