#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_sound_player.h"
#include "platform/posix/sound_file.h"
#include "sound/wave_file.h"
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

// The samples of a PCM wave file, as the device is handed them.
std::string SamplesOf(const std::string& path) {
  const std::optional<std::string> bytes = ReadSoundFile(path);
  const std::optional<sound::PcmWave> wave = bytes ? sound::ReadPcmWave(*bytes) : std::nullopt;
  if (!wave) return {};
  return {wave->samples.begin(), wave->samples.end()};
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
  // The recording as a wave file, whose header tells how the device was set.
  void RecordAsWave() const {
    Configure("type file\nslave.pcm \"null\"\nformat \"wav\"\nfile \"" + Recording() + "\"");
  }

  // Runs the player program on `sound` in this home, with SIGALRM ignored
  // when `alarmIgnored`, as whoever started the program may have left it.
  // Its exit code, 1000 + the signal that ended it, or -1 when it has not
  // ended after ten seconds (it is killed then).
  [[nodiscard]] int RunPlayer(const std::string& sound, bool alarmIgnored = false) const {
    ChildProcess player([&] {
      ::setenv("HOME", home_.Path().c_str(), 1);
      if (alarmIgnored) std::signal(SIGALRM, SIG_IGN);
      ::execl(kPlayer.c_str(), kPlayer.c_str(), sound.c_str(), static_cast<char*>(nullptr));
      return 127;
    });
    const bool ended = Eventually([&] {
      siginfo_t info{};
      return ::waitid(P_PID, static_cast<id_t>(player.Pid()), &info, WEXITED | WNOHANG | WNOWAIT) ==
                 0 &&
             info.si_pid == player.Pid();
    });
    return ended ? player.Wait() : -1;
  }

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

// The player sets the device to the file's own format, channels and rate:
// the shipped 16-bit mono sound, and its bytes read as 8-bit stereo.
TEST(PosixSoundPlayer, SamplesReachTheDeviceInTheFilesOwnFormat) {
  ScratchDirectory folder;
  std::string stereo8 = Contents(kSoundsDirectory + "/EndSound.wav");
  stereo8[22] = 2;  // channels
  stereo8[34] = 8;  // bits per sample
  std::ofstream(folder / "Stereo8.wav", std::ios::binary) << stereo8;
  for (const std::string& sound : {kSoundsDirectory + "/EndSound.wav", folder / "Stereo8.wav"}) {
    SoundHome home;
    home.RecordAsWave();
    EXPECT_EQ(home.RunPlayer(sound), 0) << sound;
    const std::string fileBytes = Contents(sound);
    const std::string recordedBytes = Contents(home.Recording());
    const std::optional<sound::PcmWave> file = sound::ReadPcmWave(fileBytes);
    const std::optional<sound::PcmWave> recorded = sound::ReadPcmWave(recordedBytes);
    ASSERT_TRUE(file && recorded) << sound;
    EXPECT_EQ(recorded->bitsPerSample, file->bitsPerSample) << sound;
    EXPECT_EQ(recorded->channels, file->channels) << sound;
    EXPECT_EQ(recorded->framesPerSecond, file->framesPerSecond) << sound;
    EXPECT_TRUE(recorded->samples == file->samples) << sound;
  }
}

// A FIFO in a sound's place would block whoever opens it; a wave of another
// format is no sound the player plays. Both are silence, and the program
// starts no player for them.
TEST(PosixSoundPlayer, AnythingButARegularFileOfPcmIsSilenceWithoutAPlayer) {
  SoundHome home;
  const std::string fifo = home.Path("Fifo.wav");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string floating = Contents(kSoundsDirectory + "/EndSound.wav");
  floating[20] = 3;  // the format tag: IEEE float
  const std::string notPcm = home.Path("Float.wav");
  std::ofstream(notPcm, std::ios::binary) << floating;
  const std::string started = home.Path("started");
  std::ofstream(home.Path("player")) << "#!/bin/sh\ntouch '" << started << "'\n";
  std::filesystem::permissions(home.Path("player"), std::filesystem::perms::owner_all);

  for (const std::string& sound : {fifo, notPcm}) {
    PosixSoundPlayer player(home.Path("player"));
    player.Play(WideFromUtf8(sound), PlayMode::kSynchronous);
    player.Play(WideFromUtf8(sound), PlayMode::kAsynchronous);
    EXPECT_EQ(home.RunPlayer(sound), 1) << sound;
  }
  EXPECT_FALSE(std::filesystem::exists(started));
  EXPECT_FALSE(std::filesystem::exists(home.Recording()));
}

// A device that takes no frames (the file plug-in writing into a FIFO that
// nobody reads) must not keep the player, even one started with SIGALRM
// ignored.
TEST(PosixSoundPlayer, ItsAlarmEndsAPlayerOnAHungDeviceEvenWhenAlarmsWereIgnored) {
  ScratchDirectory folder;
  const std::string device = folder / "device";
  ASSERT_EQ(::mkfifo(device.c_str(), 0600), 0);
  const SoundHome hung("type file\nslave.pcm \"null\"\nformat \"raw\"\nfile \"" + device + "\"");
  EXPECT_EQ(hung.RunPlayer(kSoundsDirectory + "/EndSound.wav", true), 1000 + SIGALRM);
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
    const std::string bytes = Contents(built);
    EXPECT_EQ(bytes, Contents(kSoundsDirectory + "/" + name)) << built;
    const std::optional<sound::PcmWave> wave = sound::ReadPcmWave(bytes);
    ASSERT_TRUE(wave) << built;
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->framesPerSecond, 22050U);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_LT(wave->Seconds(), 1.0) << "well under a second";
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
