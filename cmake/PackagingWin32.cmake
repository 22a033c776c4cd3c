# `cpack --preset win32`: a ZIP of what a Windows user copies into one folder,
# nav_manager.exe with StartSound.wav and EndSound.wav beside it.
set(CPACK_PACKAGE_NAME nav_manager)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR ZIP)
# Without the debugging information of RelWithDebInfo: a few hundred KiB.
set(CPACK_STRIP_FILES ON)
# Only the "device" part of the install rules; the tools stay out.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};device;/")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
