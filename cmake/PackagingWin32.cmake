# `cpack --preset win32` writes two packages into build-win32/package/:
#   nav_manager-<version>-win64.zip        what a Windows user copies into one
#                                          folder: nav_manager.exe, its two
#                                          sounds, README.txt and LICENSE.txt
#   nav_manager-<version>-win64-setup.exe  a 64-bit installer of the same files
#                                          (and, optionally, suntimes.exe)
# Both are made from two install components: "device" (the program, its sounds
# and texts) and "utilities" (suntimes.exe, an option of the installer).

# The texts a Windows user reads, with Windows line ends. LICENSE.txt carries the
# project's licence and the notices of the MinGW-w64 and GCC runtime parts that
# are linked into every program.
set(_nav_dist ${PROJECT_SOURCE_DIR}/dist/win32)
set(_nav_texts ${CMAKE_BINARY_DIR}/dist-win32)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${_nav_dist}/README.txt.in ${_nav_dist}/THIRD-PARTY-NOTICES.txt ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${_nav_dist}/README.txt.in _nav_readme)
string(CONFIGURE "${_nav_readme}" _nav_readme @ONLY)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _nav_license)
file(READ ${_nav_dist}/THIRD-PARTY-NOTICES.txt _nav_notices)
foreach(_text IN ITEMS readme license notices)
  string(REPLACE "\n" "\r\n" _nav_${_text} "${_nav_${_text}}")
endforeach()
file(WRITE ${_nav_texts}/README.txt "${_nav_readme}")
file(WRITE ${_nav_texts}/LICENSE.txt "${_nav_license}\r\n\r\n${_nav_notices}")
install(FILES ${_nav_texts}/README.txt ${_nav_texts}/LICENSE.txt DESTINATION . COMPONENT device)
install(TARGETS suntimes RUNTIME DESTINATION . COMPONENT utilities)

set(CPACK_PACKAGE_NAME nav_manager)
set(CPACK_PACKAGE_VENDOR "The nav_manager authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
# Without the debugging information of RelWithDebInfo: a few hundred KiB.
set(CPACK_STRIP_FILES ON)
# The NSIS commands below reach the script exactly as written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_COMPONENTS_ALL device utilities)
set(CPACK_COMPONENT_DEVICE_DISPLAY_NAME "nav_manager")
set(CPACK_COMPONENT_DEVICE_DESCRIPTION
    "The program, its start and end sounds, README.txt and LICENSE.txt.")
set(CPACK_COMPONENT_DEVICE_REQUIRED ON)
set(CPACK_COMPONENT_UTILITIES_DISPLAY_NAME "Command-line tools")
set(CPACK_COMPONENT_UTILITIES_DESCRIPTION
    "suntimes.exe: sunrise and sunset for a place and date, in a console window.")
set(CPACK_COMPONENT_UTILITIES_DISABLED ON)
# What differs between the ZIP and the installer.
set(CPACK_PROJECT_CONFIG_FILE ${_nav_dist}/cpack-options.cmake)

# The installer: 64-bit (NSIS's amd64-unicode stubs), for every user of the
# machine, into Program Files\nav_manager. CPack replaces CPACK_NSIS_DEFINES
# when there are components, so the target is chosen on makensis's command line.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS [=[-XTarget\ amd64-unicode]=])
set(CPACK_PACKAGE_INSTALL_DIRECTORY nav_manager)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY nav_manager)
set(CPACK_NSIS_PACKAGE_NAME nav_manager)
set(CPACK_NSIS_DISPLAY_NAME nav_manager)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/icons/nav_manager.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/icons/nav_manager.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME nav_manager.exe)
set(CPACK_RESOURCE_FILE_LICENSE ${_nav_texts}/LICENSE.txt)
# An earlier installation is removed first (silently under /S): its uninstaller
# switches a running nav_manager off before the program is replaced.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The on/off switch in the Start menu ("/" cannot be part of a file name). A
# shortcut starts in the folder that is current when it is made: the
# installation folder.
set(CPACK_NSIS_MENU_LINKS nav_manager.exe "nav_manager (on-off)")
# On at every logon: a shortcut in the common Startup folder, when the user
# says yes (the default is no) or the command line has /LOGON.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  !include FileFunc.nsh
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LOGON" $R1
  IfErrors 0 nav_logon
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Switch nav_manager on at every logon?" /SD IDNO IDNO nav_logon_done
  nav_logon:
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMSTARTUP\nav_manager.lnk" "$INSTDIR\nav_manager.exe"
  nav_logon_done:
]=])
# A running nav_manager is switched off first, with the close request a second
# start sends it. Its program file is then deleted before anything else,
# retried for 10 s while the instance ends: one that stays in use (an instance
# that did not answer, or runs in another session) stops the uninstall with
# nothing removed and says so, instead of reporting success with the program
# left behind. The navigator's exchange folder is the navigator's and is never
# touched.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  FindWindow $0 "KW5"
  IntCmp $0 0 nav_delete
  DetailPrint "Switching nav_manager off"
  ; 100 s, as long as the program's own wait for a busy instance
  ; (kCloseAnswerMs): a tick in progress may hold the close request up to
  ; about 90 s. Keep the two in step.
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=100000
  nav_delete:
  StrCpy $1 0
  nav_retry:
  ClearErrors
  Delete "$INSTDIR\nav_manager.exe"
  IfErrors 0 nav_deleted
  IntOp $1 $1 + 1
  IntCmp $1 50 nav_in_use
  Sleep 200
  Goto nav_retry
  nav_in_use:
  MessageBox MB_OK|MB_ICONSTOP \
    "$INSTDIR\nav_manager.exe is in use, so nothing was uninstalled.$\r$\n$\r$\nSwitch nav_manager off (or end it in the Task Manager) and uninstall again." \
    /SD IDOK
  Abort "nav_manager.exe is in use: nothing was uninstalled."
  nav_deleted:
]=])
# After the installation's registry key is gone: the logon entry, and the
# vendor's key once it is empty.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"$SMSTARTUP\\nav_manager.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
include(CPack)
