"""What the tests that drive real clients share: bounded waits on what is
observed, the processes they start, ended together however a test ends, and
the screen's pixels."""

import collections
import os
import signal
import struct
import subprocess
import time
import zlib
from pathlib import Path

STEP_SECONDS = 20


def wait_until(condition, what, seconds=STEP_SECONDS):
    """Polls condition until it returns something true, and returns that."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


def succeeds(*command, **options):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options).returncode == 0


def output(*command, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    return result.stdout if result.returncode == 0 else ""


def assert_equal(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what} {actual!r}, expected {expected!r}")
    return f"{what} {actual!r}"


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
    wait_until(lambda: "=" in output("xprop", "-root", "_OB_THEME"), "Openbox to be ready")


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
