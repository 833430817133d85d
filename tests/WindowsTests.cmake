# The Windows backend under Wine, against the registry and files of the test script's private prefix.
add_executable(wakelatch_windows_platform_tests
  windows/FoldersAndFilesTest.cpp
  windows/InstanceAndEndTest.cpp
  windows/ProgramsTest.cpp
  windows/RegistryTest.cpp)
target_include_directories(wakelatch_windows_platform_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wakelatch_windows_platform_tests PRIVATE wakelatch_platform wakelatch_support
                                                               wakelatch_settings GTest::gtest_main)
wakelatch_discover_tests(wakelatch_windows_platform_tests "windows.")
