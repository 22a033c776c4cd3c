#include "shell/startup.h"

#include "shell/hidden_window.h"
#include "shell/program_directory.h"
#include "shell/single_instance.h"
#include "shell/tick.h"

namespace nav {
namespace {

constexpr int kStoppedExitCode = 0;
// The program could not set itself up: it must not pass for a clean stop, nor
// run on half-alive without a marker or a tick.
constexpr int kFailedExitCode = 1;

// The marker could not be created. When another start has just claimed it,
// this start is the second of a pair: it stops the other, as a start that
// found it running would have. Otherwise the start has failed.
int GiveWayToRacingStart(platform::Platform& platform) {
  const platform::WindowHandle other = platform.windows.Find(kMarkerClassName, nullptr);
  if (other == platform::kNoWindow) return kFailedExitCode;
  StopRunningInstance(platform, other);
  return kStoppedExitCode;
}

int RunMessageLoop(platform::MessageQueue& messages) {
  platform::Message message;
  while (messages.NextMessage(message)) {
    messages.TranslateMessage(message);
    messages.Dispatch(message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunNavManager(platform::Platform& platform, ShellState& state) {
  if (ClaimSingleInstance(platform) != kInstanceClaimed) return kStoppedExitCode;

  state.markerWindow = CreateHiddenWindow(platform);
  if (state.markerWindow == platform::kNoWindow) return GiveWayToRacingStart(platform);

  state.commandList.Clear();
  state.channel = std::make_unique<FileCallChannel>(platform.files, platform.clock, platform.stop,
                                                    platform.notifier);

  platform.sound.Play(GetProgramDirectory(platform.process) + L"StartSound.wav",
                      platform::PlayMode::kSynchronous);

  if (!platform.messages.SetTimer(kTickTimerId, kTickPeriodMs,
                                  [&platform, &state] { OnTick(platform, state); }))
    return kFailedExitCode;
  return RunMessageLoop(platform.messages);
}

}  // namespace nav
