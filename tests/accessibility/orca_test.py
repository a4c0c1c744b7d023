#!/usr/bin/python3
"""Drives the real program with the Orca screen reader and checks what it says.

It runs itself on an X display and in a D-Bus session of its own:

    tests/accessibility/orca_test.py build/bin/quillmere

Speech is caught where it leaves speech-dispatcher: a generic output module
appends every utterance to a file, which is what a listener would hear. Each
step presses keys with xdotool and waits, for a bounded time, until the words
it expects have been spoken, in order.
"""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

# The shared helpers live one folder up, so the path is set before they are imported.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from real_clients import (START_SECONDS, STEP_SECONDS, Processes, Tally, assert_equal, key,  # noqa: E402
                          on_a_virtual_display, start_openbox, succeeds, type_text, wait_until)


class Speech:
    def __init__(self, path):
        self.path = path
        self.mark = 0

    def text(self):
        return self.path.read_text(errors="replace") if self.path.exists() else ""

    def since_mark(self):
        return self.text()[self.mark:]

    def advance(self):
        self.mark = len(self.text())

    def heard(self):
        return " ".join(self.since_mark().split())

    def wait_for(self, phrases, seconds=STEP_SECONDS):
        """Waits until the phrases have been spoken since the mark, in order.
        A tuple stands for any one of its phrases."""
        def spoken_in_order():
            heard = self.heard()
            position = 0
            for phrase in phrases:
                choices = phrase if isinstance(phrase, tuple) else (phrase,)
                found = sorted((heard.find(choice, position), choice) for choice in choices
                               if heard.find(choice, position) >= 0)
                if not found:
                    return None
                position = found[0][0] + len(found[0][1])
            return heard
        return wait_until(spoken_in_order, repr(phrases), seconds, seen=lambda: f"heard {self.heard()!r}")


def configure_speech(config, spoken):
    speechd = config / "speech-dispatcher"
    (speechd / "modules").mkdir(parents=True)
    (speechd / "speechd.conf").write_text(
        'AddModule "capture" "sd_generic" "capture.conf"\n'
        "DefaultModule capture\n"
        # There is no sound device: the audio goes nowhere, the words to a file.
        'AudioOutputMethod "alsa"\n'
        'AudioALSADevice "null"\n')
    (speechd / "modules" / "capture.conf").write_text(
        f"GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> {spoken}\"\n"
        'AddVoice "en" "MALE1" "capture"\n'
        'GenericLanguage "en" "english" "utf-8"\n')


def main(program):
    work = Path(tempfile.mkdtemp(prefix="quillmere-orca-"))
    home = work / "home"
    runtime = work / "run"
    runtime.mkdir(mode=0o700, parents=True)
    spoken = work / "spoken.txt"
    env = dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
               XDG_DATA_HOME=str(home / ".local/share"), XDG_CACHE_HOME=str(home / ".cache"),
               XDG_RUNTIME_DIR=str(runtime), LANG="C.UTF-8", GTK_THEME="Adwaita")
    configure_speech(home / ".config", spoken)
    os.environ.update(env)
    speech = Speech(spoken)
    tally = Tally("accessibility")

    with Processes() as processes:
        start_openbox(processes)
        processes.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        wait_until(lambda: succeeds("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                    "/org/a11y/bus", "org.a11y.Bus.GetAddress"), "the accessibility bus")
        processes.start("orca", "--replace", f"--debug-file={work / 'orca-debug.txt'}")
        speech.wait_for(["Screen reader on."], START_SECONDS)

        speech.advance()
        app = processes.start(program, env=dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb"))
        speech.wait_for(["Quillmere", button("Show Steps")], START_SECONDS)

        for name, action, phrases in STEPS:
            speech.advance()
            action()
            tally.check(name, lambda: speech.wait_for(phrases))

        key("ctrl+x")
        tally.check("Ctrl+X ends the program with status 0",
                    lambda: assert_equal(app.wait(STEP_SECONDS), 0, "exit status"))
        # Orca starts speech-dispatcher in a session of its own.
        subprocess.run(["pkill", "-KILL", "-f", f"speech-dispatcher.*{runtime}"])
    print("\nSpoken, in order:")
    print(speech.text())
    return tally.close()


def button(name):
    """Orca 43 says "push button", Orca 48 "button"."""
    return (f"{name} push button", f"{name} button")


def keys(*names):
    return lambda: key(*names)


def typed(text, *then):
    return lambda: (type_text(text), key(*then))


# Each step: what it is, what the user does, and what Orca must say, in order.
# Spoken text is compared with its runs of blanks folded into one.
STEPS = [
    ("entering the first box", keys("Tab"), ["Jug #1 Size text"]),
    ("typing 3, entering the second box", typed("3", "Tab"), ["Jug #2 Size text"]),
    ("typing 5, entering the target box", typed("5", "Tab"), ["Target Amount text"]),
    ("typing 4, Enter: a plan", typed("4", "Return"), ["The plan in the list has 7 actions."]),
    ("Shift+Tab into the box that holds 5", keys("shift+Tab"), ["Jug #2 Size text"]),
    ("Shift+Tab into the box that holds 3", keys("shift+Tab"), ["Jug #1 Size text"]),
    # Orca may skip a control the focus only passes through: each step ends
    # where it waits.
    ("Tab on to Quit Program", keys("Tab", "Tab", "Tab"), [button("Quit Program")]),
    ("Tab into the list", keys("Tab"), ["Steps", "List with 22 items", "Fill the 3-cup jug"]),
    ("Down to the second line", keys("Down"), ["3-cup jug: 3 5-cup jug: 0"]),
    ("Down to a blank line", keys("Down"), ["blank"]),
    ("Tab round to Show Steps", keys("Tab"), [button("Show Steps")]),
    ("Tab into the first box", keys("Tab"), ["Jug #1 Size text"]),
    ("typing 3, on to the second box", typed("3", "Tab"), ["Jug #2 Size text"]),
    ("typing 5, on to the target box", typed("5", "Tab"), ["Target Amount text"]),
    ("typing 9, Enter: impossible", typed("9", "Return"),
     ["IMPOSSIBLE!", "The target, 9 cups, is more than both jugs hold together, 8 cups."]),
    ("Tab on into the list", keys("Tab", "Tab"),
     ["Steps", "List with 1 item", "IMPOSSIBLE!", "The target, 9 cups, is more than both jugs hold together"]),
    ("Tab round to the second box", keys("Tab", "Tab", "Tab"), ["Jug #2 Size text"]),
    ("typing abc, on to the target box", typed("abc", "Tab"), ["Target Amount text"]),
    ("typing 0.9, round to Show Steps", typed("0.9", "Tab", "Tab", "Tab"), [button("Show Steps")]),
    ("Space on Show Steps: bad values", keys("space"),
     ["BAD USER VALUES!", "Jug #1 Size is empty, Jug #2 Size holds no number and Target Amount, 0.9, reads as 0:"
                          " enter a whole number of cups from 1 to 32767."]),
    ("the focus stayed on Show Steps", keys("Tab"), ["Jug #1 Size text"]),
    ("typing -3, on to the second box", typed("-3", "Tab"), ["Jug #2 Size text"]),
    ("typing 5, on to the target box", typed("5", "Tab"), ["Target Amount text"]),
    ("typing 4, Enter: the run-time error report", typed("4", "Return"),
     ["Jug #1 Size is negative: enter a whole number of cups from 1 to 32767.",
      "Run-time error '11': Division by zero", button("OK")]),
    # The window comes back with the focus in the box the report names.
    ("closing the report", keys("Return"), [("Quillmere", "Jug #1 Size text")]),
]

if __name__ == "__main__":
    on_a_virtual_display(private_bus=True)
    sys.exit(main(sys.argv[1]))
