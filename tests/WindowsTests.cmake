# The Windows backend under Wine, against the registry and files of the test script's private prefix.

add_executable(wakelatch_windows_platform_tests
  windows/FoldersAndFilesTest.cpp
  windows/InstanceAndEndTest.cpp
  windows/ProgramsTest.cpp
  windows/RegistryTest.cpp
  windows/StartupOnWindowsTest.cpp)
target_include_directories(wakelatch_windows_platform_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wakelatch_windows_platform_tests PRIVATE wakelatch_platform wakelatch_startup
                                                               GTest::gtest_main)
wakelatch_discover_tests(wakelatch_windows_platform_tests "windows.")

add_executable(wakelatch_windows_drive_tests windows/WindowsDrivePlatformTest.cpp)
target_link_libraries(wakelatch_windows_drive_tests PRIVATE wakelatch_platform GTest::gtest_main)
target_include_directories(wakelatch_windows_drive_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
wakelatch_discover_tests(wakelatch_windows_drive_tests "windows.")

# Every Windows program is one self-contained .exe: it imports system DLLs only.
add_test(NAME windows.system_imports_only
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/system_imports.sh $<TARGET_FILE:wakelatch_unit_tests>
                 $<TARGET_FILE:wakelatch_windows_platform_tests> $<TARGET_FILE:wakelatch_windows_drive_tests>
                 $<TARGET_FILE:wakelatch_win32ui_tests>)

# The Win32 controls and the main window under Wine; window tests skip where Wine has no display.
add_executable(wakelatch_win32ui_tests
  win32/Win32ControlsTest.cpp
  win32/Win32GeometryTest.cpp
  win32/Win32MainWindowViewTest.cpp)
target_include_directories(wakelatch_win32ui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wakelatch_win32ui_tests PRIVATE wakelatch_win32ui GTest::gtest_main)
wakelatch_discover_tests(wakelatch_win32ui_tests "win32.")
