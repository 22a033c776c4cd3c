#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/journal.h"
#include "support/temp_directory.h"
#include "support/virtual_clock.h"

namespace nav::testing {

// The navigator's side of the file calls, on real files in a temporary
// directory: whenever the program sleeps it looks for a complete request,
// takes it, and answers with the reply message and then a non-empty reply
// marker, as the navigator does. Give the program Files(), a file system
// rooted in the same directory. The directory goes away with this object.
class ScriptedNavigator {
 public:
  // Default answer to the position request: status 0, 1, Amsterdam
  // (longitude 4.89, latitude 52.37).
  static constexpr char kAmsterdamPosition[] = "0|1|489000|5237000|";
  // Default answer to any other command.
  static constexpr char kAccepted[] = "0|";

  ScriptedNavigator(VirtualClock& clock, Journal& journal);
  ScriptedNavigator(const ScriptedNavigator&) = delete;
  ScriptedNavigator& operator=(const ScriptedNavigator&) = delete;

  // The file system the program under test uses.
  platform::FileSystem& Files() { return *programFiles_; }
  [[nodiscard]] std::string RootDirectory() const { return directory_.String(); }

  // The reply text (8-bit, Windows-1252) to a command, exactly as received.
  void SetReply(const std::wstring& command, std::string reply) {
    replies_[command] = std::move(reply);
  }
  // A silent navigator takes requests but never answers them.
  void SetSilent(bool silent) { silent_ = silent; }

  // The commands received, in order.
  [[nodiscard]] const std::vector<std::wstring>& Requests() const { return requests_; }

 private:
  void Serve();

  Journal& journal_;
  TempDirectory directory_;
  std::unique_ptr<platform::FileSystem> programFiles_;
  std::unique_ptr<platform::FileSystem> ownFiles_;
  std::map<std::wstring, std::string> replies_;
  std::vector<std::wstring> requests_;
  bool silent_ = false;
};

}  // namespace nav::testing
