#pragma once

#include <string>

namespace nav::posix {

// A private name is unlinked right after its file is linked into place; one
// whose creator was killed in between would stay for good. Removes those in
// `directory` (or the folder it links to) of this user whose process has
// gone: names exactly as they are made, regular files only, and unlinking
// never follows a link.
void RemoveAbandonedPrivateFiles(const std::string& directory);

}  // namespace nav::posix
