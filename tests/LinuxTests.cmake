find_package(Qt6 REQUIRED COMPONENTS Test)

# The Linux backend against temporary folders and fake mount tables.
wakelatch_test_program(wakelatch_platform_tests PREFIX "platform."
  SOURCES
    platform/CallGateTest.cpp
    platform/DesktopAutostartTest.cpp
    platform/DeviceReaderTest.cpp
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

# A script of integration/ as a test: `script` run with the arguments after `timeout` (seconds), alone,
# skipped where it exits with 77 (a facility missing).
function(wakelatch_script_test name script timeout)
  add_test(NAME integration.${name} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/integration/${script} ${ARGN})
  set_tests_properties(integration.${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${timeout} RUN_SERIAL TRUE)
endfunction()

# The real program under X: skipped where no X display is reachable.
wakelatch_script_test(startup_and_shutdown startup_shutdown.sh 240 $<TARGET_FILE:wakelatch>)

# The drive platform against real mounts (root; loop devices, FUSE, sshd).
add_library(wakelatch_test_support STATIC support/LoopImage.cpp)
target_include_directories(wakelatch_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

wakelatch_test_program(wakelatch_drive_integration_tests PREFIX "integration."
  SOURCES integration/DriveIntegrationTest.cpp
  LIBRARIES wakelatch_drives wakelatch_platform wakelatch_test_support GTest::gtest_main
  DEFINITIONS WAKELATCH_DRIVE_HELPER="$<TARGET_FILE:wakelatch-drive-helper>"
              WAKELATCH_LOOPBACK_SSHD="${CMAKE_CURRENT_SOURCE_DIR}/integration/loopback_sshd.sh"
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)

# The tray icon in a real tray host (trayer) under X: its pictures through a pass. About 75 s.
wakelatch_script_test(tray_icon tray.sh 180 $<TARGET_FILE:wakelatch>)

# A ticked sshfs share whose server is frozen: the window keeps answering, and the program still ends.
wakelatch_script_test(frozen_share frozen_share.sh 120 $<TARGET_FILE:wakelatch>)

# As users install it: the install rules into a folder (desktop entry and AppStream metadata validated), the
# Debian package made with CPack from this build folder (its files, lintian), and the package installed
# with apt (root), started under X, ended and removed again. About 30 s.
wakelatch_script_test(debian_package debian_package.sh 180 ${PROJECT_BINARY_DIR})

# Under a window manager (openbox) with a tray host: when the tray menu opens, how the About window moves
# and whom it belongs to. About 5 s.
wakelatch_script_test(desktop desktop.sh 120 $<TARGET_FILE:wakelatch>)
