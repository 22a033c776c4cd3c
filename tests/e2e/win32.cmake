# nav_manager.exe against navsim.exe under Wine, at real time, in a prefix of
# its own that plays sound into files.
add_test(NAME e2e.win32_toggle_and_tick
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32_toggle_and_tick.sh
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_BINARY_DIR}/tests
    ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set_tests_properties(e2e.win32_toggle_and_tick PROPERTIES TIMEOUT 360)

# The installer, made by cpack from this build and run silently in a fresh
# Wine prefix.
add_test(NAME e2e.win32_installer
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32_installer.sh
    ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/tests
    ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_CPACK_COMMAND})
set_tests_properties(e2e.win32_installer PROPERTIES TIMEOUT 240)
