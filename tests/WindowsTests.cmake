# The Windows backend under Wine, against the registry and files of the test script's private prefix.

# Every Windows program is one self-contained .exe: it imports system DLLs only.
add_test(NAME windows.system_imports_only
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/system_imports.sh $<TARGET_FILE:wakelatch_unit_tests>)
