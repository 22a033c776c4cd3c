#pragma once

#include <cstdint>
#include <string>

#include "filecall/command_list.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/notifier.h"

namespace nav {

// The client side of the navigator's file-based calls: writes a request and
// its completion marker, polls for the navigator's marker, reads the reply and
// splits it into fields.
class FileCallChannel {
 public:
  // Creates the exchange directories (existing ones are fine).
  FileCallChannel(platform::FileSystem& files, platform::Clock& clock,
                  platform::Notifier& notifier);
  virtual ~FileCallChannel() = default;
  FileCallChannel(const FileCallChannel&) = delete;
  FileCallChannel& operator=(const FileCallChannel&) = delete;

  // Sends element 0 of `list` and leaves the reply's fields in it. Returns the
  // number of fields, -1 (empty list, bad format, request not written), -2
  // (marker not written) or -3 (no reply).
  std::int32_t Call(CommandList& list);

  // (fields: directory, clientName, ..., timeoutMs, pollIntervalMs)

 private:
  platform::FileSystem& files_;
  platform::Clock& clock_;
  platform::Notifier& notifier_;
};

}  // namespace nav
