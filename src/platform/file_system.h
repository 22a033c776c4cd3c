#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace nav::platform {

// A file opened without sharing: nobody else can open it until this object is
// destroyed, which closes it.
class ExclusiveFile {
 public:
  virtual ~ExclusiveFile() = default;

  // Length in bytes, or -1 when it cannot be determined.
  virtual std::int64_t Length() = 0;
  // Reads exactly `count` bytes from the current position into `bytes`.
  // False when fewer could be read.
  virtual bool Read(std::size_t count, std::string& bytes) = 0;
  // Writes all of `bytes` at the current position. False on a short write.
  virtual bool Write(std::string_view bytes) = 0;
};

// The file operations of the handheld. Paths are the handheld's own, rooted
// at "\" with backslashes ("\TomTom\SdkFileCalls\..."); each platform maps them
// onto its own file system.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Creates one directory. False when it was not created (it may exist).
  virtual bool MakeDirectory(const std::wstring& path) = 0;
  // Removes what a run killed while it made a file left behind in
  // `directory`. Nothing to do where a file is made in one step.
  virtual void RemoveAbandonedFiles(const std::wstring& /*directory*/) {}
  // Deletes a file. False when nothing was deleted, a missing file included.
  virtual bool RemoveFile(const std::wstring& path) = 0;
  // Whether anything is at `path`, a file that another process holds
  // included (which can be neither opened nor deleted).
  virtual bool Exists(const std::wstring& path) = 0;
  // Creates the file, or truncates an existing one, for writing without
  // sharing. Null when it cannot be created or opened.
  virtual std::unique_ptr<ExclusiveFile> CreateForWriting(const std::wstring& path) = 0;
  // Opens an existing file for reading without sharing. Null when it is
  // missing or another process holds it.
  virtual std::unique_ptr<ExclusiveFile> OpenForReading(const std::wstring& path) = 0;
};

}  // namespace nav::platform
