#include "filecall/command_list.h"

namespace nav {
namespace {

// Characters kept across a Clear: far more than any command needs.
constexpr std::size_t kKeptCharacters = 1024;

}  // namespace

void CommandList::Clear() {
  if (ends_.capacity() > kKeptCapacity) {
    std::vector<Offset>().swap(ends_);
  } else {
    ends_.clear();
  }
  if (text_.capacity() > kKeptCharacters) {
    std::wstring().swap(text_);
  } else {
    text_.clear();
  }
}

void CommandList::Reserve(std::size_t elements, std::size_t characters) {
  ends_.reserve(ends_.size() + elements);
  text_.reserve(text_.size() + characters);
}

void CommandList::PutAt(std::size_t index, std::wstring_view text) {
  if (index >= ends_.size()) {
    ends_.resize(index, static_cast<Offset>(text_.size()));
    text_.append(text);
    ends_.push_back(static_cast<Offset>(text_.size()));
    return;
  }
  const std::size_t begin = Begin(index);
  const std::size_t length = ends_[index] - begin;
  text_.replace(begin, length, text);
  // The elements from here on move by the change in length.
  for (std::size_t i = index; i < ends_.size(); ++i) {
    ends_[i] = static_cast<Offset>(ends_[i] - length + text.size());
  }
}

std::wstring CommandList::At(std::size_t index) const {
  const std::size_t end = ends_.at(index);
  return text_.substr(Begin(index), end - Begin(index));
}

}  // namespace nav
