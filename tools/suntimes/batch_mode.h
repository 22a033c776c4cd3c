#pragma once

#include <cstdio>

namespace suntimes {

// Answers every line "YEAR MONTH DAY TZ LAT LON" of `in` with
// "RC RISE SET RAWRISE RAWSET" or "ERROR <reason>" on `out`, reading and
// writing in large blocks. Returns the exit status: 1 when a line could not be
// read or the answers could not be written (said on standard error), else 0.
int RunBatch(std::FILE* in, std::FILE* out);

}  // namespace suntimes
