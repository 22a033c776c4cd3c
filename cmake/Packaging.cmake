# The Debian packages: nav-manager (the program, suntimes, the sound player
# and sounds, the launcher and the user unit) and nav-manager-tools (navsim, a
# stand-in navigator for tests and demos).
#   cmake --preset default && cmake --build --preset default && cpack --preset deb

# Debian's compressed changelog and man pages, and the copyright file.
set(_nav_debian ${CMAKE_BINARY_DIR}/debian)
find_program(NAV_GZIP gzip REQUIRED)
set(_nav_compressed)
foreach(_source IN ITEMS dist/debian/changelog docs/man/nav_manager.1 docs/man/suntimes.1
                         docs/man/navsim.1)
  get_filename_component(_name ${_source} NAME)
  add_custom_command(
    OUTPUT ${_nav_debian}/${_name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_nav_debian}
    COMMAND sh -c "${NAV_GZIP} -9nc '${PROJECT_SOURCE_DIR}/${_source}' > '${_nav_debian}/${_name}.gz'"
    DEPENDS ${PROJECT_SOURCE_DIR}/${_source}
    VERBATIM)
  list(APPEND _nav_compressed ${_nav_debian}/${_name}.gz)
endforeach()
add_custom_target(nav_debian_files ALL DEPENDS ${_nav_compressed})

install(FILES ${_nav_debian}/nav_manager.1.gz ${_nav_debian}/suntimes.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_nav_debian}/navsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT tools)
install(FILES dist/debian/copyright ${_nav_debian}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/nav-manager)
install(FILES dist/debian/copyright ${_nav_debian}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/nav-manager-tools COMPONENT tools)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nav-manager)
set(CPACK_PACKAGE_VENDOR "The nav_manager authors")
set(CPACK_PACKAGE_CONTACT "The nav_manager authors <nav-manager@users.noreply.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL main tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_MAIN_PACKAGE_NAME nav-manager)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME nav-manager-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "nav-manager (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_MAIN_DESCRIPTION
    "keeps a car navigator's colour scheme in step with daylight
nav_manager runs beside a car navigation application. Every 38 seconds it
asks the navigator for the GPS position through the navigator's file-based
calls, works out that day's sunrise and sunset there with a solar theory it
carries itself, and tells the navigator to show its day or its night colours.
Starting it again switches it off. The package also holds suntimes, which
prints sunrise and sunset for a place and date.")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
    "stand-in navigator for testing nav_manager
navsim registers the navigator's window and answers nav_manager's file-based
calls with a chosen position, optionally with faults, for demonstrations and
end-to-end tests of nav_manager.")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
