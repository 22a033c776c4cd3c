#pragma once

#include <optional>
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

// The runtime folder, where the windows live as sockets (WindowRegistry):
// $NAV_MANAGER_RUNTIME_DIR, else $XDG_RUNTIME_DIR/nav_manager, else a folder
// under the home folder ($HOME, else the password database's) that no other
// user can take first: HOME/.cache/nav_manager, or, where that path is too
// long for a socket address, a private folder in /tmp whose absolute path is
// recorded in HOME/.cache/nav_manager.runtime (locked from its reading to
// its writing, so that racing starts share one folder; empty when the record
// cannot be written: no folder a later start could not find).
// /tmp/nav_manager-<uid> only without any home folder.
std::string RuntimeDirectoryFromEnvironment();
// The same folder, found without creating anything: empty when it would
// first have to be made (then no instance can be running in it).
std::string ExistingRuntimeDirectoryFromEnvironment();

// Creates the runtime folder `directory` (mode 0700) when it is missing.
// Why it cannot be used, or nothing when it can: it must be a directory of
// this user (not a symbolic link) that group and others may not write to.
std::optional<std::string> PrepareRuntimeDirectory(const std::string& directory);
// The same check of a folder that must already exist; nothing is created.
std::optional<std::string> CheckRuntimeDirectory(const std::string& directory);

}  // namespace nav::posix
