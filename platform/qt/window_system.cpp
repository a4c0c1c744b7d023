#include "window_system.h"

#include <QByteArray>
#include <QtGlobal>

#if defined(QUILLMERE_WAYLAND_PROBE)
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#endif

namespace quillmere::platform {
namespace {

// Whether the compositor offers server-side decorations: the xdg-decoration
// manager among its globals. True when there is no Wayland to ask.
bool compositorDecoratesWindows()
{
#if defined(QUILLMERE_WAYLAND_PROBE)
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return true;
    bool decorates = false;
    static const wl_registry_listener listener{
        [](void* found, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool*>(found) = true;
        },
        [](void*, wl_registry*, std::uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &decorates);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return decorates;
#else
    return true;
#endif
}

} // namespace

void chooseWindowSystem()
{
    const bool waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") || !waylandSession)
        return;
    if (!compositorDecoratesWindows())
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void settleWindowSystem() {}

} // namespace quillmere::platform
