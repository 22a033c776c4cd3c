// suntimes: sunrise and sunset from the navigator manager's solar ephemeris,
// for people (one place and date) and for checks (--batch).

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "batch_mode.h"
#include "command_line.h"
#include "outcome.h"
#include "place_mode.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

// --is-day answers in its exit status: 0 day, 1 night, and this for no answer.
constexpr int kNoAnswerStatus = 2;

// Says why on standard error; returns the exit status.
int Report(const Failure& failure) {
  if (failure.kind == Failure::Kind::kUsage) {
    std::fprintf(stderr, "suntimes: %s (see suntimes --help)\n", failure.message.c_str());
    return 2;
  }
  std::fprintf(stderr, "suntimes: %s\n", failure.message.c_str());
  return 1;
}

// An answer that did not reach its reader (a full disk, a closed pipe) is a
// failure, not a success.
int OutputWritten(int status) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
  std::fprintf(stderr, "suntimes: cannot write the answer: %s\n", std::strerror(errno));
  return 1;
}

int AnswerIsDay(const Options& options) {
  const Outcome<PlaceRequest> request = ReadPlaceRequest(options);
  if (!request.Ok()) {
    Report(request.Error());
    return kNoAnswerStatus;
  }
  const std::int32_t scheme = WriteScheme(request.Get(), stdout);
  if (scheme == nav::kNoDecision) {
    Report(SystemFailure("the local time zone gives no offset for that date and time"));
    return kNoAnswerStatus;
  }
  if (OutputWritten(0) != 0) return kNoAnswerStatus;
  return scheme == nav::kDay ? 0 : 1;
}

int Run(int argc, char** argv) {
  const Outcome<Options> read = ReadOptions(argc, argv);
  if (!read.Ok()) return Report(read.Error());
  const Options& options = read.Get();
  if (options.help) {
    std::fputs(kUsage, stdout);
    return OutputWritten(0);
  }
  if (options.version) {
    std::printf("suntimes %s\n", NAV_MANAGER_VERSION);
    return OutputWritten(0);
  }
  if (options.batch) {
    WriteLinesAsTheyAre(stdout);
    return RunBatch(stdin, stdout);
  }
  if (options.isDay) return AnswerIsDay(options);
  const Outcome<PlaceRequest> request = ReadPlaceRequest(options);
  if (!request.Ok()) return Report(request.Error());
  WritePlaceTimes(request.Get(), stdout);
  return OutputWritten(0);
}

}  // namespace

}  // namespace suntimes

int main(int argc, char** argv) { return suntimes::Run(argc, argv); }
