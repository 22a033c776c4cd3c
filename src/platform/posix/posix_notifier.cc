#include "platform/posix/posix_notifier.h"

#include <unistd.h>

#include <cerrno>

#include "text/utf8.h"

namespace nav::posix {
namespace {

// Keeps the message on its one line whatever the texts hold.
std::string OneLine(const std::wstring& text) {
  std::string line = Utf8FromWide(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

}  // namespace

void PosixNotifier::ShowMessage(const std::wstring& text, const std::wstring& caption) {
  const std::string line = OneLine(caption) + ": " + OneLine(text) + "\n";
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t put = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;  // nowhere to say it; the program goes on regardless
    done += static_cast<std::size_t>(put);
  }
}

}  // namespace nav::posix
