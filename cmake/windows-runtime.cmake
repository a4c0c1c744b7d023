# What a Qt program needs beside it on Windows: Qt's DLLs, the compiler's
# run-time DLLs they were built with, and the platform and style plugins.
# They are copied next to the built programs, so that the tests run as the
# shipped program does, and installed with the program.
set(qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(program_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    ${qt_bin}/libstdc++-6.dll ${qt_bin}/libgcc_s_seh-1.dll ${qt_bin}/libwinpthread-1.dll)
set(platform_plugin $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
# The native looks: windowsvista on Windows 10, windows11 on Windows 11 (which
# follows the system into dark mode). Without it Qt draws the classic one.
set(style_plugin $<TARGET_FILE:Qt6::QModernWindowsStylePlugin>)

set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(test_dlls)
set(copy_test_plugin)
if(BUILD_TESTING)
    set(test_dlls $<TARGET_FILE:Qt6::Test>)
    set(copy_test_plugin COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> ${bin}/platforms)
endif()
# The plugins load once the program runs, when all they import besides
# Windows' own DLLs is loaded: Windows may look for their imports in System32
# alone. Qt and the compiler's run-time load at start, from beside the program.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(shipped_platform_plugin ${bin}/platforms/qwindows.dll)
set(shipped_style_plugin ${bin}/styles/qmodernwindowsstyle.dll)
set(load_from_system32 ${PROJECT_SOURCE_DIR}/packaging/windows/load-from-system32)
add_custom_command(OUTPUT ${shipped_platform_plugin} ${shipped_style_plugin}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles
    COMMAND ${CMAKE_COMMAND} -E copy ${platform_plugin} ${bin}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy ${style_plugin} ${bin}/styles
    COMMAND Python3::Interpreter ${load_from_system32} ${shipped_platform_plugin} ${shipped_style_plugin}
    DEPENDS ${platform_plugin} ${style_plugin} ${load_from_system32}
    VERBATIM)
add_custom_target(quillmere_windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${program_dlls} ${test_dlls} ${bin}
    ${copy_test_plugin}
    DEPENDS ${shipped_platform_plugin} ${shipped_style_plugin}
    VERBATIM)

# quillmere.exe, the launcher (app/launcher_windows.c): it loads each DLL of
# the folder by its full path, in the order their import tables give, and so
# imports nothing but Windows' KnownDLLs itself. The build fails if it ever
# imports more, and its own imports, should one be added, are looked for in
# System32 alone. It carries the version record, icon and manifest.
enable_language(C)
set(shipped_dlls ${program_dlls} $<TARGET_FILE:quillmere_program>)
set(load_order ${PROJECT_SOURCE_DIR}/packaging/windows/load-order)
set(load_order_header ${CMAKE_CURRENT_BINARY_DIR}/load_order.h)
add_custom_command(OUTPUT ${load_order_header}
    COMMAND Python3::Interpreter ${load_order} ${load_order_header} ${shipped_dlls}
    DEPENDS ${shipped_dlls} ${load_order} ${PROJECT_SOURCE_DIR}/packaging/windows/pe_image.py
    VERBATIM)
add_executable(quillmere WIN32 ${PROJECT_SOURCE_DIR}/app/launcher_windows.c ${load_order_header})
target_include_directories(quillmere PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
set_target_properties(quillmere PROPERTIES LINKER_LANGUAGE C AUTOMOC OFF)
target_compile_definitions(quillmere PRIVATE QUILLMERE_PROGRAM_DLL=L"$<TARGET_FILE_NAME:quillmere_program>")
target_link_libraries(quillmere PRIVATE quillmere_version_resource)
add_custom_command(TARGET quillmere POST_BUILD
    COMMAND Python3::Interpreter ${load_order} --check-launcher $<TARGET_FILE:quillmere>
    COMMAND Python3::Interpreter ${load_from_system32} $<TARGET_FILE:quillmere>
    VERBATIM)

# The program in bin/ runs only with them beside it, and its install takes the plugins from there.
add_dependencies(quillmere quillmere_windows_runtime)

install(TARGETS quillmere RUNTIME DESTINATION .)
install(FILES ${shipped_dlls} DESTINATION .)
install(FILES ${shipped_platform_plugin} DESTINATION platforms)
install(FILES ${shipped_style_plugin} DESTINATION styles)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${QT6_INSTALL_PREFIX}/LICENSE.LGPL-3 DESTINATION . RENAME LICENSE-Qt.txt)
install(FILES ${QT6_INSTALL_PREFIX}/SOURCE DESTINATION . RENAME SOURCE-Qt.txt)
