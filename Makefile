# A thin front door over the CMake presets. Each target first installs the
# Debian packages it needs (as root; otherwise it prints the command).

.PHONY: all build test run package bench memory paste-bench sanitize fuzz windows-build windows-test windows-package windows-desktop-test windows-reproducible-test accessibility-test desktop-test reproducible-test current-debian-test clean

FUZZ_SECONDS ?= 60

all: build

build:
	@scripts/install-deps build
	cmake --preset default
	cmake --build --preset default

# Besides the program's own tests: the desktop entry and metainfo validated,
# and the Debian package built, checked by lintian and its contents listed.
test: build
	@scripts/install-deps package
	ctest --preset default

# build/quillmere_1.00-1_<arch>.deb
package: build
	@scripts/install-deps package
	cd build && cpack

run: build
	build/bin/quillmere

bench: build
	build/bin/quillmere_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

memory: build
	@scripts/install-deps display
	bench/peak-memory

# A huge paste into an entry box, timed in the real window on a virtual display.
paste-bench: build
	@scripts/install-deps display windows-desktop
	xvfb-run -a -s '-screen 0 1280x1024x24' bench/paste-figures build/bin/quillmere

sanitize:
	@scripts/install-deps build sanitize package
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

fuzz: sanitize
	mkdir -p build-sanitize/fuzz-corpus
	build-sanitize/bin/quillmere_fuzz build-sanitize/fuzz-corpus fuzz/corpus \
		-max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1

# The whole program cross-built for Windows against Qt built from Debian's
# sources (once, cached), and its tests run under Wine. The build lists each
# GoogleTest program's cases under Wine, with a time limit that must not pay
# for making the Wine prefix: that is made first, in a step of its own with a
# bounded wait. The Wine server the tests started is stopped afterwards, pass
# or fail.
WINDOWS_CONFIGURE = cmake --preset windows -DQUILLMERE_QT_PREFIX=$$(scripts/build-qt-windows)
WINE_PREFIX = $(CURDIR)/build-windows/wine
windows-build:
	@scripts/install-deps windows
	$(WINDOWS_CONFIGURE)
	timeout 300 cmake/wine-run $(WINE_PREFIX) cmd /c ver
	cmake --build --preset windows

windows-test: windows-build
	ctest --preset windows; status=$$?; WINEPREFIX=$(WINE_PREFIX) wineserver -k; exit $$status

# build-windows/quillmere-<version>-windows-x64.zip, the portable program,
# and build-windows/quillmere-<version>-windows-x64.msi, its installer.
windows-package: windows-build
	@scripts/install-deps windows-package
	cd build-windows && cpack
	cmake --build --preset windows --target quillmere_msi

# The Windows zip and installer built twice, from two folders: the same zip
# bytes, and the same tables and files in the installer.
windows-reproducible-test:
	@scripts/install-deps windows windows-package reproducible
	packaging/check-reproducible windows

# The Windows program under Wine on a virtual display with Openbox, driven
# from the keyboard and read through the clipboard; then its installer.
windows-desktop-test: windows-package
	@scripts/install-deps display windows-desktop
	xvfb-run -a -s '-screen 0 1280x1024x24' tests/desktop/windows_test.py \
		build-windows/quillmere-*-windows-x64.zip build-windows/quillmere-*-windows-x64.msi

# The real window under Openbox on X11, and under headless Weston and sway on
# Wayland: matched to its desktop entry, offering no maximize, surviving one.
desktop-test: build
	@scripts/install-deps display desktop
	xvfb-run -a -s '-screen 0 1280x1024x24' tests/desktop/desktop_test.py build/bin/quillmere app/org.quillmere.Quillmere.desktop

# The packages built twice, from two folders at two times: the same bytes.
reproducible-test:
	@scripts/install-deps build package reproducible
	packaging/check-reproducible

# The real program read by the Orca screen reader, on a virtual display with a
# private D-Bus session; what Orca speaks is checked step by step.
accessibility-test: build
	@scripts/install-deps display screen-reader
	xvfb-run -a -s '-screen 0 1280x1024x24' dbus-run-session -- tests/accessibility/orca_test.py build/bin/quillmere

# The current Debian release, in a chroot made once and cached: the README's
# test command there, and Orca there reading the package built here.
DEBIAN_CURRENT ?= trixie
current-debian-test: package
	@scripts/install-deps chroot
	scripts/current-debian-test $(DEBIAN_CURRENT) build/quillmere_*_$$(dpkg --print-architecture).deb

clean:
	rm -rf build build-sanitize build-windows
