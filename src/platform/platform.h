#pragma once

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/notifier.h"
#include "platform/process.h"
#include "platform/sound_player.h"
#include "platform/stop_request.h"
#include "platform/window_system.h"

namespace nav::platform {

// Everything the core reaches of the operating system, handed in at start-up.
struct Platform {
  FileSystem& files;
  Clock& clock;
  StopRequest& stop;
  Notifier& notifier;
  SoundPlayer& sound;
  Process& process;
  WindowManager& windows;
  MessageQueue& messages;
};

}  // namespace nav::platform
