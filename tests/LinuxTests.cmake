find_package(Qt6 REQUIRED COMPONENTS Test)

# The Linux backend against temporary folders and fake mount tables.
wakelatch_test_program(wakelatch_platform_tests PREFIX "platform."
  SOURCES
    platform/CallGateTest.cpp
    platform/DesktopAutostartTest.cpp
    platform/DeviceReaderTest.cpp
    platform/DriveHelperLocationTest.cpp
    platform/DriveInventoryTest.cpp
    platform/DriveMapTest.cpp
    platform/FileSystemTest.cpp
    platform/IniSettingsStoreTest.cpp
    platform/MountCommandTest.cpp
    platform/MountTableTest.cpp
    platform/ProgramsTest.cpp
    platform/XdgFoldersTest.cpp
  LIBRARIES wakelatch_platform wakelatch_support Qt6::Core GTest::gtest_main
  DEFINITIONS WAKELATCH_DRIVE_HELPER="$<TARGET_FILE:wakelatch-drive-helper>")

# Widgets and Qt services, offscreen.
wakelatch_test_program(wakelatch_widget_tests PREFIX "widget."
  SOURCES
    widget/AwaiterTest.cpp
    widget/CaptionsTest.cpp
    widget/InstanceGuardTest.cpp
    widget/MainWindowViewTest.cpp
    widget/OptionsDialogWidgetTest.cpp
    widget/ShapedAndHelpTest.cpp
    widget/WidgetTestMain.cpp
  LIBRARIES wakelatch_app Qt6::Test GTest::gtest)

# The real program under X: skipped (exit 77) where no X display is reachable.
add_test(NAME integration.startup_and_shutdown
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/startup_shutdown.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.startup_and_shutdown PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)
add_test(NAME integration.hostile_files
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/hostile_files.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.hostile_files PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)

# The drive platform against real mounts (root; loop devices, FUSE, sshd).
add_library(wakelatch_test_support STATIC support/LoopImage.cpp)
target_include_directories(wakelatch_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

wakelatch_test_program(wakelatch_drive_integration_tests PREFIX "integration."
  SOURCES integration/DriveIntegrationTest.cpp
  LIBRARIES wakelatch_drives wakelatch_platform wakelatch_test_support GTest::gtest_main
  DEFINITIONS WAKELATCH_DRIVE_HELPER="$<TARGET_FILE:wakelatch-drive-helper>"
              WAKELATCH_LOOPBACK_SSHD="${CMAKE_CURRENT_SOURCE_DIR}/integration/loopback_sshd.sh"
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)

# The tray icon in a real tray host (trayer) under X: pictures, pass, clicks. About 75 s.
add_test(NAME integration.tray_icon
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/tray.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.tray_icon PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)

# A ticked sshfs share whose server is frozen: the window keeps answering, and the program still ends.
add_test(NAME integration.frozen_share
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/frozen_share.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.frozen_share PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)

# Two ticked loop drives, one reachable and one not for an ordinary user: after a pass the rows' tooltips,
# read through the accessibility bus, say which was reached and why the other was not. About 15 s.
add_test(NAME integration.drive_hints
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/drive_hints.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.drive_hints PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)

# As users install it: the install rules into a folder (desktop entry and AppStream metadata validated), the
# Debian package made with CPack from this build folder (its files, lintian), and the package installed
# with apt (root), started under X, ended and removed again. About 30 s.
add_test(NAME integration.debian_package
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/debian_package.sh ${PROJECT_BINARY_DIR})
set_tests_properties(integration.debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)

# Under a window manager (openbox) with a tray host: when the tray menu opens, how the About window moves
# and whom it belongs to. About 5 s.
add_test(NAME integration.desktop
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/desktop.sh $<TARGET_FILE:wakelatch>)
set_tests_properties(integration.desktop PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
