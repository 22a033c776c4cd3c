#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace nav::posix {

// The handheld's file operations on a Linux directory tree. "Without sharing"
// is an exclusive, non-blocking flock() held for as long as a file is open;
// a file someone else holds locked counts as one that cannot be opened, and
// nothing ever waits for a lock. Files are never opened through a symbolic
// link, and only regular files are opened.
class PosixFileSystem : public platform::FileSystem {
 public:
  // `rootDirectory` stands for the handheld's root "\".
  explicit PosixFileSystem(std::string rootDirectory);

  bool MakeDirectory(const std::wstring& path) override;
  // New files are made under private names first (private_name_creation.h);
  // this removes those that a killed run left in `directory`.
  void RemoveAbandonedFiles(const std::wstring& directory) override;
  // A file that another process holds locked is not deleted, like a file
  // open elsewhere on the handheld. A symbolic link is removed itself.
  bool RemoveFile(const std::wstring& path) override;
  // lstat(): a symbolic link counts as there, wherever it points.
  bool Exists(const std::wstring& path) override;
  std::unique_ptr<platform::ExclusiveFile> CreateForWriting(const std::wstring& path) override;
  std::unique_ptr<platform::ExclusiveFile> OpenForReading(const std::wstring& path) override;

  // The native path that stands for a handheld path.
  [[nodiscard]] std::string NativePath(const std::wstring& path) const;

 private:
  std::string root_;
};

}  // namespace nav::posix
