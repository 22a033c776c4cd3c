#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nav {

// The ordered list of wide texts through which every command goes in and
// every reply comes out: element 0 carries a command into a call, afterwards
// the list holds the reply's fields.
//
// The texts lie one after another in one buffer, each element taking only
// its end's offset besides: a reply of a million empty fields (1 MiB of bars)
// costs 4 MiB here instead of a separate string object per field.
class CommandList {
 public:
  // Gives back the storage of a long list (a reply of a million empty fields,
  // say), which would otherwise stay with the process for good.
  void Clear();
  // Makes room for `elements` more elements of `characters` characters in
  // all, so that appending them allocates once.
  void Reserve(std::size_t elements, std::size_t characters);
  // Stores `text` at `index`; an index at or beyond the size first grows the
  // list to index + 1, the new slots holding empty texts.
  void PutAt(std::size_t index, std::wstring_view text);
  // A copy of the text at `index`, 0 <= index < Size().
  [[nodiscard]] std::wstring At(std::size_t index) const;
  [[nodiscard]] std::size_t Size() const { return ends_.size(); }
  [[nodiscard]] bool IsEmpty() const { return ends_.empty(); }
  // Elements there is room for without allocating.
  [[nodiscard]] std::size_t Capacity() const { return ends_.capacity(); }
  // Bytes of storage the list holds.
  [[nodiscard]] std::size_t StorageBytes() const {
    return ends_.capacity() * sizeof(Offset) + text_.capacity() * sizeof(wchar_t);
  }

  // Slots kept across a Clear: far more than any command or reply needs.
  static constexpr std::size_t kKeptCapacity = 64;

 private:
  // A list's texts come from a reply of at most a few MiB and a command.
  using Offset = std::uint32_t;

  [[nodiscard]] std::size_t Begin(std::size_t index) const {
    return index == 0 ? 0 : ends_[index - 1];
  }

  std::wstring text_;
  std::vector<Offset> ends_;  // where each element ends in text_
};

}  // namespace nav
