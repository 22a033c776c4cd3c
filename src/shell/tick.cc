#include "shell/tick.h"

#include <algorithm>

#include "filecall/navigator_names.h"
#include "shell/day_night.h"
#include "shell/navigator_commands.h"
#include "shell/reply_fields.h"

namespace nav {
namespace {

// The navigator's latitude field reaches 9000000, which the 1e-05 factor
// makes 90.00000000000001 degrees; beyond the pole the rise/set arithmetic
// turns polar day into polar night.
constexpr double kPoleLatitude = 90.0;

// Status, a constant 1, longitude, latitude; later fields are ignored.
constexpr std::int32_t kPositionFieldCount = 4;
// The greeting goes out when the counter stands here: on the third valid
// tick, then on every 25th.
constexpr std::uint32_t kGreetingCount = 2;
constexpr std::uint32_t kLastCount = 24;

void AdvanceGreetingCadence(ShellState& state) {
  if (state.tickCounter == kGreetingCount) {
    SendCommand(state, kGreetingCommand);
    state.tickCounter = kGreetingCount + 1;
  } else if (state.tickCounter < kLastCount) {
    ++state.tickCounter;
  } else {
    state.tickCounter = 0;
  }
}

}  // namespace

bool IsNavigatorRunning(platform::WindowManager& windows) {
  const std::wstring title = kNavigatorTitle;
  return windows.Find(kNavigatorClassName, &title) != platform::kNoWindow;
}

std::int32_t SendCommand(ShellState& state, const std::wstring& command) {
  if (!state.channel) return FileCallChannel::kRequestNotSent;
  state.commandList.Clear();
  state.commandList.PutAt(state.commandList.Size(), command);
  return state.channel->Call(state.commandList);
}

void OnTick(platform::Platform& platform, ShellState& state) {
  if (!IsNavigatorRunning(platform.windows)) {
    state.tickCounter = 0;
    return;
  }

  // A failed call leaves no fields and a short reply too few; either way the
  // tick ends as for a bad status, with the cadence where it was.
  const std::int32_t fieldCount = SendCommand(state, kGetPositionCommand);
  const CommandList& reply = state.commandList;
  if (fieldCount < kPositionFieldCount ||
      reply.Size() < static_cast<std::size_t>(kPositionFieldCount))
    return;
  if (ReadIntField(reply.At(0)) != 0) return;
  if (ReadIntField(reply.At(1)) != 1) return;
  const double longitude = FieldToDegrees(reply.At(2));
  const double latitude = std::clamp(FieldToDegrees(reply.At(3)), -kPoleLatitude, kPoleLatitude);
  // A stop that came during the position call ends the tick here.
  if (platform.stop.StopRequested()) return;

  switch (DecideDayNight(platform.clock, state, longitude, latitude)) {
    case kDay:
      SendCommand(state, kDaySchemeCommand);
      break;
    case kNight:
      SendCommand(state, kNightSchemeCommand);
      break;
    default:
      break;
  }

  if (platform.stop.StopRequested()) return;
  AdvanceGreetingCadence(state);
}

}  // namespace nav
