#include "platform/win32/win32_window_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/drive_root.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_stop_request.h"
#include "win32_peer.h"

namespace nav::win32 {
namespace {

using platform::kNoWindow;
using platform::Message;
using platform::WindowHandle;
using testing::Eventually;
using testing::Win32Peer;

// Another process's window is found by class and title, answers a message
// sent to it, and ends its process with 0 once closed.
TEST(Win32WindowSystemTest, FindSendAndCloseAcrossProcesses) {
  Win32WindowSystem windows(GetModuleHandleW(nullptr));
  const std::wstring title = L"Peer";
  const std::wstring otherTitle = L"Other";
  EXPECT_EQ(windows.Find(L"NavPeer", nullptr), kNoWindow);

  Win32Peer peer(L"window");
  ASSERT_TRUE(peer.Started());
  WindowHandle found = kNoWindow;
  ASSERT_TRUE(Eventually([&] { return (found = windows.Find(L"NavPeer", nullptr)) != kNoWindow; }));
  EXPECT_EQ(windows.Find(L"NavPeer", &title), found);
  EXPECT_EQ(windows.Find(L"NavPeer", &otherTitle), kNoWindow);
  EXPECT_TRUE(windows.IsWindow(found));

  EXPECT_EQ(windows.Send(found, 0x8000, 40, 2), 42);
  windows.Send(found, WM_CLOSE, 0, 0);
  // The close has been handled when Send returns: the window is gone.
  EXPECT_EQ(windows.Find(L"NavPeer", nullptr), kNoWindow);
  EXPECT_EQ(peer.ExitCode(20000), 0);
}

// A later start asks the owner of a window to stop waiting, and gives up on
// a window whose owner is busy past the time limit, leaving it alone and no
// longer asked to stop.
TEST(Win32WindowSystemTest, StopRequestReachesTheOwnerAndABusyOwnerIsGivenUpOn) {
  Win32WindowSystem windows(GetModuleHandleW(nullptr));
  Win32StopRequest stop;
  Win32Peer peer(L"window");
  WindowHandle found = kNoWindow;
  ASSERT_TRUE(Eventually([&] { return (found = windows.Find(L"NavPeer", nullptr)) != kNoWindow; }));
  EXPECT_EQ(windows.Send(found, 0x8001, 0, 0), 0);
  stop.RequestStopOf(found);
  EXPECT_EQ(windows.Send(found, 0x8001, 0, 0), 1);

  const HANDLE busy = CreateEventW(nullptr, TRUE, FALSE, L"Local\\NavPeerBusy");
  PostMessageW(reinterpret_cast<HWND>(found), 0x8002, 3000, 0);
  ASSERT_EQ(WaitForSingleObject(busy, 20000), WAIT_OBJECT_0);
  CloseHandle(busy);
  EXPECT_FALSE(windows.SendWithin(found, 0x8000, 40, 2, 300));
  stop.WithdrawStopOf(found);
  EXPECT_EQ(peer.ExitCode(0), -1);
  EXPECT_EQ(windows.Send(found, 0x8001, 0, 0), 0);
  EXPECT_TRUE(windows.SendWithin(found, WM_CLOSE, 0, 0, 20000));
  EXPECT_EQ(peer.ExitCode(20000), 0);
}

// The lock of a class whose holder ended without giving it back is taken
// over, so that a killed instance does not bar every later start.
TEST(Win32WindowSystemTest, ALockWhoseHolderEndedIsTakenOver) {
  // Held open here, the lock outlives its holder as it does while another
  // start waits for it.
  const HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\nav_manager.class.NavAbandoned");
  ASSERT_NE(lock, nullptr);
  Win32Peer holder(L"abandon NavAbandoned");
  ASSERT_EQ(holder.ExitCode(20000), 0);
  Win32WindowSystem windows(GetModuleHandleW(nullptr));
  EXPECT_TRUE(windows.LockClass(L"NavAbandoned", 5000));
  windows.UnlockClass(L"NavAbandoned");
  CloseHandle(lock);
}

// A timer without a window calls its procedure from dispatch, period after
// period, with the period asked for; the loop ends with the quit code.
TEST(Win32WindowSystemTest, TimerCallsItsProcedureEveryPeriod) {
  Win32WindowSystem windows(GetModuleHandleW(nullptr));
  int ticks = 0;
  ULONGLONG first = 0;
  ULONGLONG last = 0;
  ASSERT_TRUE(windows.SetTimer(7123, 100, [&] {
    last = GetTickCount64();
    if (ticks++ == 0) first = last;
    if (ticks == 6) windows.PostQuitMessage(7);
  }));
  Message message;
  while (windows.NextMessage(message)) {
    windows.TranslateMessage(message);
    windows.Dispatch(message);
  }
  EXPECT_EQ(message.wParam, 7U);
  EXPECT_EQ(ticks, 6);
  // Five periods of 100 ms between the first tick and the sixth: never
  // fewer, and not whole seconds more.
  EXPECT_GE(last - first, 450U);
  EXPECT_LT(last - first, 5000U);
}

TEST(Win32ProcessTest, ExecutablePathEndsInTheProgramsName) {
  Win32Process process;
  const std::wstring path = process.ExecutablePath();
  const std::wstring name = L"\\win32_platform_test.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_EQ(process.PathSeparators(), L"\\");
}

TEST(Win32DriveRootTest, DriveOrShareOfAPath) {
  EXPECT_EQ(DriveRootOf(L"C:\\Program Files\\nav\\nav_manager.exe"), L"C:");
  EXPECT_EQ(DriveRootOf(L"d:\\nav_manager.exe"), L"d:");
  EXPECT_EQ(DriveRootOf(L"\\\\server\\share\\nav\\nav_manager.exe"), L"\\\\server\\share");
  EXPECT_EQ(DriveRootOf(L"\\\\?\\C:\\nav\\nav_manager.exe"), L"\\\\?\\C:");
  EXPECT_EQ(DriveRootOf(L"\\\\?\\UNC\\server\\share\\nav_manager.exe"),
            L"\\\\?\\UNC\\server\\share");
  EXPECT_EQ(DriveRootOf(L"\\\\?\\unc\\server\\share\\nav_manager.exe"),
            L"\\\\?\\unc\\server\\share");
  EXPECT_EQ(DriveRootOf(L"\\\\server"), L"");
  EXPECT_EQ(DriveRootOf(L"nav_manager.exe"), L"");
}

// Long and plain forms of paths on drives and shares, each way round.
TEST(Win32DriveRootTest, LongAndPlainFormsOfAPath) {
  const std::wstring drive = L"C:\\nav\\EndSound.wav";
  const std::wstring longDrive = L"\\\\?\\C:\\nav\\EndSound.wav";
  const std::wstring share = L"\\\\server\\share\\EndSound.wav";
  const std::wstring longShare = L"\\\\?\\UNC\\server\\share\\EndSound.wav";
  EXPECT_EQ(LongFormOf(drive), longDrive);
  EXPECT_EQ(LongFormOf(longDrive), longDrive);
  EXPECT_EQ(LongFormOf(share), longShare);
  EXPECT_EQ(LongFormOf(longShare), longShare);
  EXPECT_EQ(PlainFormOf(longDrive), drive);
  EXPECT_EQ(PlainFormOf(drive), drive);
  EXPECT_EQ(PlainFormOf(longShare), share);
  EXPECT_EQ(PlainFormOf(L"\\\\?\\unc\\server\\share\\EndSound.wav"), share);
  EXPECT_EQ(PlainFormOf(share), share);
}

}  // namespace
}  // namespace nav::win32
