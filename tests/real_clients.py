"""What the tests that drive real clients share: bounded waits on what is
observed, and the processes they start, ended together however a test ends."""

import os
import signal
import subprocess
import time

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

    def close(self):
        print(f"{self.title}: {self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0
