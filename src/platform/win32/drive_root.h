#pragma once

#include <string>

namespace nav::win32 {

// The root that a path's "\..." hangs from: its drive ("C:") or its share
// ("\\server\share"), in the long forms too ("\\?\C:", "\\?\UNC\server\share"),
// without a closing backslash. Empty for a path that names neither.
std::wstring DriveRootOf(const std::wstring& path);

// The long form of a full path, which the file functions take beyond
// MAX_PATH: "C:\x" becomes "\\?\C:\x", "\\server\share\x" becomes
// "\\?\UNC\server\share\x"; a path already in a long form stays as it is.
std::wstring LongFormOf(const std::wstring& path);

// The plain form of a path, which the functions that take no long form need:
// "\\?\C:\x" becomes "C:\x", "\\?\UNC\server\share\x" becomes
// "\\server\share\x"; any other path stays as it is.
std::wstring PlainFormOf(const std::wstring& path);

// The root of the drive or share the running program lies on, so that the
// handheld's "\TomTom\..." means the same folder whatever the current drive;
// empty when the program's path is unknown (the current drive then serves).
std::wstring ProgramDriveRoot();

}  // namespace nav::win32
