#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace nav::win32 {

// The handheld's file operations on the Win32 file system. "Without sharing"
// is share mode 0: while a file is open here, every other open of it, and its
// deletion, fails, in this process or any other.
class Win32FileSystem : public platform::FileSystem {
 public:
  // "\TomTom\..." is on the drive (or share) the program lies on, whatever
  // the current drive, so that the programs of the exchange that lie on one
  // drive meet in one folder. Tests put a directory of their own in
  // front with `rootDirectory`.
  Win32FileSystem();
  explicit Win32FileSystem(std::wstring rootDirectory);

  bool MakeDirectory(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool Exists(const std::wstring& path) override;
  std::unique_ptr<platform::ExclusiveFile> CreateForWriting(const std::wstring& path) override;
  std::unique_ptr<platform::ExclusiveFile> OpenForReading(const std::wstring& path) override;

  // The native path that stands for a handheld path.
  [[nodiscard]] std::wstring NativePath(const std::wstring& path) const;

 private:
  std::wstring root_;
};

}  // namespace nav::win32
