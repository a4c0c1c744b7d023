# A thin front door over the CMake presets. Each target first installs the
# Debian packages it needs (as root; otherwise it prints the command).

.PHONY: all build lint test run package bench memory paste-bench sanitize fuzz windows-build windows-test windows-package windows-desktop-test windows-reproducible-test windows-accessibility-test windows-bench accessibility-test desktop-test reproducible-test current-debian-test clean

FUZZ_SECONDS ?= 60
# The suites that drive real clients, each run by its label, with what it
# prints shown as it goes.
SUITE = ctest --verbose --no-tests=error --test-dir

all: build

build:
	@scripts/install-deps build
	cmake --preset default -DBUILD_TESTING=ON
	cmake --build --preset default

# The C++ against .clang-format, the shell scripts with shellcheck, the Python
# ones with flake8.
lint:
	@scripts/install-deps lint
	scripts/lint

# Besides the program's own tests: the desktop entry and metainfo validated,
# and the Debian package built, checked by lintian and its contents listed.
test: build
	@scripts/install-deps package
	ctest --preset default

# build/quillmere_1.00-1_<arch>.deb
package: build
	@scripts/install-deps package
	cd build && cpack

# Only the program, in the same tree: no test or benchmark is built, and no
# test framework is needed.
run:
	@scripts/install-deps program
	cmake --preset default -DBUILD_TESTING=OFF
	cmake --build --preset default --target quillmere
	build/bin/quillmere

bench: build
	build/bin/quillmere_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

memory: build
	@scripts/install-deps display
	bench/peak-memory

# A huge paste into an entry box, timed in the real window on a virtual display.
paste-bench: build
	@scripts/install-deps display windows-desktop
	bench/paste-figures build/bin/quillmere

sanitize:
	@scripts/install-deps build sanitize package
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

fuzz: sanitize
	mkdir -p build-sanitize/fuzz-corpus
	build-sanitize/bin/quillmere_fuzz build-sanitize/fuzz-corpus fuzz/corpus \
		-max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1

# The whole program cross-built for Windows against Qt built from the current
# Debian release's sources (once, cached), and its tests run under Wine. On any
# other host every Windows target runs in that release's chroot, made once
# (scripts/in-debian), so one Qt, one MinGW-w64 and one Wine serve them all.
# The release is named in scripts/lib.sh.
# The build lists each GoogleTest program's cases under Wine when the tests
# run; the Wine prefix is made first, in a step of its own with a bounded wait.
# The Wine server the tests started is stopped afterwards, pass or fail.
DEBIAN_CURRENT := $(shell . ./scripts/lib.sh && echo $$debian_current)
HOST_CODENAME := $(shell . /etc/os-release && echo $$VERSION_CODENAME)
WINDOWS_TARGETS = windows-build windows-test windows-package windows-desktop-test \
	windows-reproducible-test windows-accessibility-test windows-bench
ifneq ($(HOST_CODENAME),$(DEBIAN_CURRENT))
$(WINDOWS_TARGETS):
	@scripts/install-deps chroot
	scripts/in-debian make $@
else
WINDOWS_CONFIGURE = cmake --preset windows -DQUILLMERE_QT_PREFIX=$$(scripts/build-qt-windows)
WINE_PREFIX = $(CURDIR)/build-windows/wine
STOP_WINE = status=$$?; WINEPREFIX=$(WINE_PREFIX) wineserver -k; exit $$status
windows-build:
	@scripts/install-deps windows
	$(WINDOWS_CONFIGURE)
	timeout 300 cmake/wine-run $(WINE_PREFIX) cmd /c ver
	cmake --build --preset windows

windows-test: windows-build
	ctest --preset windows; $(STOP_WINE)

# build-windows/quillmere-<version>-windows-x64.zip, the portable program,
# and build-windows/quillmere-<version>-windows-x64.msi, its installer.
windows-package: windows-build
	@scripts/install-deps windows-package
	cd build-windows && cpack
	cmake --build --preset windows --target quillmere_msi

# The Windows zip and installer built twice, from two folders: the same zip
# bytes, and the same tables and files in the installer.
windows-reproducible-test: windows-build
	@scripts/install-deps windows windows-package reproducible
	$(SUITE) build-windows -L '^reproducible$$'

# The Windows program under Wine on a virtual display with Openbox, driven
# from the keyboard and read through the clipboard, in the Windows 10 and 11
# looks, light and dark; then its installer.
windows-desktop-test: windows-package
	@scripts/install-deps display windows-desktop
	$(SUITE) build-windows -L '^desktop$$'

# The Windows program read through Windows' UI Automation client interface, by
# a client program of our own under Wine; and what the program hands UI
# Automation to announce, recorded by a stand-in for uiautomationcore.dll.
windows-accessibility-test: windows-build
	@scripts/install-deps display windows-desktop
	$(SUITE) build-windows -L '^accessibility$$'

# Under Wine: Show Steps' worst case against a QListWidget, and start-up
# against a plain Qt program with the same widgets, in alternating runs.
# Google Benchmark is built for Windows from Debian's source package.
BENCHMARK_SOURCE = scripts/debian-source benchmark $$(dpkg-query -W -f='$${Version}' libbenchmark-dev) \
	$${XDG_CACHE_HOME:-$$HOME/.cache}/quillmere/benchmark-source
windows-bench:
	@scripts/install-deps windows display windows-desktop
	$(WINDOWS_CONFIGURE) -DQUILLMERE_BENCHMARKS=ON -DQUILLMERE_BENCHMARK_SOURCE_DIR=$$($(BENCHMARK_SOURCE))
	timeout 300 cmake/wine-run $(WINE_PREFIX) cmd /c ver
	cmake --build --preset windows
	timeout 900 cmake/wine-run $(WINE_PREFIX) build-windows/bin/quillmere_bench.exe --benchmark_filter='ShowSteps|ListWidget' \
		--benchmark_repetitions=3 --benchmark_report_aggregates_only=true; $(STOP_WINE)
	bench/startup-figures build-windows; $(STOP_WINE)
endif

# The real window under Openbox on X11, and under headless Weston and sway on
# Wayland: matched to its desktop entry, offering no maximize, surviving one.
desktop-test: build
	@scripts/install-deps display desktop
	$(SUITE) build -L '^desktop$$'

# The packages built twice, from two folders at two times: the same bytes.
reproducible-test: build
	@scripts/install-deps build package reproducible
	$(SUITE) build -L '^reproducible$$'

# The real program read by the Orca screen reader, on a virtual display with a
# private D-Bus session; what Orca speaks is checked step by step.
accessibility-test: build
	@scripts/install-deps display screen-reader
	$(SUITE) build -L '^accessibility$$'

# The current Debian release, in a chroot made once and cached: the README's
# test command there, and Orca there reading the package built here.
current-debian-test: build
	@scripts/install-deps package chroot
	$(SUITE) build -L '^current-debian$$'

clean:
	rm -rf build build-sanitize build-windows
