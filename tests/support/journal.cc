#include "support/journal.h"

namespace nav::testing {

std::vector<std::string> Journal::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(entries_.size());
  for (const Entry& entry : entries_) texts.push_back(entry.what);
  return texts;
}

std::vector<Journal::Entry> Journal::Starting(std::string_view prefix) const {
  std::vector<Entry> matching;
  for (const Entry& entry : entries_) {
    if (std::string_view{entry.what}.starts_with(prefix)) matching.push_back(entry);
  }
  return matching;
}

std::string Ascii(std::wstring_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  for (const wchar_t c : text) ascii.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  return ascii;
}

}  // namespace nav::testing
