#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace nav::testing {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDirectory {
 public:
  TempDirectory() {
    // A fresh random name, created here and nowhere else (create_directory
    // reports whether it made the directory), on every platform.
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path candidate = base / ("nav_test_" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("no temporary directory could be created");
  }
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
  [[nodiscard]] std::string String() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace nav::testing
