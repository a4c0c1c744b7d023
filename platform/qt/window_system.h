#pragma once

namespace quillmere::platform {

// Qt 6.4 draws its own title bar where a Wayland compositor leaves window
// decorations to the client, and that title bar's maximize ends a window of
// fixed size: the compositor rejects the unchanged size and drops the
// connection. Where the compositor offers no decorations of its own and X11
// is at hand, the program therefore runs through XWayland; elsewhere Qt
// chooses as usual, and on Windows always. A platform the user asked for is
// never overridden. On Windows, DLLs loaded by name are taken from Windows'
// own folder alone. Must run before the application object is made.
void chooseWindowSystem();

// Whatever the window system needs settled before the first window shows:
// nothing on Linux; under Wine, see window_system_windows.cpp. Must run after
// the application object is made.
void settleWindowSystem();

} // namespace quillmere::platform
