#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <string_view>

namespace suntimes {

// One input line "YEAR MONTH DAY TZ LAT LON" turned into its output line
// "RC RISE SET RAWRISE RAWSET", or "ERROR <reason>". Sets `failed` on an error.
std::string AnswerBatchLine(std::string_view line, bool& failed);

// Answers every line of `in` on `out`; returns the exit status, 1 if any line
// could not be read.
int RunBatch(std::istream& in, std::FILE* out);

}  // namespace suntimes
