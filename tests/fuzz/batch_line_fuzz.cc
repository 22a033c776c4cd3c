// suntimes --batch lines: any line read is computed and its answer written.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch_line.h"
#include "rise_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  suntimes::BatchLine parsed;
  if (suntimes::ParseBatchLine(line, parsed) != nullptr) return 0;
  const suntimes::RiseSet answer =
      suntimes::ComputeRiseSetOn(parsed.date, parsed.tz, parsed.latitude, parsed.longitude);
  char text[suntimes::kMaxAnswerLength];
  const char* end = suntimes::FormatBatchAnswer(answer, text);
  if (end <= text || end > text + sizeof text || end[-1] != '\n') __builtin_trap();
  return 0;
}
