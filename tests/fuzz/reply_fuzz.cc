// The navigator's reply as the channel reads it: any bytes in the reply file,
// split into fields, each field read as a status and as a position.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "filecall/command_list.h"
#include "filecall/file_call_channel.h"
#include "shell/reply_fields.h"

namespace {

// An exchange directory in memory whose navigator has answered already.
class AnsweredFiles : public nav::platform::FileSystem {
 public:
  explicit AnsweredFiles(std::string reply) : reply_(std::move(reply)) {}

  bool MakeDirectory(const std::wstring&) override { return true; }
  bool RemoveFile(const std::wstring&) override { return true; }
  bool Exists(const std::wstring&) override { return false; }
  std::unique_ptr<nav::platform::ExclusiveFile> CreateForWriting(const std::wstring&) override {
    return std::make_unique<File>(std::string());
  }
  std::unique_ptr<nav::platform::ExclusiveFile> OpenForReading(const std::wstring& path) override {
    return std::make_unique<File>(path.ends_with(L".message") ? reply_ : std::string("1"));
  }

 private:
  class File : public nav::platform::ExclusiveFile {
   public:
    explicit File(std::string bytes) : bytes_(std::move(bytes)) {}
    std::int64_t Length() override { return static_cast<std::int64_t>(bytes_.size()); }
    bool Read(std::size_t count, std::string& bytes) override {
      bytes = bytes_.substr(0, count);
      return bytes.size() == count;
    }
    bool Write(std::string_view) override { return true; }

   private:
    std::string bytes_;
  };

  std::string reply_;
};

class NoWait : public nav::platform::Clock {
 public:
  void Sleep(std::uint32_t) override {}
  nav::platform::TimeZoneState QueryTimeZone(nav::platform::TimeZoneInfo&) override {
    return nav::platform::TimeZoneState::kUnavailable;
  }
  bool LocalNow(std::tm&) override { return false; }
};

class NeverStop : public nav::platform::StopRequest {
 public:
  bool StopRequested() override { return false; }
};

class Silent : public nav::platform::Notifier {
 public:
  void ShowMessage(const std::wstring&, const std::wstring&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  AnsweredFiles files(std::string(reinterpret_cast<const char*>(data), size));
  NoWait clock;
  NeverStop stop;
  Silent notifier;
  nav::FileCallChannel channel(files, clock, stop, notifier);
  nav::CommandList list;
  list.PutAt(0, L"GetCurrentPositionV01|");
  const std::int32_t fields = channel.Call(list);
  if (fields > 0 && static_cast<std::size_t>(fields) != list.Size()) __builtin_trap();
  for (std::size_t i = 0; i < list.Size(); ++i) {
    static_cast<void>(nav::ReadIntField(list.At(i)));
    static_cast<void>(nav::FieldToDegrees(list.At(i)));
  }
  return 0;
}
