#pragma once

#include "platform/win32/win32_file_system.h"

namespace nav::testing {

// The platform's own file system, rooted at a directory of the test's.
using NativeFileSystem = win32::Win32FileSystem;

}  // namespace nav::testing
