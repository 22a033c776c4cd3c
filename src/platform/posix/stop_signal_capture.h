#pragma once

#include "platform/posix/scoped_fd.h"

namespace nav::posix {

// Holds the stop signals (stop_signals.h) back and hands them over as a
// descriptor to wait on (signalfd), so that a stop request can reach the
// program's window as a close request instead of ending the process.
// Going away leaves the signals blocked: one that arrives then must not end
// the process with anything but its own exit code.
class StopSignalCapture {
 public:
  // Blocks the signals and opens the descriptor; true also when they are
  // held already. On failure nothing is held and errno tells why.
  bool Capture();
  // Unblocks them: one that came meanwhile now has its ordinary effect.
  void Release();
  // What to wait on for a signal; -1 while nothing is held.
  [[nodiscard]] int Descriptor() const { return signals_.Get(); }
  // Reads every signal that has come; true when there was one.
  bool TakePending();

 private:
  ScopedFd signals_;
};

}  // namespace nav::posix
