// What nav_manager.exe carries for Windows to show and obey: its version in
// the file's properties, its manifest, and icon group 105 in four sizes.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "win32_peer.h"

namespace nav::testing {
namespace {

std::wstring VersionText(const std::vector<char>& info, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
  if (VerQueryValueW(info.data(), key.c_str(), &value, &length) == 0 || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;  // 0 stands for 256
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(Win32ProgramResources, VersionManifestAndIcons) {
  const std::wstring program = (TestFolder().parent_path() / L"bin" / L"nav_manager.exe").wstring();

  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
  ASSERT_GT(size, 0U);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, info.data()));
  const std::wstring version = NAV_VERSION;
  EXPECT_EQ(VersionText(info, L"FileVersion"), version);
  EXPECT_EQ(VersionText(info, L"ProductVersion"), version);
  void* fixed = nullptr;
  UINT fixedLength = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &fixed, &fixedLength));
  const auto* numbers = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  EXPECT_EQ(std::to_wstring(HIWORD(numbers->dwFileVersionMS)) + L"." +
                std::to_wstring(LOWORD(numbers->dwFileVersionMS)) + L"." +
                std::to_wstring(HIWORD(numbers->dwFileVersionLS)),
            version);

  const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                         SizeofResource(module, manifest));
  EXPECT_NE(text.find(R"(level="asInvoker")"), std::string::npos);
  // Windows 7 and Windows 10/11.
  EXPECT_NE(text.find("35138b9a-5d96-4fbd-8e2d-a2440225f93a"), std::string::npos);
  EXPECT_NE(text.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos);

  const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(105), MAKEINTRESOURCEW(14));
  ASSERT_NE(group, nullptr);
  const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
  std::set<int> sizes;
  for (WORD i = 0; i < header[2]; ++i) sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
  FreeLibrary(module);
}

}  // namespace
}  // namespace nav::testing
