#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nav {

// The ordered list of wide texts through which every command goes in and
// every reply comes out: element 0 carries a command into a call, afterwards
// the list holds the reply's fields.
class CommandList {
 public:
  void Clear() { items_.clear(); }
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

 private:
  std::vector<std::wstring> items_;
};

}  // namespace nav
