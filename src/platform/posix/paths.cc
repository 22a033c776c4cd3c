#include "platform/posix/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "text/utf8.h"

namespace nav::posix {
namespace {

std::string VariableOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string{} : std::string{value};
}

std::string HomeFromPasswordDatabase() {
  long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

std::string HandheldRootFromEnvironment() {
  std::string root = VariableOrEmpty("NAV_MANAGER_ROOT");
  if (root.empty()) root = VariableOrEmpty("HOME");
  if (root.empty()) root = HomeFromPasswordDatabase();
  return root;
}

std::string NativePathFromHandheld(std::string_view root, std::wstring_view handheldPath) {
  std::string native{root};
  while (!native.empty() && native.back() == '/') native.pop_back();
  if (handheldPath.empty() || handheldPath.front() != L'\\') native.push_back('/');
  for (char c : Utf8FromWide(handheldPath)) native.push_back(c == '\\' ? '/' : c);
  return native;
}

}  // namespace nav::posix
