#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace nav {

// The ordered list of wide texts through which every command goes in and
// every reply comes out: element 0 carries a command into a call, afterwards
// the list holds the reply's fields.
class CommandList {
 public:
  // Gives back the storage of a long list (a reply of a million empty fields,
  // say), which would otherwise stay with the process for good.
  void Clear() {
    if (items_.capacity() > kKeptCapacity) {
      std::vector<std::wstring>().swap(items_);
    } else {
      items_.clear();
    }
  }
  // Stores `text` at `index`; an index at or beyond the size first grows the
  // list to index + 1, the new slots holding empty texts.
  void PutAt(std::size_t index, std::wstring text) {
    if (index >= items_.size()) items_.resize(index + 1);
    items_[index] = std::move(text);
  }
  void Append(std::wstring text) { items_.push_back(std::move(text)); }
  [[nodiscard]] const std::wstring& At(std::size_t index) const { return items_.at(index); }
  [[nodiscard]] std::size_t Size() const { return items_.size(); }
  [[nodiscard]] bool IsEmpty() const { return items_.empty(); }
  [[nodiscard]] std::size_t Capacity() const { return items_.capacity(); }

  // Slots kept across a Clear: far more than any command or reply needs.
  static constexpr std::size_t kKeptCapacity = 64;

 private:
  std::vector<std::wstring> items_;
};

}  // namespace nav
