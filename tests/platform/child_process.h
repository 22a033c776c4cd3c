#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <thread>

namespace nav::testing {

// A forked child that runs `body` and exits with its result. The child never
// returns into the test framework; one that is still running when the object
// goes is killed.
class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int()>& body) : pid_(::fork()) {
    if (pid_ == 0) {
      std::fflush(nullptr);
      ::_exit(body());
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // The exit code, or 1000 + the signal that ended it, or -1.
  int Wait() {
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return -1;
    waited_ = true;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : -1;
  }

 private:
  pid_t pid_;
  bool waited_ = false;
};

// Polls `condition` until it holds; false when it has not after ten seconds.
// The limit only ends a broken test: it is no claim about speed.
inline bool Eventually(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// A fresh private directory (mkdtemp), removed with its contents at the end.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = "/tmp/nav_platform_XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace nav::testing
