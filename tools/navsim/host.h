#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/window_system.h"

namespace nav::navsim {

// The system navsim runs on: its files, clock and windows, and how it learns
// that a request may be waiting.
struct Host {
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::WindowManager& windows;
  platform::MessageQueue& messages;
  // The exchange directory as this system names it, for people to read.
  std::string exchangeDirectory;
  bool outputIsTerminal = false;
  // Why the navigator's window could not be made, for the one line a failed
  // start prints.
  const char* windowFailure = "";
  // From the call on, calls `serve` on the message loop's thread whenever a
  // request may have come into the exchange directory, and often enough for
  // late answers to go out when they fall due.
  std::function<void(const std::function<void()>& serve)> watchExchange;
};

// Makes this system's host, runs `run` on it and returns what `run` returns.
// One implementation per system (posix_host.cc, win32_host.cc).
int RunOnHost(const std::function<int(Host&)>& run);

}  // namespace nav::navsim
