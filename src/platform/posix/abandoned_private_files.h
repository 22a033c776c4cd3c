#pragma once

#include <string>

namespace nav::posix {

// A private name is unlinked right after its file is linked into place; one
// whose creator was killed in between would stay for good. Removes those in
// `directory` of this user whose process has gone: regular files only, and
// unlinking never follows a link.
void RemoveAbandonedPrivateFiles(const std::string& directory);

}  // namespace nav::posix
