# The Win32 side against the real API, under Wine: exclusive files (also
# across processes), the reply marker, the zone from TZ, windows and stop
# requests across processes, the timer, long program paths, and what the
# program's file carries.
add_executable(win32_test_peer win32_test_peer.cc)
nav_strict_warnings(win32_test_peer)
target_link_options(win32_test_peer PRIVATE -municode)
target_link_libraries(win32_test_peer PRIVATE nav_platform_win32)
set_target_properties(win32_test_peer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

nav_add_test(win32_platform_test
  SOURCES win32_file_system_test.cc win32_clock_test.cc win32_window_system_test.cc
          win32_program_resources_test.cc
  LIBS nav_platform_win32 nav_filecall nav_test_support version)
add_dependencies(win32_platform_test win32_test_peer nav_manager)
target_compile_definitions(win32_platform_test PRIVATE NAV_VERSION=L"${PROJECT_VERSION}")

# One zone per run: Wine takes the zone from TZ when a program starts.
foreach(zone Europe/Amsterdam Australia/Sydney Asia/Tokyo)
  string(REPLACE "/" "_" label ${zone})
  add_test(NAME win32_clock.${label}
    COMMAND win32_platform_test --gtest_filter=Win32ClockTest.*)
  set_tests_properties(win32_clock.${label} PROPERTIES ENVIRONMENT "TZ=${zone}")
endforeach()
