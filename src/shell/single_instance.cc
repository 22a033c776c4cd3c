#include "shell/single_instance.h"

#include "shell/hidden_window.h"
#include "shell/program_directory.h"

namespace nav {

std::int32_t ClaimSingleInstance(platform::Platform& platform) {
  const platform::WindowHandle running = platform.windows.Find(kMarkerClassName, nullptr);
  if (running != platform::kNoWindow) {
    return StopRunningInstance(platform, running);
  }
  platform::WindowClass windowClass;
  windowClass.className = kMarkerClassName;
  windowClass.iconResource = kMarkerIconResource;
  windowClass.procedure = [&platform](platform::WindowHandle window, std::uint32_t message,
                                      std::uintptr_t wParam, std::intptr_t lParam) {
    return HiddenWindowProc(platform, window, message, wParam, lParam);
  };
  // A failed registration shows up as a window that cannot be created.
  platform.windows.RegisterWindowClass(windowClass);
  return kInstanceClaimed;
}

std::int32_t StopRunningInstance(platform::Platform& platform, platform::WindowHandle marker) {
  platform.sound.Play(GetProgramDirectory(platform.process) + L"EndSound.wav",
                      platform::PlayMode::kAsynchronous);
  // A tick in progress stops waiting for the navigator, so that the close
  // request is handled soon.
  platform.stop.RequestStopOf(marker);
  if (!platform.windows.SendWithin(marker, WM_CLOSE, 0, 0, kCloseAnswerMs)) {
    // It is left running, so it must not stay asked to stop.
    platform.stop.WithdrawStopOf(marker);
    return kRunningInstanceNotAnswering;
  }
  return kRunningInstanceStopped;
}

}  // namespace nav
