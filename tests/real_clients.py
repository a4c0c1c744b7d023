"""What the tests that drive real clients share: a virtual display of their
own, bounded waits on what is observed, keys pressed as a person would, the
processes they start, ended together however a test ends, the window as the
window system shows it, Wine, and the screen's pixels."""

import collections
import os
import re
import signal
import struct
import subprocess
import sys
import time
import zlib
from pathlib import Path

# The virtual screen every real-client test runs on.
SCREEN = (1280, 1024)
# The window's fixed size in pixels, on every desktop.
WINDOW_SIZE = (313, 622)

# Bounded waits: one step of a test; a program, a screen reader or a window
# manager starting; the largest plan landing on the clipboard; one of Wine's
# own tools (winecfg, reg, msiexec); a Wine prefix made from nothing.
STEP_SECONDS = 20
START_SECONDS = 60
LARGEST_PLAN_SECONDS = 120
WINE_TOOL_SECONDS = 120
WINE_PREFIX_SECONDS = 300
POLL_SECONDS = 0.05

# xdotool's pause after each key and each typed character: Orca speaks, and
# Wine passes on, one before the next arrives.
KEY_DELAY_MS = 100
TYPE_DELAY_MS = 50

# The plan of the worked example, 3 and 5 cups to measure 4, line by line.
WORKED_EXAMPLE = (Path(__file__).resolve().parent / "worked_example.txt").read_text().splitlines()


def on_a_virtual_display(private_bus=False):
    """Runs the calling test again on an X display of its own, and in a D-Bus
    session of its own when asked, so that it never drives the desktop it is
    started from."""
    if os.environ.get("QUILLMERE_VIRTUAL_DISPLAY"):
        return
    os.environ["QUILLMERE_VIRTUAL_DISPLAY"] = "1"
    bus = ["dbus-run-session", "--"] if private_bus else []
    os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", f"-screen 0 {SCREEN[0]}x{SCREEN[1]}x24", *bus,
                           sys.executable, os.path.abspath(sys.argv[0]), *sys.argv[1:]])


def wait_until(condition, what, seconds=STEP_SECONDS, seen=None):
    """Polls condition until it returns something true, and returns that. On
    a timeout, seen() says what was observed last."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}" + (f"; {seen()}" if seen else ""))
        time.sleep(POLL_SECONDS)


def succeeds(*command, **options):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options).returncode == 0


def output(*command, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    return result.stdout if result.returncode == 0 else ""


def assert_equal(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what} {actual!r}, expected {expected!r}")
    return f"{what} {actual!r}"


def key(*names, delay_ms=KEY_DELAY_MS):
    subprocess.run(["xdotool", "key", "--delay", str(delay_ms), *names], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", str(TYPE_DELAY_MS), "--", text], check=True)


def show_steps(jug1, jug2, target):
    """From Show Steps: each box in turn, then Enter."""
    for value in (jug1, jug2, target):
        key("Tab")
        type_text(value)
    key("Return")


class Processes:
    """Starts processes in sessions of their own and kills each whole session
    on leaving, so nothing a test started outlives it."""

    def __init__(self):
        self.started = []

    def start(self, *command, **options):
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, start_new_session=True, **options)
        self.started.append(process)
        return process

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        for process in reversed(self.started):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()


def start_openbox(processes):
    """Starts Openbox and waits until it manages windows: it names its theme
    on the root window only once it is ready; a window mapped before then
    stays unmapped."""
    processes.start("openbox")
    wait_until(lambda: "=" in output("xprop", "-root", "_OB_THEME"), "Openbox to be ready", START_SECONDS)


def windows_named(title="Quillmere", env=None):
    return output("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", env=env).split()


def geometry(window, env=None):
    found = re.search(r"Geometry: (\d+)x(\d+)", output("xdotool", "getwindowgeometry", window, env=env))
    return (int(found[1]), int(found[2])) if found else None


def position(window, env=None):
    found = re.search(r"Position: (\d+),(\d+)", output("xdotool", "getwindowgeometry", window, env=env))
    return (int(found[1]), int(found[2])) if found else None


MWM_FUNCTIONS, MWM_DECORATIONS = 1, 2
MWM_FUNC_ALL, MWM_FUNC_MAXIMIZE = 1, 16
MWM_DECOR_ALL, MWM_DECOR_MAXIMIZE = 1, 64


def motif_offers_no_maximize(window):
    text = output("xprop", "-id", window, "_MOTIF_WM_HINTS")
    flags, functions, decorations = (int(value, 16) for value in re.findall(r"0x[0-9a-f]+", text)[:3])
    if not flags & MWM_FUNCTIONS or functions & (MWM_FUNC_ALL | MWM_FUNC_MAXIMIZE):
        raise AssertionError(f"functions offer maximize: {text.strip()}")
    if flags & MWM_DECORATIONS and decorations & (MWM_DECOR_ALL | MWM_DECOR_MAXIMIZE):
        raise AssertionError(f"decorations show maximize: {text.strip()}")
    return text.strip()


def maximize_leaves_size(window, app, env, maximize_dealt_with):
    maximize_dealt_with(lambda: subprocess.run(
        ["wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz"], env=env, check=True))
    # The program undoes a maximize it is given.
    wait_until(lambda: app.poll() is not None or geometry(window, env) == WINDOW_SIZE, f"the size to be {WINDOW_SIZE}")
    if app.poll() is not None:
        raise AssertionError(f"the program ended with status {app.returncode}")
    return assert_equal(geometry(window, env), WINDOW_SIZE, "size")


class Wine:
    """A Wine prefix of its own, made in a step of its own, and the Windows
    programs started in it."""

    def __init__(self, prefix, processes):
        self.env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.processes = processes
        subprocess.run(["wineboot", "--init"], env=self.env, timeout=WINE_PREFIX_SECONDS, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A server kept running spares each program Wine's start-up.
        processes.start("wineserver", "--foreground", "--persistent", env=self.env)

    def start(self, *command):
        return self.processes.start("wine", *command, env=self.env)

    def run(self, *command, seconds=WINE_TOOL_SECONDS):
        return subprocess.run(["wine", *command], env=self.env, timeout=seconds, capture_output=True, text=True)

    def drive_c(self):
        return Path(self.env["WINEPREFIX"]) / "drive_c"

    def started(self, program):
        """The program started, and its window shown and given the keyboard,
        as a window manager gives it to a window that opens."""
        app = self.start(program)
        window = wait_until(windows_named, "the window under Wine", START_SECONDS)[0]

        def active():
            if output("xdotool", "getactivewindow").strip() == window:
                return True
            subprocess.run(["xdotool", "windowactivate", window], stderr=subprocess.DEVNULL)
            return False

        wait_until(active, "the window to have the keyboard")
        return app, window


class Tally:
    def __init__(self, title):
        self.title = title
        self.passed = self.failed = 0

    def check(self, name, check):
        try:
            detail = check()
            print(f"ok    {name}" + (f": {detail}" if isinstance(detail, str) else ""))
            self.passed += 1
        except AssertionError as error:
            print(f"FAIL  {name}: {error}")
            self.failed += 1

    def run_parts(self, *parts):
        """Runs each part, its checks tallied by itself; a part that cannot
        even set up counts as one failure, and the next still runs."""
        for part in parts:
            try:
                part()
            except (AssertionError, subprocess.TimeoutExpired) as error:
                print(f"FAIL  setting up: {error}")
                self.failed += 1

    def close(self):
        print(f"{self.title}: {self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


class Picture:
    """The X screen as it is shown, read with xwd: pixels to measure, and a
    PNG to look at."""

    def __init__(self, display_dump):
        header = struct.unpack(">25I", display_dump[:100])
        header_size, _, _, depth, self.width, self.height = header[:6]
        bits_per_pixel, bytes_per_line, colour_count = header[11], header[12], header[19]
        if depth != 24 or bits_per_pixel not in (24, 32):
            raise AssertionError(f"an X screen of depth {depth} at {bits_per_pixel} bits a pixel")
        self.bytes_per_pixel = bits_per_pixel // 8
        self.bytes_per_line = bytes_per_line
        self.pixels = display_dump[header_size + 12 * colour_count:]

    @classmethod
    def of_screen(cls):
        return cls(subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout)

    def colour(self, x, y):
        blue, green, red = self.pixels[y * self.bytes_per_line + self.bytes_per_pixel * x:][:3]
        return red, green, blue

    def colours(self, left, top, width, height):
        return collections.Counter(self.colour(x, y) for y in range(top, top + height) for x in range(left, left + width))

    def contrast(self, left, top, width, height):
        """The contrast ratio between the most common colour in the rectangle,
        its background, and the colour that stands out from it most: the
        fullest colour of its text."""
        found = self.colours(left, top, width, height)
        background = found.most_common(1)[0][0]
        return max(contrast_ratio(background, colour) for colour in found)

    def save_png(self, path, area=None):
        """The screen, or the rectangle (left, top, width, height) of it."""
        left, top, width, height = area or (0, 0, self.width, self.height)
        step = self.bytes_per_pixel

        def row(y):
            stored = self.pixels[y * self.bytes_per_line + step * left:][:step * width]
            rgb = bytearray(3 * width)
            rgb[0::3], rgb[1::3], rgb[2::3] = stored[2::step], stored[1::step], stored[0::step]
            return b"\0" + rgb
        rows = b"".join(row(y) for y in range(top, top + height))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                               + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def contrast_ratio(first, second):
    """WCAG 2's contrast ratio of two sRGB colours."""
    def luminance(colour):
        linear = [channel / 255 / 12.92 if channel <= 10 else ((channel / 255 + 0.055) / 1.055) ** 2.4 for channel in colour]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    lighter, darker = sorted((luminance(first), luminance(second)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)
