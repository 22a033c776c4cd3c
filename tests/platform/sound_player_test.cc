#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_sound_player.h"
#include "text/utf8.h"

namespace nav::posix {
namespace {

using platform::PlayMode;
using testing::ChildProcess;
using testing::Eventually;
using testing::ScratchDirectory;

const std::string kSoundsDirectory = NAV_SOUNDS_DIRECTORY;
const std::string kProgramDirectory = NAV_PROGRAM_DIRECTORY;
const std::string kPlayer = kProgramDirectory + "/nav_manager-play";

// The samples of a sound file as ALSA is handed them: 16-bit, interleaved.
std::string SamplesOf(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return {};
  std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_readf_short(file, samples.data(), info.frames);
  sf_close(file);
  return std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * sizeof(short));
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

// A home whose ALSA configuration names the "default" device. ALSA reads it
// at the first open, so each play runs in a child process that has this home
// from the start.
class SoundHome {
 public:
  // "default" writes every frame played into Recording().
  SoundHome() {
    Configure("type file\nslave.pcm \"null\"\nformat \"raw\"\nfile \"" + Recording() + "\"");
  }
  explicit SoundHome(const std::string& defaultDevice) { Configure(defaultDevice); }

  std::string Path(const std::string& name) const { return home_ / name; }
  std::string Recording() const { return home_ / "played.raw"; }

  // Runs `body` in a child with this home and standard error into a file.
  int RunWithHome(const std::function<int()>& body) const {
    ChildProcess child([&] {
      ::setenv("HOME", home_.Path().c_str(), 1);
      const int errors = ::open((home_ / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(errors, 2);
      return body();
    });
    return child.Wait();
  }
  std::string Errors() const { return Contents(home_ / "stderr.txt"); }

 private:
  void Configure(const std::string& defaultDevice) const {
    std::ofstream(home_ / ".asoundrc") << "pcm.!default {\n" << defaultDevice << "\n}\n";
  }

  ScratchDirectory home_;
};

TEST(PosixSoundPlayer, SynchronousPlayReturnsOnlyAfterTheWholeSoundWasPlayed) {
  for (const char* name : {"StartSound.wav", "EndSound.wav"}) {
    const std::string sound = kSoundsDirectory + "/" + name;
    const std::string samples = SamplesOf(sound);
    ASSERT_FALSE(samples.empty()) << name;
    SoundHome home;

    const int result = home.RunWithHome([&] {
      PosixSoundPlayer(kPlayer).Play(WideFromUtf8(sound), PlayMode::kSynchronous);
      return SizeOf(home.Recording()) == samples.size() ? 0 : 1;
    });
    EXPECT_EQ(result, 0) << name << ": frames still missing when Play returned";
    EXPECT_EQ(Contents(home.Recording()), samples) << name;
    EXPECT_EQ(home.Errors(), "");
  }
}

// The stopping start exits at once; its end sound plays on regardless.
TEST(PosixSoundPlayer, AsynchronousPlayReturnsAtOnceAndOutlivesThePlayer) {
  const std::string sound = kSoundsDirectory + "/EndSound.wav";
  const std::string samples = SamplesOf(sound);
  SoundHome home;

  EXPECT_EQ(home.RunWithHome([&] {
    PosixSoundPlayer(kPlayer).Play(WideFromUtf8(sound), PlayMode::kAsynchronous);
    return 0;
  }),
            0);
  EXPECT_TRUE(Eventually([&] { return Contents(home.Recording()) == samples; }));
}

TEST(PosixSoundPlayer, AMissingFileOrDeviceIsSilentAndHarmless) {
  const std::string sound = kSoundsDirectory + "/StartSound.wav";
  SoundHome noDevice("type hw\ncard 42");
  EXPECT_EQ(noDevice.RunWithHome([&] {
    PosixSoundPlayer player(kPlayer);
    player.Play(WideFromUtf8(sound), PlayMode::kSynchronous);
    player.Play(WideFromUtf8(sound), PlayMode::kAsynchronous);
    return 0;
  }),
            0);
  EXPECT_EQ(noDevice.Errors(), "");

  SoundHome noFile;
  EXPECT_EQ(noFile.RunWithHome([&] {
    PosixSoundPlayer player(kPlayer);
    player.Play(WideFromUtf8(noFile.Path("Missing.wav")), PlayMode::kSynchronous);
    player.Play(WideFromUtf8(kSoundsDirectory), PlayMode::kSynchronous);  // not a sound
    return 0;
  }),
            0);
  EXPECT_FALSE(std::filesystem::exists(noFile.Recording()));
  EXPECT_EQ(noFile.Errors(), "");
}

// A player stuck on a device that takes no frames, and a sound whose header
// says it lasts a tenth of a second.
struct HungPlayer {
  HungPlayer() {
    std::ofstream(folder / "player") << "#!/bin/sh\nexec sleep 60\n";
    std::filesystem::permissions(folder / "player", std::filesystem::perms::owner_all);
    std::filesystem::copy_file(kSoundsDirectory + "/EndSound.wav", sound());
  }
  [[nodiscard]] std::string sound() const { return folder / "Short.wav"; }
  ScratchDirectory folder;
  PosixSoundPlayer player{folder / "player"};
};

double SecondsOf(const std::function<void()>& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(PosixSoundPlayer, AHungPlayerIsEndedAfterTheSoundsLengthAndAMargin) {
  HungPlayer hung;
  const double waited =
      SecondsOf([&] { hung.player.Play(WideFromUtf8(hung.sound()), PlayMode::kSynchronous); });
  EXPECT_LT(waited, 30.0) << "the wait has a bound";
}

TEST(PosixSoundPlayer, APendingStopSignalEndsASynchronousPlayAndStaysPending) {
  HungPlayer hung;
  ChildProcess stopping([&] {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &stops, nullptr);
    ::raise(SIGTERM);
    const double waited =
        SecondsOf([&] { hung.player.Play(WideFromUtf8(hung.sound()), PlayMode::kSynchronous); });
    sigset_t pending;
    ::sigpending(&pending);
    return waited < 1.0 && sigismember(&pending, SIGTERM) == 1 ? 0 : 1;
  });
  EXPECT_EQ(stopping.Wait(), 0);
}

TEST(PosixSoundPlayer, AnInstalledProgramFindsItsSoundsUnderShare) {
  EXPECT_EQ(InstalledSoundPath("/usr/bin/StartSound.wav"),
            "/usr/bin/../share/nav_manager/StartSound.wav");
  ScratchDirectory prefix;
  std::filesystem::create_directories(prefix / "share/nav_manager");
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::copy_file(kSoundsDirectory + "/EndSound.wav",
                             prefix / "share/nav_manager/EndSound.wav");
  SoundHome home;
  EXPECT_EQ(home.RunWithHome([&] {
    PosixSoundPlayer(kPlayer).Play(WideFromUtf8(prefix / "bin/EndSound.wav"),
                                   PlayMode::kSynchronous);
    return 0;
  }),
            0);
  EXPECT_EQ(Contents(home.Recording()), SamplesOf(kSoundsDirectory + "/EndSound.wav"));
}

TEST(Sounds, LieNextToTheBuiltPrograms) {
  for (const char* name : {"StartSound.wav", "EndSound.wav"}) {
    const std::string built = kProgramDirectory + "/" + name;
    EXPECT_EQ(Contents(built), Contents(kSoundsDirectory + "/" + name)) << built;
    SF_INFO info{};
    SNDFILE* file = sf_open(built.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << built;
    sf_close(file);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_LT(info.frames, info.samplerate) << "well under a second";
  }
}

TEST(PosixProcess, NamesThisExecutableByItsFullPath) {
  PosixProcess process;
  const std::wstring path = process.ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), L'/');
  EXPECT_TRUE(std::filesystem::equivalent(Utf8FromWide(path), "/proc/self/exe"));
  EXPECT_EQ(process.PathSeparators(), L"/");
}

}  // namespace
}  // namespace nav::posix
