#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "filecall/text_files.h"
#include "support/temp_directory.h"
#include "win32_peer.h"

namespace nav::win32 {
namespace {

using testing::Eventually;
using testing::TempDirectory;
using testing::Win32Peer;

constexpr wchar_t kFile[] = L"\\exchange.message";

class Win32FileSystemTest : public ::testing::Test {
 protected:
  [[nodiscard]] std::wstring Native(const wchar_t* path) const { return files_.NativePath(path); }
  // Lets the peer that holds kFile close it and end.
  void Release() const {
    std::ofstream(std::filesystem::path(Native(kFile) + L".release")).put('1');
  }

  TempDirectory root_;
  Win32FileSystem files_{root_.Path().native()};
};

TEST_F(Win32FileSystemTest, FileOpenWithoutSharingCannotBeOpenedOrDeletedBySecondOpen) {
  auto writer = files_.CreateForWriting(kFile);
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE(writer->Write("finish.."));
  EXPECT_EQ(files_.OpenForReading(kFile), nullptr);
  EXPECT_EQ(files_.CreateForWriting(kFile), nullptr);
  EXPECT_FALSE(files_.RemoveFile(kFile));
  writer.reset();

  auto reader = files_.OpenForReading(kFile);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->Length(), 8);
  std::string bytes;
  EXPECT_TRUE(reader->Read(8, bytes));
  EXPECT_EQ(bytes, "finish..");
  EXPECT_EQ(files_.OpenForReading(kFile), nullptr);
  reader.reset();

  // Create-or-truncate empties an existing file; deleting works once closed.
  ASSERT_NE(files_.CreateForWriting(kFile), nullptr);
  EXPECT_EQ(files_.OpenForReading(kFile)->Length(), 0);
  EXPECT_TRUE(files_.RemoveFile(kFile));
  EXPECT_FALSE(files_.RemoveFile(kFile));
  EXPECT_EQ(files_.OpenForReading(kFile), nullptr);
}

TEST_F(Win32FileSystemTest, FileHeldByAnotherProcessCannotBeOpenedOrDeleted) {
  Win32Peer peer(L"hold \"" + Native(kFile) + L"\"");
  ASSERT_TRUE(peer.Started());
  ASSERT_TRUE(Eventually([&] {
    return GetFileAttributesW((Native(kFile) + L".held").c_str()) != INVALID_FILE_ATTRIBUTES;
  }));
  EXPECT_EQ(files_.OpenForReading(kFile), nullptr);
  EXPECT_EQ(files_.CreateForWriting(kFile), nullptr);
  EXPECT_FALSE(files_.RemoveFile(kFile));
  EXPECT_TRUE(files_.Exists(kFile));  // held, but there

  Release();
  EXPECT_EQ(peer.ExitCode(20000), 0);
  EXPECT_NE(files_.OpenForReading(kFile), nullptr);
  EXPECT_TRUE(files_.RemoveFile(kFile));
  EXPECT_FALSE(files_.Exists(kFile));
}

// The reply marker as the channel looks at it: missing, empty, held open by
// the navigator, and with content.
TEST_F(Win32FileSystemTest, ReplyMarkerMissingEmptyHeldAndReady) {
  EXPECT_EQ(FileHasContent(files_, kFile), -1);
  ASSERT_NE(files_.CreateForWriting(kFile), nullptr);
  EXPECT_EQ(FileHasContent(files_, kFile), 0);
  {
    Win32Peer navigator(L"hold \"" + Native(kFile) + L"\"");
    ASSERT_TRUE(Eventually([&] {
      return GetFileAttributesW((Native(kFile) + L".held").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    EXPECT_EQ(FileHasContent(files_, kFile), -1);
    Release();
    EXPECT_EQ(navigator.ExitCode(20000), 0);
  }
  ASSERT_EQ(WriteTextFile(files_, kFile, L"1"), 1);
  EXPECT_EQ(FileHasContent(files_, kFile), 1);
  EXPECT_EQ(ReadTextFile(files_, kFile), L"1");
}

}  // namespace
}  // namespace nav::win32
