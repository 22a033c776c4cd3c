#pragma once

#include "platform/posix/posix_file_system.h"

namespace nav::testing {

// The platform's own file system, rooted at a directory of the test's.
using NativeFileSystem = posix::PosixFileSystem;

}  // namespace nav::testing
