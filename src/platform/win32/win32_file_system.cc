#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <utility>

#include "platform/win32/drive_root.h"

namespace nav::win32 {
namespace {

class Win32File : public platform::ExclusiveFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { CloseHandle(handle_); }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  std::int64_t Length() override {
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    // INVALID_FILE_SIZE is also the low half of a valid size: the error decides.
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32U) | low);
  }

  bool Read(std::size_t count, std::string& bytes) override {
    bytes.assign(count, '\0');
    std::size_t done = 0;
    while (done < count) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1U << 20U));
      DWORD got = 0;
      if (!ReadFile(handle_, bytes.data() + done, chunk, &got, nullptr) || got == 0) {
        bytes.resize(done);
        return false;
      }
      done += got;
    }
    return true;
  }

  bool Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1U << 20U));
      DWORD put = 0;
      if (!WriteFile(handle_, bytes.data() + done, chunk, &put, nullptr) || put == 0) return false;
      done += put;
    }
    return true;
  }

 private:
  HANDLE handle_;
};

std::unique_ptr<platform::ExclusiveFile> Open(const std::wstring& path, DWORD access,
                                              DWORD disposition) {
  const HANDLE handle = CreateFileW(path.c_str(), access, 0 /* no sharing */, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(handle);
}

}  // namespace

Win32FileSystem::Win32FileSystem() : root_(ProgramDriveRoot()) {}

Win32FileSystem::Win32FileSystem(std::wstring rootDirectory) : root_(std::move(rootDirectory)) {}

std::wstring Win32FileSystem::NativePath(const std::wstring& path) const { return root_ + path; }

bool Win32FileSystem::MakeDirectory(const std::wstring& path) {
  return CreateDirectoryW(NativePath(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveFile(const std::wstring& path) {
  return DeleteFileW(NativePath(path).c_str()) != 0;
}

bool Win32FileSystem::Exists(const std::wstring& path) {
  // The attributes come from the directory, so a file held open without
  // sharing is seen too.
  return GetFileAttributesW(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<platform::ExclusiveFile> Win32FileSystem::CreateForWriting(
    const std::wstring& path) {
  return Open(NativePath(path), GENERIC_WRITE, CREATE_ALWAYS);
}

std::unique_ptr<platform::ExclusiveFile> Win32FileSystem::OpenForReading(const std::wstring& path) {
  return Open(NativePath(path), GENERIC_READ, OPEN_EXISTING);
}

}  // namespace nav::win32
