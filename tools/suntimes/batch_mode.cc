#include "batch_mode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "batch_line.h"
#include "rise_set.h"

namespace suntimes {
namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 16;

// Answers collected in one block and written when it is nearly full.
class AnswerWriter {
 public:
  explicit AnswerWriter(std::FILE* out) : out_(out), block_(kBlockBytes) {}

  void Line(const BatchLine& line) {
    MakeRoom();
    const RiseSet answer = ComputeRiseSetOn(line.date, line.tz, line.latitude, line.longitude);
    used_ =
        static_cast<std::size_t>(FormatBatchAnswer(answer, block_.data() + used_) - block_.data());
  }

  void Error(const char* reason) {
    MakeRoom();
    const std::size_t length = std::min(std::strlen(reason), kMaxAnswerLength - 8);
    std::memcpy(block_.data() + used_, "ERROR ", 6);
    std::memcpy(block_.data() + used_ + 6, reason, length);
    used_ += 6 + length;
    block_[used_++] = '\n';
  }

  // False when anything could not be written.
  bool Finish() {
    Flush();
    return ok_ && std::fflush(out_) == 0;
  }

 private:
  void MakeRoom() {
    if (block_.size() - used_ < kMaxAnswerLength) Flush();
  }
  void Flush() {
    if (used_ > 0 && std::fwrite(block_.data(), 1, used_, out_) != used_) ok_ = false;
    used_ = 0;
  }

  std::FILE* out_;
  std::vector<char> block_;
  std::size_t used_ = 0;
  bool ok_ = true;
};

}  // namespace

int RunBatch(std::FILE* in, std::FILE* out) {
  AnswerWriter writer(out);
  bool unreadable = false;
  const auto answer = [&](std::string_view line) {
    BatchLine parsed;
    if (const char* reason = ParseBatchLine(line, parsed)) {
      writer.Error(reason);
      unreadable = true;
    } else {
      writer.Line(parsed);
    }
  };

  // Lines are answered where they lie in the block; only a line cut by the
  // block's end is carried over to the front of the next read.
  std::vector<char> block(kBlockBytes);
  std::size_t carried = 0;
  for (;;) {
    if (carried == block.size()) block.resize(block.size() * 2);  // an absurdly long line
    const std::size_t got = std::fread(block.data() + carried, 1, block.size() - carried, in);
    const std::string_view data(block.data(), carried + got);
    std::size_t start = 0;
    for (std::size_t end = data.find('\n'); end != std::string_view::npos;
         end = data.find('\n', start)) {
      answer(data.substr(start, end - start));
      start = end + 1;
    }
    carried = data.size() - start;
    if (got == 0) {
      if (carried > 0) answer(data.substr(start));  // a last line without '\n'
      break;
    }
    std::memmove(block.data(), block.data() + start, carried);
  }

  const bool readFailed = std::ferror(in) != 0;
  if (!writer.Finish()) {
    std::fprintf(stderr, "suntimes: cannot write the answers: %s\n", std::strerror(errno));
    return 1;
  }
  if (readFailed) {
    std::fprintf(stderr, "suntimes: cannot read the input lines\n");
    return 1;
  }
  return unreadable ? 1 : 0;
}

}  // namespace suntimes
