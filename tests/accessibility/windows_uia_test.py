#!/usr/bin/python3
"""Reads the Windows program under Wine as a Windows screen reader does.

    tests/accessibility/windows_uia_test.py build-windows

Three parts, on an X display of its own with Openbox:
- the program as built, read through Windows' UI Automation client interface
  by uia_client.exe, the interface Narrator and NVDA read: every control's
  name and type, the focus after Tab into each box, each row after Show Steps,
  and the run-time error report;
- a copy of the program with a stand-in uiautomationcore.dll planted beside
  it, and Wine told to take a native DLL wherever its search finds one: the
  program still loads Windows' own, which reads the window to the client;
- the program with a recording uiautomationcore.dll where Windows' own lives,
  in the prefix's system32: the notification it raises for each outcome of
  Show Steps, the sentence a screen reader would speak. Wine's own UI
  Automation delivers notifications to no client, so they are caught where
  the program hands them over.
"""

import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

# The shared helpers live one folder up, so the path is set before they are imported.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "packaging" / "windows"))
import pe_image  # noqa: E402
from real_clients import (STEP_SECONDS, WORKED_EXAMPLE, Processes, Tally, Wine, assert_equal, key,  # noqa: E402
                          on_a_virtual_display, show_steps, start_openbox, wait_until, windows_named)

CONTROLS = ["Window Quillmere", "Text Jug #1 Size", "Edit Jug #1 Size", "Text Jug #2 Size", "Edit Jug #2 Size",
            "Text Target Amount", "Edit Target Amount", "Button Show Steps", "Button Quit Program", "List Steps"]
OUTCOMES = [
    (("3", "5", "4"), "The plan in the list has 7 actions."),
    (("0", "5", "4"), "BAD USER VALUES! Jug #1 Size is 0: enter a whole number of cups from 1 to 32767."),
    (("6", "4", "5"), "IMPOSSIBLE! The target, 5 cups, is not a multiple of 2, the largest number dividing both jug sizes."),
]


def read_window(wine, client):
    """The window's elements as uia_client prints them, one a line, unindented."""
    result = wine.run(client, "Quillmere", seconds=STEP_SECONDS)
    if result.returncode != 0:
        raise AssertionError(f"uia_client: {result.stderr.strip()}")
    return [line.strip() for line in result.stdout.splitlines()]


def focused(elements):
    """The innermost element read as having the keyboard focus."""
    return next((line.removesuffix(" [focused]") for line in reversed(elements) if line.endswith(" [focused]")), None)


def read_until(wine, client, found, what):
    """Reads the window until found(elements) is true, and returns that; a
    timeout says what was read last."""
    last = []

    def reading():
        last[:] = read_window(wine, client)
        return found(last)
    return wait_until(reading, what, seen=lambda: f"read {last}")


def check_client_reading(wine, program, client, tally):
    app, _ = wine.started(program)

    def controls():
        def all_read(elements):
            names = [line.removesuffix(" [focused]") for line in elements]
            return all(control in names for control in CONTROLS)
        read_until(wine, client, all_read, "every control")
        return f"{len(CONTROLS)} controls by name and type"
    tally.check("every control read by its name and type", controls)

    for box in ("Jug #1 Size", "Jug #2 Size", "Target Amount"):
        def tab_into(box=box):
            key("Tab")
            read_until(wine, client, lambda elements: focused(elements) == f"Edit {box}", f"the focus on {box}")
            return f"Edit {box} focused"
        tally.check(f"Tab into {box}: the focus read there", tab_into)

    def rows():
        show_steps("3", "5", "4")
        expected = [f"ListItem {line}" if line else "ListItem blank" for line in WORKED_EXAMPLE]
        read_until(wine, client, lambda elements: [line.removesuffix(" [focused]") for line in elements
                                                   if line.startswith("ListItem")] == expected, "the plan's rows")
        key("shift+Tab", "shift+Tab", "shift+Tab")
        return f"{len(expected)} rows, from {expected[0]!r} to {expected[-1]!r}"
    key("shift+Tab", "shift+Tab", "shift+Tab")
    tally.check("3, 5, 4: each row read by its line, blank rows as blank", rows)

    def error_report():
        show_steps("-3", "5", "4")
        wait_until(lambda: len(windows_named()) == 2, "the run-time error report")
        sentence = "Jug #1 Size is negative: enter a whole number of cups from 1 to 32767."

        def both_read(elements):
            report = [line for line in elements if sentence in line or "Run-time error '11'" in line]
            return report if len(report) == 2 else None
        report = read_until(wine, client, both_read, "the report read")
        key("Return")
        wait_until(lambda: len(windows_named()) == 1, "the report to close")
        if sentence not in report[0]:
            raise AssertionError(f"the error before what to change: {report}")
        # The report leads back to the box it names.
        read_until(wine, client, lambda elements: focused(elements) == "Edit Jug #1 Size", "the focus on Jug #1 Size")
        return " / ".join(report) + ", then Edit Jug #1 Size focused"
    tally.check("-3, 5, 4: the run-time error report read, what to change first", error_report)
    key("ctrl+x")
    tally.check("Ctrl+X ends the program with status 0", lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))


def started_with_native(wine, program, name, order):
    """The program started with Wine taking a native DLL of that name in the
    given order; whatever else runs keeps Wine's own."""
    overrides = wine.env["WINEDLLOVERRIDES"]
    wine.env["WINEDLLOVERRIDES"] += f";{name}={order}"
    try:
        return wine.started(program)[0]
    finally:
        wine.env["WINEDLLOVERRIDES"] = overrides


def window_read(wine, client):
    read_until(wine, client, lambda elements: "Button Show Steps" in [line.removesuffix(" [focused]") for line in elements],
               "the window read")


def check_planted(wine, program, client, tally):
    app = started_with_native(wine, program, "uiautomationcore", "n,b")

    def not_loaded():
        # The stand-in serves no client: the buttons read at all were served
        # by Windows' own, from system32.
        window_read(wine, client)
        return "the window read through Windows' own UI Automation core"
    tally.check("a uiautomationcore.dll planted beside the program is not loaded", not_loaded)
    key("ctrl+x")
    app.wait(STEP_SECONDS)


def windows_dll_names(folder):
    """The name of every Windows DLL that a file of the folder imports and
    Windows would look for beside it, where anyone who can write there could
    plant one. KnownDLLs and API sets are never looked for there; Wine, which
    keeps no KnownDLLs, would take a planted one."""
    shipped = {path.name.lower() for path in folder.glob("*.dll")}
    imported = {name.lower() for path in [*folder.glob("*.exe"), *folder.rglob("*.dll")] for name in pe_image.read(path).imports()}
    return sorted(name for name in imported - shipped - pe_image.KNOWN_DLLS if not name.startswith("api-ms-win-"))


def check_nothing_planted_loads(wine, folder, client, marker, tally):
    """A marker planted beside the program under each of those names, one at
    a time, with Wine told to take it wherever its search finds it."""
    def none_loaded():
        names = windows_dll_names(folder)
        loaded = []
        for name in names:
            plant = folder / name
            shutil.copy(marker, plant)
            try:
                app = started_with_native(wine, str(folder / "quillmere.exe"), plant.stem, "n,b")
                window_read(wine, client)
                key("ctrl+x")
                app.wait(STEP_SECONDS)
            except (AssertionError, subprocess.TimeoutExpired):
                loaded.append(f"{name} (no window)")
                wine.run("wineserver", "-k")
            finally:
                plant.unlink()
            if folder.joinpath(f"{name}.loaded").exists():
                loaded.append(name)
                folder.joinpath(f"{name}.loaded").unlink()
        if loaded:
            raise AssertionError(f"loaded: {', '.join(loaded)}")
        return f"none of the {len(names)} loaded: {', '.join(names)}"
    tally.check("a DLL planted beside the program under any Windows DLL's name that it imports is not loaded", none_loaded)


def check_notifications(wine, program, client, recorder, record, tally):
    wine.env["QUILLMERE_UIA_RECORD"] = wine.run("winepath", "-w", str(record)).stdout.strip()
    shutil.copy(recorder, wine.drive_c() / "windows" / "system32" / "uiautomationcore.dll")
    app = started_with_native(wine, program, "uiautomationcore", "n")
    # The client keeps Wine's own, which the recorder now stands beside.
    wine.env["WINEDLLOVERRIDES"] += ";uiautomationcore=b"
    # Qt answers UI Automation once a client has asked for the window, as a
    # screen reader does when it starts; the recorder answers none.
    wine.run(client, "Quillmere", seconds=STEP_SECONDS)
    for values, sentence in OUTCOMES:
        def heard(values=values, sentence=sentence):
            before = record.read_text().splitlines() if record.exists() else []
            # From Show Steps, where Enter in the target box left the focus.
            show_steps(*values)
            new = wait_until(lambda: record.exists() and record.read_text().splitlines()[len(before):],
                             "a notification")
            key("shift+Tab", "shift+Tab", "shift+Tab")
            # Kind Other (4), all of it to be spoken (2).
            return assert_equal(new, [f"4 2 {sentence}"], "notification")
        tally.check(f"{', '.join(values)}: the outcome raised as a notification", heard)
    key("ctrl+x")
    tally.check("Ctrl+X ends it with status 0", lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))


def main(build):
    build = Path(build).resolve()
    work = Path(tempfile.mkdtemp(prefix="quillmere-uia-"))
    tally = Tally("windows-accessibility")
    recorder = build / "uia-recorder" / "uiautomationcore.dll"
    # The program's folder as it ships, without the tests and what only they use.
    shipped = shutil.ignore_patterns("*_test.exe", "*_tests.exe", "*_bench.exe", "uia_client.exe", "Qt6Test.dll", "qoffscreen.dll")
    marked = work / "marked"
    shutil.copytree(build / "bin", marked, ignore=shipped)
    planted = work / "planted"
    shutil.copytree(marked, planted)
    shutil.copy(recorder, planted)
    program = str(build / "bin" / "quillmere.exe")
    client = str(build / "bin" / "uia_client.exe")
    with Processes() as processes:
        start_openbox(processes)
        print("making a Wine prefix", flush=True)
        wine = Wine(work / "wine", processes)
        # The recorder goes into system32 last: the planted copy must find Windows' own there.
        tally.run_parts(lambda: check_client_reading(wine, program, client, tally),
                        lambda: check_planted(wine, str(planted / "quillmere.exe"), client, tally),
                        lambda: check_nothing_planted_loads(wine, marked, client, build / "planted-marker" / "planted_marker.dll",
                                                            tally),
                        lambda: check_notifications(wine, program, client, recorder, work / "notifications.txt", tally))
    return tally.close()


if __name__ == "__main__":
    on_a_virtual_display()
    sys.exit(main(sys.argv[1]))
