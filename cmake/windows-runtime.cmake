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
set(test_plugins)
if(BUILD_TESTING)
    set(test_dlls $<TARGET_FILE:Qt6::Test>)
    set(test_plugins $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
endif()
add_custom_target(quillmere_windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${program_dlls} ${test_dlls} ${bin}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platform_plugin} ${test_plugins} ${bin}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${style_plugin} ${bin}/styles
    VERBATIM)

install(FILES ${program_dlls} DESTINATION .)
install(FILES ${platform_plugin} DESTINATION platforms)
install(FILES ${style_plugin} DESTINATION styles)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${QT6_INSTALL_PREFIX}/LICENSE.LGPL-3 DESTINATION . RENAME LICENSE-Qt.txt)
install(FILES ${QT6_INSTALL_PREFIX}/SOURCE DESTINATION . RENAME SOURCE-Qt.txt)
