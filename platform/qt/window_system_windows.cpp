#include "window_system.h"

#include <QByteArray>
#include <QtGlobal>

namespace quillmere::platform {

// Qt's default font engine on Windows, GDI, was seen (under Wine) to draw the
// layout's bold captions in the regular weight; FreeType draws every weight
// and size as on Linux.
void chooseWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

} // namespace quillmere::platform
