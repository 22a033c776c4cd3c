#include "shell/startup.h"

#include "shell/hidden_window.h"
#include "shell/program_directory.h"
#include "shell/single_instance.h"
#include "shell/tick.h"

namespace nav {
namespace {

constexpr int kStoppedExitCode = 0;
// The program could not set itself up, or could not stop the running
// instance: it must not pass for a clean stop, nor run on half-alive without
// a marker or a tick.
constexpr int kFailedExitCode = 1;

// How long a start waits for another start to finish its claim: that one may
// be waiting out a running instance's answer to its close request.
constexpr std::uint32_t kClaimWaitMs = kCloseAnswerMs + 20000;

int ExitCodeOfStop(std::int32_t stop) {
  return stop == kRunningInstanceStopped ? kStoppedExitCode : kFailedExitCode;
}

// The marker could not be created. When another start has just claimed it,
// this start is the second of a pair: it stops the other, as a start that
// found it running would have. Otherwise the start has failed.
int GiveWayToRacingStart(platform::Platform& platform) {
  const platform::WindowHandle other = platform.windows.Find(kMarkerClassName, nullptr);
  if (other == platform::kNoWindow) return kFailedExitCode;
  return ExitCodeOfStop(StopRunningInstance(platform, other));
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
  // Looking for a running instance and creating the marker are one step
  // across processes: of starts made at the same moment, each finds what the
  // one before it left, so at most one runs and each of them ends cleanly.
  if (!platform.windows.LockClass(kMarkerClassName, kClaimWaitMs)) return kFailedExitCode;
  const std::int32_t claim = ClaimSingleInstance(platform);
  if (claim == kInstanceClaimed) state.markerWindow = CreateHiddenWindow(platform);
  platform.windows.UnlockClass(kMarkerClassName);
  if (claim != kInstanceClaimed) return ExitCodeOfStop(claim);
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
