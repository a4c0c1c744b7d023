#!/usr/bin/python3
"""Drives the Windows program under Wine as a user would, and installs and
removes it with its installer.

    tests/desktop/windows_test.py build-windows/quillmere-1.00-windows-x64.zip \\
        build-windows/quillmere-1.00-windows-x64.msi

On an X display of its own with Openbox and a fresh Wine prefix with nothing else
installed, the portable zip is unpacked into a folder of its own and its
quillmere.exe started from there. The keyboard enters the puzzles; the plan
is read back as a user copies it, through the clipboard. Then the installer
runs silently, the installed program starts from Program Files, and the
uninstaller takes it all away again. Every wait is bounded and ends on what
is observed.
"""

import os
import re
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

# The shared helpers live one folder up, so the path is set before they are imported.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from real_clients import (LARGEST_PLAN_SECONDS, STEP_SECONDS, WINDOW_SIZE, WORKED_EXAMPLE, Picture,  # noqa: E402
                          Processes, Tally, Wine, assert_equal, geometry, key, maximize_leaves_size,
                          motif_offers_no_maximize, on_a_virtual_display, output, show_steps, start_openbox,
                          wait_until, windows_named)

LARGEST_PLAN_LINES = 196600


def clipboard():
    return output("xclip", "-o", "-selection", "clipboard")


def copied_plan(expected, seconds=STEP_SECONDS):
    """From the target box on into the list, all of it copied; back to Show Steps."""
    key("Tab", "Tab", "ctrl+a", "ctrl+c")
    text = wait_until(lambda: clipboard() == expected and expected, "the plan on the clipboard", seconds)
    key("Tab")
    return f"{len(text.splitlines())} lines on the clipboard"


def check_window(wine, program, tally, shots):
    app, window = wine.started(program)
    wait_until(lambda: geometry(window, wine.env) == WINDOW_SIZE, f"the window at {WINDOW_SIZE}")

    def plan():
        show_steps("3", "5", "4")
        return copied_plan("\n".join(WORKED_EXAMPLE))

    def one_line(jug1, jug2, target, line):
        show_steps(jug1, jug2, target)
        return copied_plan(line)

    def report_then_on():
        show_steps("-3", "5", "4")
        wait_until(lambda: len(windows_named()) == 2, "the run-time error report")
        if shots:
            Picture.of_screen().save_png(shots / "windows-error-report.png")
        key("Return")
        wait_until(lambda: len(windows_named()) == 1, "the report to close")
        if app.poll() is not None:
            raise AssertionError(f"the program ended with status {app.returncode}")
        # The report led back to the box it names, Jug #1 Size: Show Steps is one step back.
        key("shift+Tab")
        return one_line("3", "5", "4", "\n".join(WORKED_EXAMPLE))

    def largest_plan():
        show_steps("1", "32766", "32767")
        key("Tab", "Tab", "ctrl+a", "ctrl+c")
        # Every plan ends with DONE!: its length tells this one from the one before.
        lines = wait_until(lambda: (lambda lines: len(lines) == LARGEST_PLAN_LINES and lines)(clipboard().splitlines()),
                           "the largest plan on the clipboard", LARGEST_PLAN_SECONDS)
        key("Tab")
        return assert_equal(len(lines), LARGEST_PLAN_LINES, "lines on the clipboard")

    tally.check("3, 5, 4 from the keyboard: the plan, copied", plan)
    tally.check("0, 5, 4: BAD USER VALUES!", lambda: one_line("0", "5", "4", "BAD USER VALUES!"))
    tally.check("6, 4, 5: IMPOSSIBLE!", lambda: one_line("6", "4", "5", "IMPOSSIBLE!"))
    tally.check("-3, 5, 4: the run-time error report, and the window goes on after OK", report_then_on)
    tally.check("1, 32766, 32767: the largest plan, copied", largest_plan)
    key("ctrl+x")
    tally.check("Ctrl+X ends the program with status 0", lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))

    app, window = wine.started(program)
    tally.check("the window offers no maximize", lambda: motif_offers_no_maximize(window))
    tally.check("a wmctrl maximize leaves it at its size",
                lambda: maximize_leaves_size(window, app, wine.env, kept_above(window)))
    subprocess.run(["wmctrl", "-i", "-c", window], check=True)
    tally.check("closing through the window manager ends with status 0",
                lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))


# Where the controls are in the window, in pixels: left, top, width, height.
CONTROLS = {"Jug #1 Size": (8, 32, 89, 25), "Jug #2 Size": (112, 32, 89, 25), "Target Amount": (216, 32, 89, 25),
            "the list": (8, 72, 297, 485), "Show Steps": (8, 576, 141, 33), "Quit Program": (164, 576, 141, 33)}
LOOKS = [("win10", "light"), ("win10", "dark"), ("win11", "light"), ("win11", "dark")]
PERSONALIZE = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"
LEAST_CONTRAST = 4.5


def window_origin(window):
    found = re.findall(r"Absolute upper-left [XY]:\s+(-?\d+)", output("xwininfo", "-id", window))
    return int(found[0]), int(found[1])


def check_looks(wine, program, tally, shots):
    """The window as Windows 10 and 11 show it, light and dark: with a plan
    shown, the text in every box, the list and both buttons stands out from
    its background by the contrast ratio readable text needs."""
    for version, theme in LOOKS:
        def look():
            assert_equal(wine.run("winecfg", "/v", version).returncode, 0, "winecfg status")
            assert_equal(wine.run("reg", "add", PERSONALIZE, "/v", "AppsUseLightTheme", "/t", "REG_DWORD",
                                  "/d", "1" if theme == "light" else "0", "/f").returncode, 0, "reg add status")
            app, window = wine.started(program)
            show_steps("3", "5", "4")
            left, top = window_origin(window)

            def drawn():
                picture = Picture.of_screen()
                list_left, list_top, width, _ = CONTROLS["the list"]
                # The plan's first line drawn: far more colours than a blank list has.
                return len(picture.colours(left + list_left, top + list_top, width, 20)) > 8 and picture

            picture = wait_until(drawn, "the plan drawn in the list")
            ratios = {name: picture.contrast(left + x, top + y, width, height)
                      for name, (x, y, width, height) in CONTROLS.items()}
            if shots:
                picture.save_png(shots / f"windows-{version[3:]}-{theme}.png", (left, top, *WINDOW_SIZE))
            key("ctrl+x")
            assert_equal(app.wait(STEP_SECONDS), 0, "exit status")
            low = {name: round(ratio, 2) for name, ratio in ratios.items() if ratio < LEAST_CONTRAST}
            if low:
                raise AssertionError(f"text below {LEAST_CONTRAST}:1 against its background: {low}")
            return f"contrast from {min(ratios.values()):.1f}:1 to {max(ratios.values()):.1f}:1"

        tally.check(f"Windows {version[3:]}, {theme}: every control's text readable", look)
    wine.run("winecfg", "/v", "win10")


UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
PRODUCTS = r"HKLM\Software\Classes\Installer\Products"


def registry_entry(wine, key, name):
    """The values, as name: text, of the key below key whose DisplayName or
    ProductName is name; None if there is none."""
    keys = []
    for line in wine.run("reg", "query", key, "/s").stdout.splitlines():
        if line.startswith("HKEY_"):
            keys.append({})
        value = re.match(r"[ \t]+(\S+)[ \t]+REG_\w+[ \t]*(.*?)[ \t\r]*$", line)
        if value and keys:
            keys[-1][value[1]] = value[2]
    return next((values for values in keys if name in (values.get("DisplayName"), values.get("ProductName"))), None)


def kept_above(window):
    """Wine keeps a window's place its own, so a later move shows nothing; a
    later request for another state does: once the window is kept above the
    others, the maximize before it has been dealt with. Requests that reach a
    window Wine is still mapping are dropped: they are made again until one
    is seen."""
    def maximize(request):
        def request_then_raise():
            request()
            subprocess.run(["wmctrl", "-i", "-r", window, "-b", "add,above"], check=True)
            try:
                return wait_until(lambda: "_NET_WM_STATE_ABOVE" in output("xprop", "-id", window, "_NET_WM_STATE"),
                                  "the window manager to keep the window above", 2)
            except AssertionError:
                return False

        wait_until(request_then_raise, "the window manager to take the requests")
    return maximize


def check_installer(wine, msi, tally):
    installed = wine.drive_c() / "Program Files" / "Quillmere"
    # Windows puts a machine-wide install's shortcut in the common Start
    # menu; Wine's installer puts it in the user's, whatever ALLUSERS says.
    start_menus = [wine.drive_c() / "ProgramData", *(wine.drive_c() / "users").glob("*/AppData/Roaming")]
    shortcuts = [menu / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Quillmere.lnk" for menu in start_menus]
    package = wine.run("winepath", "-w", str(msi)).stdout.strip()

    def installs():
        assert_equal(wine.run("msiexec", "/i", package, "/qn").returncode, 0, "msiexec /i status")
        missing = [path for path in (installed / "quillmere.exe", installed / "platforms" / "qwindows.dll")
                   if not path.exists()]
        if not any(shortcut.exists() for shortcut in shortcuts):
            missing.append("the Start-menu shortcut")
        if missing:
            raise AssertionError(f"missing after install: {missing}")
        entry = registry_entry(wine, UNINSTALL, "Quillmere") or {}
        for name, expected in (("DisplayVersion", "1.0.0"), ("Publisher", "The Quillmere developers")):
            assert_equal(entry.get(name), expected, name)
        # The installed programs' list takes the icon from the product's
        # registration, where Windows Installer keeps it.
        product = registry_entry(wine, PRODUCTS, "Quillmere") or {}
        if not product.get("ProductIcon", "").endswith("quillmere.exe"):
            raise AssertionError(f"no icon registered: {product}")
        return f"Program Files\\Quillmere, a Start-menu shortcut, and {entry['DisplayName']} {entry['DisplayVersion']} " \
               "among the installed programs, with its icon"

    def installed_program_runs():
        app, _ = wine.started(r"C:\Program Files\Quillmere\quillmere.exe")
        key("ctrl+x")
        return assert_equal(app.wait(STEP_SECONDS), 0, "exit status")

    def uninstalls():
        assert_equal(wine.run("msiexec", "/x", package, "/qn").returncode, 0, "msiexec /x status")
        left = [str(path) for path in (installed, *shortcuts) if path.exists()]
        if registry_entry(wine, UNINSTALL, "Quillmere") or registry_entry(wine, PRODUCTS, "Quillmere"):
            left.append("its registration among the installed programs")
        if wine.run("reg", "query", r"HKLM\Software\Quillmere").returncode == 0:
            left.append(r"HKLM\Software\Quillmere")
        if left:
            raise AssertionError(f"left behind: {left}")
        return "nothing left behind"

    tally.check("msiexec /i /qn installs it for the machine", installs)
    tally.check("the installed program starts and ends with status 0", installed_program_runs)
    tally.check("msiexec /x /qn removes it", uninstalls)


def main(portable_zip, msi):
    work = Path(tempfile.mkdtemp(prefix="quillmere-windows-"))
    shots = Path(os.environ["QUILLMERE_SCREENSHOT_DIR"]) if os.environ.get("QUILLMERE_SCREENSHOT_DIR") else None
    tally = Tally("windows")
    folder = work / "unpacked by a user"
    with zipfile.ZipFile(portable_zip) as archive:
        archive.extractall(folder)
    program = next(folder.glob("*/quillmere.exe"))
    with Processes() as processes:
        start_openbox(processes)
        print("making a Wine prefix", flush=True)
        wine = Wine(work / "wine", processes)
        tally.run_parts(lambda: check_window(wine, str(program), tally, shots),
                        lambda: check_looks(wine, str(program), tally, shots),
                        lambda: check_installer(wine, Path(msi).resolve(), tally))
    return tally.close()


if __name__ == "__main__":
    on_a_virtual_display()
    sys.exit(main(sys.argv[1], sys.argv[2]))
