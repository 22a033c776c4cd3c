// nav_manager: keeps the navigator's colour scheme in step with daylight.
// Starting it while it runs stops the running instance.

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_notifier.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_sound_player.h"
#include "platform/win32/win32_stop_request.h"
#include "platform/win32/win32_window_system.h"
#include "shell/shell_state.h"
#include "shell/startup.h"

namespace {

// Lives until the process ends, like the command list and status text it holds.
nav::ShellState shellState;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  nav::win32::Win32FileSystem files;
  nav::win32::Win32Clock clock;
  nav::win32::Win32StopRequest stop;
  nav::win32::Win32Notifier notifier;
  nav::win32::Win32SoundPlayer sound;
  nav::win32::Win32Process process;
  nav::win32::Win32WindowSystem windows(instance);
  nav::platform::Platform platform{files, clock, stop, notifier, sound, process, windows, windows};
  const int exitCode = nav::RunNavManager(platform, shellState);
  // A stopping start has set the end sound going; it would end with the process.
  sound.FinishPlaying();
  return exitCode;
}
