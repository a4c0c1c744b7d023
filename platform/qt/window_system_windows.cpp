#include "window_system.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <windows.h>

namespace quillmere::platform {
namespace {

bool runsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

// Windows itself: Qt's own choices, its text engine and style included.
//
// Whatever is loaded from now on by bare name (UI Automation's core, the
// first time a screen reader asks for the window, among others) comes from
// Windows' own folder, never from beside the program or the current folder,
// where anyone who can put a file there would run code in it. Qt loads its
// plugins by full path, and what they import besides Windows is loaded by now.
void chooseWindowSystem()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

// Qt's Windows 10 style draws a selected list line with the help of a hidden
// top-level window, made the first time it draws one. Wine gives that window
// the keyboard, and the program's window takes no more keys. Drawn once here,
// before the program's window shows, the helper is made while it can take
// nothing from it. Windows does not move the keyboard, so this is for Wine alone.
void settleWindowSystem()
{
    if (!runsUnderWine())
        return;
    QListView list;
    QStyleOptionViewItem line;
    line.initFrom(&list);
    line.rect = QRect(0, 0, 16, 16);
    line.state |= QStyle::State_Selected | QStyle::State_Active;
    QPixmap canvas(line.rect.size());
    QPainter painter(&canvas);
    QApplication::style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &line, &painter, &list);
}

} // namespace quillmere::platform
