#include "platform/posix/sound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/scoped_fd.h"
#include "sound/wave_file.h"

namespace nav::posix {

std::optional<std::string> ReadSoundFile(const std::string& path) {
  const ScopedFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat status {};
  if (!file.Valid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::uint64_t>(status.st_size) > sound::kLargestWaveFileBytes) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  // A file cut short meanwhile gives what it still holds.
  bytes.resize(done);
  return bytes;
}

std::optional<double> WaveFileSeconds(const std::string& path) {
  const std::optional<std::string> bytes = ReadSoundFile(path);
  if (!bytes) return std::nullopt;
  const std::optional<sound::PcmWave> wave = sound::ReadPcmWave(*bytes);
  if (!wave) return std::nullopt;
  return wave->Seconds();
}

}  // namespace nav::posix
