# The Windows program's installer and portable zip, made by the target wakelatch_dist into dist/ of the build
# folder (scripts/build-windows.sh). The program is the target named by WAKELATCH_WINDOWS_PROGRAM; it is
# shipped as Wakelatch.exe, stripped of its symbols and debugging information, with README.md beside it.
set(WAKELATCH_WINDOWS_PROGRAM Wakelatch CACHE STRING "The target of the Windows program that is packaged")

if(NOT TARGET ${WAKELATCH_WINDOWS_PROGRAM})
  add_custom_target(wakelatch_dist
    COMMAND ${CMAKE_COMMAND} -E echo
            "Packaging skipped: there is no target ${WAKELATCH_WINDOWS_PROGRAM} (the Windows program) yet."
    VERBATIM)
  return()
endif()

find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  add_custom_target(wakelatch_dist
    COMMAND ${CMAKE_COMMAND} -E echo "Packaging needs makensis (Debian package nsis)."
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
  return()
endif()

set(dist ${PROJECT_BINARY_DIR}/dist)
set(staging ${PROJECT_BINARY_DIR}/dist-staging/Wakelatch)
set(installer ${dist}/Wakelatch-${PROJECT_VERSION}-setup.exe)
set(zip ${dist}/Wakelatch-${PROJECT_VERSION}-portable.zip)
set(readme ${PROJECT_SOURCE_DIR}/README.md)

add_custom_command(
  OUTPUT ${staging}/Wakelatch.exe ${staging}/README.md
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
  COMMAND ${CMAKE_STRIP} --strip-all -o ${staging}/Wakelatch.exe $<TARGET_FILE:${WAKELATCH_WINDOWS_PROGRAM}>
  COMMAND ${CMAKE_COMMAND} -E copy ${readme} ${staging}/README.md
  DEPENDS ${WAKELATCH_WINDOWS_PROGRAM} ${readme}
  COMMENT "Staging Wakelatch.exe and README.md"
  VERBATIM)

add_custom_command(
  OUTPUT ${installer}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=${staging}/Wakelatch.exe
          -DREADME=${staging}/README.md -DICON=${WAKELATCH_APPLICATION_ICON} -DOUTFILE=${installer}
          ${WAKELATCH_INSTALLER_SCRIPT}
  DEPENDS ${staging}/Wakelatch.exe ${staging}/README.md ${WAKELATCH_INSTALLER_SCRIPT} ${WAKELATCH_APPLICATION_ICON}
          wakelatch_icons
  COMMENT "Making the installer ${installer}"
  VERBATIM)

# The portable zip unpacks into one folder, Wakelatch\.
add_custom_command(
  OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${staging}/.. ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip Wakelatch
  DEPENDS ${staging}/Wakelatch.exe ${staging}/README.md
  COMMENT "Making the portable zip ${zip}"
  VERBATIM)

add_custom_target(wakelatch_dist DEPENDS ${installer} ${zip})
