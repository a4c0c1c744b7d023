#!/usr/bin/python3
"""Checks how real window managers and Wayland compositors treat the window.

    tests/desktop/desktop_test.py build/bin/quillmere app/org.quillmere.Quillmere.desktop

X11: under Openbox, the window's WM_CLASS must match the desktop entry as
GNOME Shell matches them, its Motif hints must offer no maximize, a maximize
through the window manager must leave its size, and closing it through the
window manager must end the program with status 0. Wayland: under headless
Weston, which leaves decorations to clients, the program must run through
XWayland and survive a maximize; under headless sway, which decorates windows
itself, it must run natively, announce its application id and fixed size, and
survive the compositor's fullscreen request (sway has no maximize). Every
wait is bounded and ends on what is observed. The X11 part runs on an X
display of the test's own.
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

# The shared helpers live one folder up, so the path is set before they are imported.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from real_clients import (SCREEN, STEP_SECONDS, WINDOW_SIZE, Processes, Tally, assert_equal, geometry,  # noqa: E402
                          maximize_leaves_size, motif_offers_no_maximize, on_a_virtual_display, output, position,
                          start_openbox, wait_until, windows_named)

APP_ID = "org.quillmere.Quillmere"


def desktop_entry(path):
    return dict(line.split("=", 1) for line in Path(path).read_text().splitlines() if "=" in line)


def find_window(env):
    return wait_until(lambda: windows_named(env=env), "the window on X11")[0]


def followed_by_a_move(window, env):
    """Openbox refuses the maximize and shows nothing, but takes requests in
    order: once a later move is seen, the maximize has been dealt with."""
    def maximize(request):
        before = position(window, env)
        request()
        subprocess.run(["wmctrl", "-i", "-r", window, "-e", "0,40,30,-1,-1"], env=env, check=True)
        wait_until(lambda: position(window, env) != before, "the window manager to move the window")
    return maximize


def seen_maximized(window, env, work):
    """Weston ignores moves of X windows, but grants the maximize and says so
    in _NET_WM_STATE until the program undoes it, which may take only
    milliseconds: every change of the state is watched, not polled."""
    def maximize(request):
        log = work / "wm-state.log"
        with Processes() as processes:
            processes.start("xprop", "-spy", "-id", window, "_NET_WM_STATE", env=env, stdout=open(log, "w"))
            wait_until(lambda: log.read_text(), "xprop to watch the window's state")
            request()
            wait_until(lambda: "_NET_WM_STATE_MAXIMIZED" in log.read_text(), "the compositor to maximize the window")
            wait_until(lambda: "_NET_WM_STATE_MAXIMIZED" not in log.read_text().splitlines()[-1],
                       "the program to undo the maximize")
    return maximize


def check_x11(program, entry, tally):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    with Processes() as processes:
        start_openbox(processes)
        app = processes.start(program, env=env)
        window = find_window(env)

        def wm_class_matches():
            names = re.findall(r'"([^"]*)"', output("xprop", "-id", window, "WM_CLASS"))
            # GNOME Shell looks up the instance, then the class, among the
            # entries' StartupWMClass; KDE Plasma does the same.
            if entry.get("StartupWMClass") not in names:
                raise AssertionError(f"WM_CLASS {names}, StartupWMClass {entry.get('StartupWMClass')!r}")
            return f"WM_CLASS {names}, StartupWMClass {entry['StartupWMClass']!r}"

        tally.check("WM_CLASS matches the desktop entry", wm_class_matches)
        tally.check("the Motif hints offer no maximize", lambda: motif_offers_no_maximize(window))
        tally.check("a wmctrl maximize leaves the size",
                    lambda: maximize_leaves_size(window, app, env, followed_by_a_move(window, env)))
        screenshot(["import", "-window", "root", str(SHOTS / "openbox.png")], env=env)
        subprocess.run(["wmctrl", "-i", "-c", window], env=env, check=True)
        tally.check("closing through the window manager ends with status 0",
                    lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))


def check_weston(program, work, tally):
    runtime = work / "weston-run"
    runtime.mkdir(mode=0o700)
    log = work / "weston.log"
    env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime))
    env.pop("DISPLAY", None)
    with Processes() as processes:
        processes.start("weston", "--backend=headless-backend.so", "--use-pixman", f"--width={SCREEN[0]}", f"--height={SCREEN[1]}",
                        "--socket=wayland-quillmere", "--xwayland", f"--log={log}", env=env)
        display = wait_until(lambda: re.findall(r"xserver listening on display (:\d+)",
                                                log.read_text() if log.exists() else ""), "Weston's XWayland")[0]
        session = dict(env, WAYLAND_DISPLAY="wayland-quillmere", DISPLAY=display, XDG_SESSION_TYPE="wayland",
                       WAYLAND_DEBUG="1")
        debug = work / "weston-client.log"
        app = processes.start(program, env=session, stderr=open(debug, "w"))
        x11 = dict(session)
        x11.pop("WAYLAND_DEBUG")
        window = find_window(x11)

        def through_xwayland():
            if "xdg_toplevel" in debug.read_text():
                raise AssertionError("the window went to Weston natively")
            return f"an X11 window on Weston's XWayland {display}, no xdg_toplevel"

        tally.check("under Weston the program runs through XWayland", through_xwayland)
        tally.check("Weston shows it at its size", lambda: assert_equal(geometry(window, x11), WINDOW_SIZE, "size"))
        tally.check("a maximize under Weston leaves it running at its size",
                    lambda: maximize_leaves_size(window, app, x11, seen_maximized(window, x11, work)))
        screenshot(["import", "-window", "root", str(SHOTS / "weston-xwayland.png")], env=x11)


def check_sway(program, work, tally):
    user = "nobody"
    runtime = work / "sway-run"
    runtime.mkdir(mode=0o700)
    shutil.chown(runtime, user)
    config = work / "sway.config"
    config.write_text(f"output HEADLESS-1 resolution {SCREEN[0]}x{SCREEN[1]}\nxwayland disable\n")
    env = {"PATH": os.environ["PATH"], "HOME": str(runtime), "XDG_RUNTIME_DIR": str(runtime),
           "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
    with Processes() as processes:
        processes.start("runuser", "-u", user, "--", "sway", "-c", str(config), env=env)
        socket = wait_until(lambda: [p for p in runtime.glob("wayland-*") if not p.name.endswith(".lock")],
                            "sway's Wayland socket")[0]
        ipc = wait_until(lambda: list(runtime.glob("sway-ipc.*.sock")), "sway's IPC socket")[0]
        debug = work / "sway-client.log"
        session = dict(os.environ, XDG_RUNTIME_DIR=str(work), WAYLAND_DISPLAY=str(socket),
                       XDG_SESSION_TYPE="wayland", WAYLAND_DEBUG="1")
        session.pop("DISPLAY", None)
        app = processes.start(program, env=session, stderr=open(debug, "w"))

        def our_view():
            tree = json.loads(output("swaymsg", "-s", str(ipc), "-t", "get_tree") or "{}")
            stack = [tree]
            while stack:
                node = stack.pop()
                if node.get("app_id") == APP_ID:
                    return node
                stack += node.get("nodes", []) + node.get("floating_nodes", [])
            return None

        def native_with_id_and_size():
            wait_until(our_view, "the window in sway's tree")
            text = debug.read_text()
            for request in (f'set_app_id("{APP_ID}")', "set_min_size({}, {})".format(*WINDOW_SIZE),
                            "set_max_size({}, {})".format(*WINDOW_SIZE)):
                if not re.search(r"xdg_toplevel@\d+\." + re.escape(request), text):
                    raise AssertionError(f"no xdg_toplevel {request} in WAYLAND_DEBUG")
            return f"xdg_toplevel set_app_id, set_min_size and set_max_size of {WINDOW_SIZE[0]}x{WINDOW_SIZE[1]}"

        def fullscreen_leaves_size():
            subprocess.run(["swaymsg", "-s", str(ipc), f'[app_id="{APP_ID}"] fullscreen enable'],
                           stdout=subprocess.DEVNULL, check=True)
            view = wait_until(lambda: (our_view() or {}).get("fullscreen_mode") and our_view(), "sway's fullscreen")
            if app.poll() is not None:
                raise AssertionError(f"the program ended with status {app.returncode}")
            size = (view["geometry"]["width"], view["geometry"]["height"])
            return assert_equal(size, WINDOW_SIZE, "size")

        tally.check("under sway the program runs natively, with its app id and fixed size", native_with_id_and_size)
        tally.check("sway's fullscreen request leaves it running at its size", fullscreen_leaves_size)
        screenshot(["grim", str(SHOTS / "sway.png")], env=dict(session, WAYLAND_DEBUG="0"))


# Screenshots of each desktop, for a person to look at, where asked for.
SHOTS = Path(os.environ.get("QUILLMERE_SCREENSHOT_DIR", ""))


def screenshot(command, env):
    if os.environ.get("QUILLMERE_SCREENSHOT_DIR") and shutil.which(command[0]):
        subprocess.run(command, env=env, stderr=subprocess.DEVNULL)


def main(program, entry_path):
    work = Path(tempfile.mkdtemp(prefix="quillmere-desktop-"))
    os.chmod(work, 0o755)
    tally = Tally("desktop")
    entry = desktop_entry(entry_path)
    tally.run_parts(lambda: check_x11(program, entry, tally), lambda: check_weston(program, work, tally),
                    lambda: check_sway(program, work, tally))
    return tally.close()


if __name__ == "__main__":
    on_a_virtual_display()
    sys.exit(main(sys.argv[1], sys.argv[2]))
