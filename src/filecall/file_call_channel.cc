#include "filecall/file_call_channel.h"

#include <algorithm>
#include <string_view>

#include "filecall/text_files.h"

namespace nav {

FileCallChannel::FileCallChannel(platform::FileSystem& files, platform::Clock& clock,
                                 platform::StopRequest& stop, platform::Notifier& notifier)
    : files_(files), clock_(clock), stop_(stop), notifier_(notifier) {
  MakeExchangeDirectories();
}

std::int32_t FileCallChannel::Call(CommandList& list) {
  // A reply left over from an earlier exchange must never pass for this one:
  // when it cannot be removed, no request goes out, so none of its fields
  // can be taken for an answer.
  const bool staleReplyGone = RemoveReplyFiles();
  if (list.IsEmpty()) return kRequestNotSent;

  const std::wstring command = list.At(0);
  if (command.empty() || command.back() != separator.back()) {
    notifier_.ShowMessage(L"Wrong format of command", L"NAV_Manager");
    return kRequestNotSent;
  }
  list.Clear();
  if (!staleReplyGone) return kRequestNotSent;

  if (!WriteRequest(command)) return kRequestNotSent;
  // The navigator takes the request once its marker exists, so the marker
  // comes only after the request file has been closed.
  if (WriteTextFile(files_, requestFinishedPath, L"finish..") == kNotWritten)
    return kMarkerNotWritten;

  std::wstring reply;
  if (WaitForReply()) reply = ReadTextFile(files_, replyMessagePath);
  RemoveReplyFiles();
  if (reply.empty()) return kNoReply;

  SplitReply(reply, list);
  return static_cast<std::int32_t>(list.Size());
}

bool FileCallChannel::RemoveReplyFiles() {
  bool gone = true;
  for (const std::wstring* path : {&replyMessagePath, &replyFinishedPath}) {
    // Whatever keeps a reply file there (the navigator still holding it, a
    // folder we may not change) would let it pass for the answer once
    // released, so only its absence counts.
    files_.RemoveFile(*path);
    if (files_.Exists(*path)) gone = false;
  }
  return gone;
}

bool FileCallChannel::WriteRequest(const std::wstring& command) {
  if (WriteTextFile(files_, requestMessagePath, command) == kWritten) return true;
  // The exchange folders may have been removed while the program ran: make
  // them again, as at start-up, and try once more.
  MakeExchangeDirectories();
  return WriteTextFile(files_, requestMessagePath, command) == kWritten;
}

void FileCallChannel::MakeExchangeDirectories() {
  // Existing directories are fine; missing ones make every call fail at its
  // request file instead. An existing one may hold what a killed run left.
  files_.MakeDirectory(kNavigatorFolder);
  files_.MakeDirectory(kExchangeFolder);
  files_.RemoveAbandonedFiles(kExchangeFolder);
}

bool FileCallChannel::WaitForReply() {
  // The wait is the sum of the intervals slept, not a clock reading: the
  // marker is tested before the first sleep and after every sleep but the
  // last.
  std::uint32_t waited = 0;
  while (true) {
    if (FileHasContent(files_, replyFinishedPath) == kHasContent) return true;
    // A stop waits for the tick to end: stop waiting and leave the exchange
    // as it stands.
    if (stop_.StopRequested()) return false;
    clock_.Sleep(pollIntervalMs);
    waited += pollIntervalMs;
    if (waited >= timeoutMs) return false;
  }
}

void FileCallChannel::SplitReply(const std::wstring& reply, CommandList& list) const {
  // Each field ends with a bar; an empty field stays, and whatever follows
  // the last bar (a line end, say) is not a field.
  const std::size_t lastBar = reply.rfind(separator);
  if (lastBar == std::wstring::npos) return;
  const std::wstring_view fields(reply.data(), lastBar + separator.size());
  // Counted first, the fields take their storage in one piece.
  const auto bars =
      static_cast<std::size_t>(std::count(fields.begin(), fields.end(), separator.front()));
  list.Reserve(bars, fields.size() - bars);
  std::size_t pos = 0;
  while (pos < fields.size()) {
    const std::size_t bar = fields.find(separator, pos);
    list.PutAt(list.Size(), fields.substr(pos, bar - pos));
    pos = bar + separator.size();
  }
}

}  // namespace nav
