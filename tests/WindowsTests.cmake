# The Windows backend under Wine, against the registry and files of the test script's private prefix.

add_executable(wakelatch_windows_drive_tests windows/WindowsDrivePlatformTest.cpp)
target_link_libraries(wakelatch_windows_drive_tests PRIVATE wakelatch_platform GTest::gtest_main)
wakelatch_discover_tests(wakelatch_windows_drive_tests "windows.")
