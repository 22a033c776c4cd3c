#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "filecall/navigator_names.h"
#include "platform/platform.h"
#include "shell/shell_state.h"
#include "support/fake_process.h"
#include "support/fake_stop_request.h"
#include "support/fake_window_system.h"
#include "support/journal.h"
#include "support/recording_notifier.h"
#include "support/recording_sound_player.h"
#include "support/scripted_navigator.h"
#include "support/virtual_clock.h"

namespace nav::testing {

// The whole program's surroundings on virtual time: windows and timer, sounds,
// the executable's path, and a navigator answering on real temporary files.
// Amsterdam's zone is in force (CET, daylight-saving time now).
struct FakePlatform {
  FakePlatform() { clock.SetZone(platform::TimeZoneState::kDaylightTime, kAmsterdamZone); }

  // The navigator's main window appears, or goes again.
  void StartNavigator() {
    navigatorWindow = windows.AddForeignWindow(kNavigatorClassName, kNavigatorTitle);
  }
  void StopNavigator() { windows.RemoveForeignWindow(navigatorWindow); }

  // A channel as start-up creates it, for driving the tick directly.
  void OpenChannel() {
    state.channel = std::make_unique<FileCallChannel>(navigator.Files(), clock, stop, notifier);
  }

  [[nodiscard]] std::ptrdiff_t CountRequests(const std::wstring& command) const {
    return std::count(navigator.Requests().begin(), navigator.Requests().end(), command);
  }

  static constexpr platform::TimeZoneInfo kAmsterdamZone{-60, 0, -60};

  VirtualClock clock;
  FakeStopRequest stop;
  Journal journal{clock};
  RecordingNotifier notifier;
  RecordingSoundPlayer sound{clock, journal};
  FakeProcess process;
  FakeWindowSystem windows{clock, journal};
  ScriptedNavigator navigator{clock, journal};
  platform::Platform platform{navigator.Files(), clock,   stop,   notifier, sound,
                              process,           windows, windows};
  ShellState state;
  platform::WindowHandle navigatorWindow = platform::kNoWindow;
};

}  // namespace nav::testing
