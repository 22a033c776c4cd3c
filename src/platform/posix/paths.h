#pragma once

#include <string>
#include <string_view>

namespace nav::posix {

// The directory that stands for the handheld's root "\": $NAV_MANAGER_ROOT,
// else $HOME, else the user's home directory from the password database
// (an unset or empty variable counts as missing). Empty when none is known,
// which puts the handheld's root at the file system's root.
std::string HandheldRootFromEnvironment();

// Maps a handheld path ("\TomTom\SdkFileCalls\x") onto a native path under
// `root` ("<root>/TomTom/SdkFileCalls/x"): backslashes become slashes and the
// text becomes UTF-8. A path without its leading "\" is taken from the root
// all the same.
std::string NativePathFromHandheld(std::string_view root, std::wstring_view handheldPath);

}  // namespace nav::posix
