#pragma once

#include <cstdint>
#include <string>

#include "filecall/command_list.h"
#include "filecall/navigator_names.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/notifier.h"
#include "platform/stop_request.h"

namespace nav {

// The client side of the navigator's file-based calls: writes a request and
// its completion marker, polls for the navigator's marker, reads the reply and
// splits it into fields.
class FileCallChannel {
 public:
  // What Call returns when it brings no fields; otherwise it returns the
  // number of fields, 0 or more.
  enum Failure : std::int32_t {
    // Empty list, bad format, an old reply that cannot be removed, or the
    // request file not written.
    kRequestNotSent = -1,
    kMarkerNotWritten = -2,
    kNoReply = -3,
  };

  // Creates the exchange directories (existing ones are fine). A pending
  // stop ends the wait for a reply.
  FileCallChannel(platform::FileSystem& files, platform::Clock& clock, platform::StopRequest& stop,
                  platform::Notifier& notifier);
  virtual ~FileCallChannel() = default;
  FileCallChannel(const FileCallChannel&) = delete;
  FileCallChannel& operator=(const FileCallChannel&) = delete;

  // Sends element 0 of `list` and leaves the reply's fields in it. Returns the
  // number of fields or a Failure.
  std::int32_t Call(CommandList& list);

 private:
  // The field separator and the four files of the exchange, joined from the
  // navigator's fixed names (filecall/navigator_names.h); every call uses the
  // same four.
  const std::wstring separator = L"|";
  const std::wstring requestMessagePath = kRequestMessagePath;
  const std::wstring requestFinishedPath = kRequestFinishedPath;
  const std::wstring replyMessagePath = kReplyMessagePath;
  const std::wstring replyFinishedPath = kReplyFinishedPath;
  const std::uint32_t timeoutMs = 30000;
  const std::uint32_t pollIntervalMs = 200;

  // Deletes the navigator's reply files. False when one of them stays.
  bool RemoveReplyFiles();
  // Writes the request file, making the exchange directories again if need be.
  bool WriteRequest(const std::wstring& command);
  void MakeExchangeDirectories();
  // Polls the navigator's marker until it has content or the time is up.
  bool WaitForReply();
  void SplitReply(const std::wstring& reply, CommandList& list) const;

  platform::FileSystem& files_;
  platform::Clock& clock_;
  platform::StopRequest& stop_;
  platform::Notifier& notifier_;
};

}  // namespace nav
