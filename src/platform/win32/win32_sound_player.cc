#include "platform/win32/win32_sound_player.h"

#include <windows.h>
// windows.h first: the sound header builds on its types.
#include <mmsystem.h>

#include <algorithm>
#include <chrono>

#include "platform/win32/drive_root.h"
#include "sound/wave_file.h"

namespace nav::win32 {
namespace {

// Time for the system to open the file and the device and to drain it,
// beyond the sound's own length.
constexpr std::chrono::milliseconds kOpenAndDrainAllowance{1000};
// What a missing file plays instead: the system's default sound, a short
// chime or beep.
constexpr std::chrono::milliseconds kDefaultSoundTime{2000};

// The whole of a wave file no larger than a sound of ours can be.
std::optional<std::string> ReadSoundFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  const bool fits = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0 &&
                    static_cast<std::uint64_t>(size.QuadPart) <= sound::kLargestWaveFileBytes;
  std::string bytes(fits ? static_cast<std::size_t>(size.QuadPart) : 0, '\0');
  DWORD got = 0;
  const bool read =
      fits && ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != 0;
  CloseHandle(file);
  if (!read) return std::nullopt;
  // A file cut short meanwhile gives what it still holds.
  bytes.resize(got);
  return bytes;
}

// How long an asynchronous sound keeps playing once started. A missing file
// gets the system's default sound instead; a file that is no PCM wave may be
// anything the system can play, of unknown length.
std::chrono::milliseconds PlayingTime(const std::wstring& path) {
  std::optional<double> seconds;
  const std::optional<std::string> bytes = ReadSoundFile(path);
  if (!bytes && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return kDefaultSoundTime;
  }
  if (bytes) {
    if (const std::optional<sound::PcmWave> wave = sound::ReadPcmWave(*bytes)) {
      seconds = wave->Seconds();
    }
  }
  const std::chrono::milliseconds bound = sound::PlaybackWaitBound(seconds);
  if (!seconds) return bound;
  const auto length = std::chrono::milliseconds(static_cast<std::int64_t>(*seconds * 1000.0));
  return std::min(length + kOpenAndDrainAllowance, bound);
}

// The path as the sound functions can open it: in its plain form (they take
// no "\\?\" prefix), and one longer than MAX_PATH in its short form, where
// the file system has one.
std::wstring OpenablePath(const std::wstring& path) {
  const std::wstring plain = PlainFormOf(path);
  if (plain.size() < MAX_PATH) return plain;
  const std::wstring longForm = LongFormOf(path);
  const DWORD length = GetShortPathNameW(longForm.c_str(), nullptr, 0);
  if (length == 0) return plain;
  std::wstring shortForm(length, L'\0');
  const DWORD written = GetShortPathNameW(longForm.c_str(), shortForm.data(), length);
  if (written == 0 || written >= length) return plain;
  shortForm.resize(written);
  // The short form comes in the long form it was asked in.
  return PlainFormOf(shortForm);
}

}  // namespace

void Win32SoundPlayer::Play(const std::wstring& path, platform::PlayMode mode) {
  // Without SND_NODEFAULT a missing file plays the system's default sound, so
  // a start or a stop is heard all the same.
  const bool asynchronous = mode == platform::PlayMode::kAsynchronous;
  const std::wstring openable = OpenablePath(path);
  const std::uint64_t started = GetTickCount64();
  PlaySoundW(openable.c_str(), nullptr, SND_FILENAME | (asynchronous ? SND_ASYNC : SND_SYNC));
  if (asynchronous) {
    asynchronousEnd_ = started + static_cast<std::uint64_t>(PlayingTime(openable).count());
  }
}

void Win32SoundPlayer::FinishPlaying() {
  if (!asynchronousEnd_) return;
  const std::uint64_t now = GetTickCount64();
  if (now < *asynchronousEnd_) Sleep(static_cast<DWORD>(*asynchronousEnd_ - now));
  asynchronousEnd_.reset();
}

}  // namespace nav::win32
