#include "filecall/file_call_channel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "filecall/navigator_files.h"
#include "filecall/navigator_names.h"
#include "native_file_system.h"
#include "support/fake_stop_request.h"
#include "support/recording_notifier.h"
#include "support/temp_directory.h"
#include "support/virtual_clock.h"

namespace nav {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

constexpr std::string_view kPositionReply = "0|1|512345|5212345|";

std::vector<std::wstring> Fields(const CommandList& list) {
  std::vector<std::wstring> fields;
  for (std::size_t i = 0; i < list.Size(); ++i) fields.push_back(list.At(i));
  return fields;
}

CommandList ListOf(const std::wstring& command) {
  CommandList list;
  list.PutAt(0, command);
  return list;
}

// A real exchange directory under a temporary root; the navigator acts in the
// virtual clock's sleeps, that is, while the channel waits.
class FileCallChannelTest : public ::testing::Test {
 protected:
  // The navigator answers with `reply` during the `sleep`-th sleep from now.
  void AnswerDuringSleep(int sleep, std::string reply) {
    clock_.OnSleep([this, due = clock_.SleepCount() + sleep, reply = std::move(reply)] {
      if (clock_.SleepCount() == due) navigator_.Answer(reply);
    });
  }

  // One call whose reply comes during the first sleep.
  std::int32_t Exchange(const std::string& reply, CommandList& list) {
    AnswerDuringSleep(1, reply);
    list = ListOf(L"GetCurrentPositionV01|");
    return channel_.Call(list);
  }

  void LeaveStaleReply() { navigator_.Answer("0|1|999|999|", "stale"); }

  [[nodiscard]] bool ReplyFilesGone() const {
    return !testing::NavigatorFiles::Exists(navigator_.ReplyMessage()) &&
           !testing::NavigatorFiles::Exists(navigator_.ReplyFinished());
  }

  testing::TempDirectory root_;
  testing::NativeFileSystem files_{root_.Path().native()};
  testing::VirtualClock clock_;
  testing::FakeStopRequest stop_;
  testing::RecordingNotifier notifier_;
  FileCallChannel channel_{files_, clock_, stop_, notifier_};
  testing::NavigatorFiles navigator_{files_};
};

TEST_F(FileCallChannelTest, ConstructionCreatesTheExchangeDirectoryUnderTheRoot) {
  EXPECT_TRUE(fs::is_directory(root_.Path() / "TomTom" / "SdkFileCalls"));
  EXPECT_EQ(navigator_.RequestMessage(),
            root_.Path() / "TomTom" / "SdkFileCalls" /
                "MY_VB_SDK.TomTomNavigationServer.2413838986.1.message");
  EXPECT_EQ(navigator_.ReplyFinished(),
            root_.Path() / "TomTom" / "SdkFileCalls" /
                "TomTomNavigationServer.MY_VB_SDK.2413838986.1.finished");
  // A second channel over existing directories works all the same.
  FileCallChannel again(files_, clock_, stop_, notifier_);
  CommandList list;
  EXPECT_EQ(Exchange(std::string(kPositionReply), list), 4);
}

TEST_F(FileCallChannelTest, RequestFilesHoldExactlyTheCommandBytesAndTheMarker) {
  CommandList list;
  ASSERT_EQ(Exchange(std::string(kPositionReply), list), 4);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage()), "GetCurrentPositionV01|");
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage())->size(), 22U);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestFinished()), "finish..");

  // A shorter command replaces a longer one whole: no tail of the old one.
  list = ListOf(L"ChangeSettingV01|3|");
  AnswerDuringSleep(1, "0|");
  ASSERT_EQ(channel_.Call(list), 1);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage()), "ChangeSettingV01|3|");
}

TEST_F(FileCallChannelTest, GreetingIsOneWindows1252BytePerCharacterInAUtf8Locale) {
  // In a UTF-8 locale the C library would make two bytes of the u with
  // diaeresis; the navigator reads one byte per character.
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  CommandList list = ListOf(L"FlashMessage|dorn-k w\u00fcnscht dir eine gute Reise|5000|");
  AnswerDuringSleep(1, "0|");
  const std::int32_t result = channel_.Call(list);
  std::setlocale(LC_ALL, previous.c_str());

  EXPECT_EQ(result, 1);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage()),
            "FlashMessage|dorn-k w\xFCnscht dir eine gute Reise|5000|");
  // A character the code page lacks still takes exactly one byte.
  list = ListOf(L"A\u20ac\u4e2d|");
  AnswerDuringSleep(1, "0|");
  ASSERT_EQ(channel_.Call(list), 1);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage()), "A\x80?|");
}

TEST_F(FileCallChannelTest, CommandWithoutFinalBarIsShownAndLeavesListAndRequestAlone) {
  LeaveStaleReply();
  for (const std::wstring command : {L"ChangeSettingV01|3", L""}) {
    CommandList list = ListOf(command);
    list.PutAt(1, L"extra");
    EXPECT_EQ(channel_.Call(list), -1);
    EXPECT_THAT(Fields(list), ElementsAre(command, L"extra"));
  }
  ASSERT_EQ(notifier_.shown.size(), 2U);
  EXPECT_EQ(notifier_.shown[0].text, L"Wrong format of command");
  EXPECT_EQ(notifier_.shown[0].caption, L"NAV_Manager");
  EXPECT_FALSE(testing::NavigatorFiles::Exists(navigator_.RequestMessage()));
  EXPECT_FALSE(testing::NavigatorFiles::Exists(navigator_.RequestFinished()));
  EXPECT_TRUE(ReplyFilesGone());
  EXPECT_EQ(clock_.SleepCount(), 0);
}

TEST_F(FileCallChannelTest, EmptyListOnlyClearsOldReplyFiles) {
  LeaveStaleReply();
  CommandList list;
  EXPECT_EQ(channel_.Call(list), -1);
  EXPECT_TRUE(notifier_.shown.empty());
  EXPECT_TRUE(ReplyFilesGone());
  EXPECT_FALSE(testing::NavigatorFiles::Exists(navigator_.RequestMessage()));
}

TEST_F(FileCallChannelTest, StaleReplyIsGoneBeforeTheRequestIsWritten) {
  LeaveStaleReply();
  bool staleSeenWithRequest = false;
  clock_.OnSleep([&] {
    if (clock_.SleepCount() == 1) {
      staleSeenWithRequest = !ReplyFilesGone();
      EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestFinished()), "finish..");
    }
  });
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -3);
  EXPECT_FALSE(staleSeenWithRequest);
  EXPECT_THAT(Fields(list), IsEmpty());
}

TEST_F(FileCallChannelTest, LastLookComesAfterThe149thSleep) {
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  AnswerDuringSleep(149, std::string(kPositionReply));
  EXPECT_EQ(channel_.Call(list), 4);
  EXPECT_EQ(clock_.SleepCount(), 149);
  EXPECT_TRUE(ReplyFilesGone());

  // One sleep later the call has given up, and the late reply is removed.
  list = ListOf(L"GetCurrentPositionV01|");
  const int before = clock_.SleepCount();
  AnswerDuringSleep(150, std::string(kPositionReply));
  EXPECT_EQ(channel_.Call(list), -3);
  EXPECT_EQ(clock_.SleepCount() - before, 150);
  EXPECT_EQ(clock_.Slept().count(), 149 * 200 + 150 * 200);
  EXPECT_THAT(Fields(list), IsEmpty());
  EXPECT_TRUE(ReplyFilesGone());
}

TEST_F(FileCallChannelTest, EmptyOrLockedMarkerKeepsTheWaitGoing) {
  std::unique_ptr<platform::ExclusiveFile> heldMarker;
  clock_.OnSleep([&] {
    switch (clock_.SleepCount()) {
      case 1:  // the reply is there, its marker still empty
        navigator_.Answer(std::string(kPositionReply), "");
        break;
      case 3:  // the navigator is writing the marker and holds it
        heldMarker = files_.CreateForWriting(kReplyFinishedPath);
        ASSERT_NE(heldMarker, nullptr);
        ASSERT_TRUE(heldMarker->Write("1"));
        break;
      case 6:
        heldMarker.reset();
        break;
      default:
        break;
    }
  });
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), 4);
  EXPECT_EQ(clock_.SleepCount(), 6);
}

TEST_F(FileCallChannelTest, ReplyIsSplitIntoBarTerminatedFields) {
  CommandList list;
  EXPECT_EQ(Exchange("0|1|512345|5212345|\r\n", list), 4);
  EXPECT_THAT(Fields(list), ElementsAre(L"0", L"1", L"512345", L"5212345"));

  EXPECT_EQ(Exchange("0||5|", list), 3);
  EXPECT_THAT(Fields(list), ElementsAre(L"0", L"", L"5"));

  EXPECT_EQ(Exchange("|x||", list), 3);
  EXPECT_THAT(Fields(list), ElementsAre(L"", L"x", L""));

  EXPECT_EQ(Exchange("no bars at all", list), 0);
  EXPECT_THAT(Fields(list), IsEmpty());

  EXPECT_EQ(Exchange(std::string("caf\xE9|2|\0ignored|", 16), list), 2);
  EXPECT_THAT(Fields(list), ElementsAre(L"caf\u00e9", L"2"));
}

TEST_F(FileCallChannelTest, MarkerWithoutUsableReplyGivesMinus3) {
  for (const std::string& reply : std::vector<std::string>{"", std::string("\0|1|", 4)}) {
    clock_.OnSleep([&] { navigator_.Answer(reply); });
    CommandList list = ListOf(L"GetCurrentPositionV01|");
    EXPECT_EQ(channel_.Call(list), -3);
    EXPECT_TRUE(ReplyFilesGone());
  }
  // Only the marker, no message at all.
  clock_.OnSleep([&] { testing::NavigatorFiles::Write(navigator_.ReplyFinished(), "1"); });
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -3);
  EXPECT_TRUE(ReplyFilesGone());
}

TEST_F(FileCallChannelTest, OversizedReplyIsNotReadAndCountsAsNoReply) {
  std::string reply;
  while (reply.size() < 1024 * 1024) reply += "x|";
  CommandList list;
  EXPECT_EQ(Exchange(reply, list), 512 * 1024);  // exactly 1 MiB is still a reply

  EXPECT_EQ(Exchange(reply + "|", list), -3);
  EXPECT_THAT(Fields(list), IsEmpty());
  EXPECT_TRUE(ReplyFilesGone());
}

TEST_F(FileCallChannelTest, RequestFilesThatCannotBeWrittenGiveMinus1AndMinus2) {
  // A directory in the way of the marker.
  fs::create_directory(navigator_.RequestFinished());
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -2);
  EXPECT_THAT(Fields(list), IsEmpty());
  EXPECT_EQ(clock_.SleepCount(), 0);

  // A directory in the way of the request message.
  fs::remove(navigator_.RequestMessage());
  fs::create_directory(navigator_.RequestMessage());
  list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -1);
  EXPECT_THAT(Fields(list), IsEmpty());

  EXPECT_EQ(clock_.SleepCount(), 0);
}

TEST_F(FileCallChannelTest, ExchangeDirectoriesRemovedWhileRunningAreMadeAgain) {
  fs::remove_all(root_.Path() / "TomTom");
  CommandList list;
  EXPECT_EQ(Exchange(std::string(kPositionReply), list), 4);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestMessage()), "GetCurrentPositionV01|");
}

// Reply files that stay where they are, whatever the channel asks.
class UndeletableFiles : public testing::NativeFileSystem {
 public:
  explicit UndeletableFiles(const fs::path& root) : testing::NativeFileSystem(root.native()) {}
  bool RemoveFile(const std::wstring& /*path*/) override { return false; }
};

TEST_F(FileCallChannelTest, AnOldReplyThatCannotBeRemovedIsNeverTakenForTheAnswer) {
  UndeletableFiles stuck(root_.Path());
  FileCallChannel channel(stuck, clock_, stop_, notifier_);
  LeaveStaleReply();
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel.Call(list), -1);
  EXPECT_THAT(Fields(list), IsEmpty());
  EXPECT_FALSE(testing::NavigatorFiles::Exists(navigator_.RequestMessage()));
  EXPECT_EQ(clock_.SleepCount(), 0);
}

// The navigator may still hold the reply of an earlier call: it can then be
// neither deleted nor opened, and would pass for the answer once let go.
TEST_F(FileCallChannelTest, AnOldReplyStillHeldFailsTheCallBeforeAnyRequest) {
  LeaveStaleReply();
  {
    const auto heldReply = files_.OpenForReading(kReplyMessagePath);
    const auto heldMarker = files_.OpenForReading(kReplyFinishedPath);
    ASSERT_NE(heldReply, nullptr);
    ASSERT_NE(heldMarker, nullptr);
    CommandList list = ListOf(L"GetCurrentPositionV01|");
    EXPECT_EQ(channel_.Call(list), -1);
    EXPECT_THAT(Fields(list), IsEmpty());
    EXPECT_FALSE(testing::NavigatorFiles::Exists(navigator_.RequestMessage()));
    EXPECT_EQ(clock_.SleepCount(), 0);
  }
  CommandList list;
  EXPECT_EQ(Exchange(std::string(kPositionReply), list), 4);
  EXPECT_THAT(Fields(list), ElementsAre(L"0", L"1", L"512345", L"5212345"));
}

TEST_F(FileCallChannelTest, APendingStopEndsTheWaitAndLeavesTheExchangeAsItStands) {
  stop_.Request();
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -3);
  EXPECT_EQ(clock_.SleepCount(), 0);
  EXPECT_EQ(testing::NavigatorFiles::Read(navigator_.RequestFinished()), "finish..");
}

TEST_F(FileCallChannelTest, AMillionFieldReplyIsHeldCompactlyAndGivenBackWhenCleared) {
  // 1 MiB of bars: four bytes a field, in storage taken once.
  constexpr std::size_t kFields = std::size_t{1024} * 1024;
  CommandList list;
  EXPECT_EQ(Exchange(std::string(kFields, '|'), list), static_cast<std::int32_t>(kFields));
  EXPECT_LE(list.StorageBytes(), 4 * kFields + 1024);
  EXPECT_EQ(list.At(kFields - 1), L"");
  list.Clear();
  EXPECT_LE(list.Capacity(), CommandList::kKeptCapacity);
  EXPECT_LT(list.StorageBytes() * 100, 4 * kFields);
  // One field of 1 MiB: the buffer of its text is given back too.
  EXPECT_EQ(Exchange(std::string(kFields - 1, 'x') + '|', list), 1);
  list.Clear();
  EXPECT_LT(list.StorageBytes() * 100, 4 * kFields);
}

TEST_F(FileCallChannelTest, RequestIsNeverWrittenThroughAPlantedSymbolicLink) {
  const fs::path victim = root_.Path() / "victim";
  testing::NavigatorFiles::Write(victim, "precious");

  fs::create_symlink(victim, navigator_.RequestMessage());
  CommandList list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -1);
  EXPECT_EQ(testing::NavigatorFiles::Read(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(navigator_.RequestMessage()));

  fs::remove(navigator_.RequestMessage());
  fs::create_symlink(victim, navigator_.RequestFinished());
  list = ListOf(L"GetCurrentPositionV01|");
  EXPECT_EQ(channel_.Call(list), -2);
  EXPECT_EQ(testing::NavigatorFiles::Read(victim), "precious");
}

}  // namespace
}  // namespace nav
