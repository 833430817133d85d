# The Windows backend under Wine, against the registry and files of the test script's private prefix.

wakelatch_test_program(wakelatch_windows_platform_tests PREFIX "windows."
  SOURCES
    windows/WindowsDrivePlatformTest.cpp
    windows/WindowsSystemTest.cpp
  LIBRARIES wakelatch_platform wakelatch_startup GTest::gtest_main)

# The Win32 windows and controls under Wine; window tests skip where Wine has no display.
wakelatch_test_program(wakelatch_win32_tests PREFIX "win32."
  SOURCES
    win32/Win32ControlsTest.cpp
    win32/Win32MainWindowViewTest.cpp
    win32/Win32OtherWindowsTest.cpp
  LIBRARIES wakelatch_win32app GTest::gtest_main)

# The installer: a silent install under Wine, the installed Wakelatch.exe started (from its own folder: a
# program that needs the compiler's DLLs fails there), a silent uninstall that ends it.
add_test(NAME windows.installer
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer.sh ${WAKELATCH_INSTALLER_SCRIPT}
                 $<TARGET_FILE:Wakelatch> ${CMAKE_STRIP} ${PROJECT_SOURCE_DIR}/README.md
                 ${WAKELATCH_APPLICATION_ICON} ${CMAKE_CURRENT_BINARY_DIR}/installer-test)
set_tests_properties(windows.installer PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 90)

# The real program under Wine on a display with a tray host, driven from outside (xdotool, the registry)
# and through a probe that finds the program's controls and their places from inside Wine.
add_executable(wakelatch_window_probe windows/WindowProbe.cpp)
target_link_libraries(wakelatch_window_probe PRIVATE wakelatch_platform)
add_test(NAME windows.program
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/program.sh $<TARGET_FILE:Wakelatch>
                 $<TARGET_FILE:wakelatch_window_probe> ${CMAKE_CURRENT_BINARY_DIR}/program-test)
set_tests_properties(windows.program PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
