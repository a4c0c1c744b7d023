#include "platform/qt/window_system.h"
#include "window/frmquillmere.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    quillmere::platform::chooseWindowSystem();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLMERE_APPLICATION_ID));
    quillmere::platform::settleWindowSystem();

    quillmere::FrmQuillmere window;
    window.show();
    return app.exec();
}
