# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which C++ threads and GoogleTest expect). Programs link the compiler's
# run-time statically; the test suite runs under Wine (cmake/wine-run) in a
# prefix kept inside the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Qt for Windows (scripts/build-qt-windows) is found in its own prefix.
set(QUILLMERE_QT_PREFIX "" CACHE PATH "Qt built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUILLMERE_QT_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix} ${QUILLMERE_QT_PREFIX})
set(CMAKE_PREFIX_PATH ${QUILLMERE_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's Qt leaves its plugins out of a program's build unless asked; the
# Windows build copies and ships them.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)

# No link time in the executable's header: the same sources give the same
# bytes. Stripped as it is linked, since a later strip would stamp the time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine)
