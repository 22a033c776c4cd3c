#include "filecall/text_files.h"

#include "text/narrow_text.h"

namespace nav {

std::int32_t WriteTextFile(platform::FileSystem& files, const std::wstring& path,
                           const std::wstring& text) {
  const auto file = files.CreateForWriting(path);
  if (!file) return kNotWritten;
  // A request cut short must not pass for one written.
  return file->Write(NarrowText(text).Bytes()) ? kWritten : kNotWritten;
}

std::int32_t FileHasContent(platform::FileSystem& files, const std::wstring& path) {
  const auto file = files.OpenForReading(path);
  if (!file) return kCannotOpen;
  const std::int64_t length = file->Length();
  if (length < 0) return kCannotOpen;
  return length > 0 ? kHasContent : kIsEmpty;
}

std::wstring ReadTextFile(platform::FileSystem& files, const std::wstring& path) {
  const auto file = files.OpenForReading(path);
  if (!file) return {};
  const std::int64_t length = file->Length();
  if (length <= 0 || static_cast<std::uint64_t>(length) > kMaxTextFileBytes) return {};
  std::string bytes;
  if (!file->Read(static_cast<std::size_t>(length), bytes)) return {};
  return WideFromNarrow(bytes);
}

}  // namespace nav
