#pragma once

#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigset_t and its functions

namespace nav::posix {

// The signals that ask the program to stop: TERM, INT and HUP. While the
// program has its window they are blocked and read by the message loop, so
// one that has come stays pending until then.
inline sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace nav::posix
