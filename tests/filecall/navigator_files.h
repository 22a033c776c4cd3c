#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "filecall/navigator_names.h"
#include "native_file_system.h"

namespace nav::testing {

// The navigator's view of the exchange directory: raw bytes in and out of the
// four files, with no locks of its own.
class NavigatorFiles {
 public:
  explicit NavigatorFiles(const NativeFileSystem& files) : files_(files) {}

  [[nodiscard]] std::filesystem::path RequestMessage() const { return Native(kRequestMessagePath); }
  [[nodiscard]] std::filesystem::path RequestFinished() const {
    return Native(kRequestFinishedPath);
  }
  [[nodiscard]] std::filesystem::path ReplyMessage() const { return Native(kReplyMessagePath); }
  [[nodiscard]] std::filesystem::path ReplyFinished() const { return Native(kReplyFinishedPath); }

  // Writes the reply message and then its marker.
  void Answer(const std::string& reply, const std::string& marker = "1") const {
    Write(ReplyMessage(), reply);
    Write(ReplyFinished(), marker);
  }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  static std::optional<std::string> Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static bool Exists(const std::filesystem::path& path) {
    return std::filesystem::exists(std::filesystem::symlink_status(path));
  }

 private:
  [[nodiscard]] std::filesystem::path Native(const std::wstring& path) const {
    return files_.NativePath(path);
  }

  const NativeFileSystem& files_;
};

}  // namespace nav::testing
