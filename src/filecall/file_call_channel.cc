#include "filecall/file_call_channel.h"

#include "filecall/text_files.h"

namespace nav {

FileCallChannel::FileCallChannel(platform::FileSystem& files, platform::Clock& clock,
                                 platform::Notifier& notifier)
    : files_(files), clock_(clock), notifier_(notifier) {
  // Existing directories are fine; missing ones make every call fail at its
  // request file instead.
  files_.MakeDirectory(L"\\TomTom");
  files_.MakeDirectory(L"\\TomTom\\SdkFileCalls");
}

std::int32_t FileCallChannel::Call(CommandList& list) {
  // A reply left over from an earlier exchange must never pass for this one.
  RemoveReplyFiles();
  if (list.IsEmpty()) return -1;

  const std::wstring command = list.At(0);
  if (command.empty() || command.back() != separator.back()) {
    notifier_.ShowMessage(L"Wrong format of command", L"NAV_Manager");
    return -1;
  }
  list.Clear();

  if (WriteTextFile(files_, requestMessagePath, command) == -1) return -1;
  // The navigator takes the request once its marker exists, so the marker
  // comes only after the request file has been closed.
  if (WriteTextFile(files_, requestFinishedPath, L"finish..") == -1) return -2;

  std::wstring reply;
  if (WaitForReply()) reply = ReadTextFile(files_, replyMessagePath);
  RemoveReplyFiles();
  if (reply.empty()) return -3;

  SplitReply(reply, list);
  return static_cast<std::int32_t>(list.Size());
}

void FileCallChannel::RemoveReplyFiles() {
  files_.RemoveFile(replyMessagePath);
  files_.RemoveFile(replyFinishedPath);
}

bool FileCallChannel::WaitForReply() {
  // The wait is the sum of the intervals slept, not a clock reading: the
  // marker is tested before the first sleep and after every sleep but the
  // last.
  std::uint32_t waited = 0;
  while (true) {
    if (FileHasContent(files_, replyFinishedPath) > 0) return true;
    clock_.Sleep(pollIntervalMs);
    waited += pollIntervalMs;
    if (waited >= timeoutMs) return false;
  }
}

void FileCallChannel::SplitReply(const std::wstring& reply, CommandList& list) const {
  // Each field ends with a bar; an empty field stays, and whatever follows
  // the last bar (a line end, say) is not a field.
  std::size_t pos = 0;
  while (pos < reply.size()) {
    const std::size_t bar = reply.find(separator, pos);
    if (bar == std::wstring::npos) break;
    list.PutAt(list.Size(), reply.substr(pos, bar - pos));
    pos = bar + separator.size();
  }
}

}  // namespace nav
