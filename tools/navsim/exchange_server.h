#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "navsim/navigator_behaviour.h"
#include "navsim/screen.h"
#include "platform/file_system.h"

namespace nav::navsim {

// The four files of one exchange, as handheld paths.
struct ExchangePaths {
  std::wstring requestMessage;
  std::wstring requestFinished;
  std::wstring replyMessage;
  std::wstring replyFinished;
};

// The navigator's side of the file calls: notices a completed request, takes
// it (removing both request files), and writes the reply message and then a
// non-empty completion marker, unless its fault says otherwise.
class ExchangeServer {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  ExchangeServer(platform::FileSystem& files, ExchangePaths paths, NavigatorBehaviour behaviour,
                 Fault fault, std::chrono::milliseconds delay, Screen& screen, std::FILE* log);

  // Serves a waiting request, or sends a late answer once it is due. Returns
  // true when it did something.
  bool Poll(TimePoint now, const std::tm& localNow);
  // When a late answer is due, if one is pending.
  [[nodiscard]] std::optional<TimePoint> NextDue() const;

 private:
  struct Pending {
    std::string request;
    Answer answer;
    TimePoint due;
  };

  bool TakeRequest(std::string& request);
  void Deliver(const std::string& request, const Answer& answer, const std::tm& localNow);
  bool WriteFile(const std::wstring& path, const std::string& bytes, bool keepOpen);
  void Log(const std::tm& localNow, const std::string& request, const std::string& reply);

  platform::FileSystem& files_;
  ExchangePaths paths_;
  NavigatorBehaviour behaviour_;
  Fault fault_;
  std::chrono::milliseconds delay_;
  Screen& screen_;
  std::FILE* log_;
  std::optional<Pending> pending_;
  std::unique_ptr<platform::ExclusiveFile> heldMarker_;
};

}  // namespace nav::navsim
