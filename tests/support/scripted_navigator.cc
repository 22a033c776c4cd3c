#include "support/scripted_navigator.h"

#include "native_file_system.h"
#include "text/narrow_text.h"

namespace nav::testing {
namespace {

constexpr wchar_t kRequestMessage[] =
    L"\\TomTom\\SdkFileCalls\\MY_VB_SDK.TomTomNavigationServer.2413838986.1.message";
constexpr wchar_t kRequestFinished[] =
    L"\\TomTom\\SdkFileCalls\\MY_VB_SDK.TomTomNavigationServer.2413838986.1.finished";
constexpr wchar_t kReplyMessage[] =
    L"\\TomTom\\SdkFileCalls\\TomTomNavigationServer.MY_VB_SDK.2413838986.1.message";
constexpr wchar_t kReplyFinished[] =
    L"\\TomTom\\SdkFileCalls\\TomTomNavigationServer.MY_VB_SDK.2413838986.1.finished";

bool ReadWhole(platform::FileSystem& files, const std::wstring& path, std::string& bytes) {
  const std::unique_ptr<platform::ExclusiveFile> file = files.OpenForReading(path);
  if (!file) return false;
  const std::int64_t length = file->Length();
  return length >= 0 && file->Read(static_cast<std::size_t>(length), bytes);
}

bool WriteWhole(platform::FileSystem& files, const std::wstring& path, const std::string& bytes) {
  const std::unique_ptr<platform::ExclusiveFile> file = files.CreateForWriting(path);
  return file && file->Write(bytes);
}

}  // namespace

ScriptedNavigator::ScriptedNavigator(VirtualClock& clock, Journal& journal)
    : journal_(journal),
      programFiles_(std::make_unique<NativeFileSystem>(directory_.Path().native())),
      ownFiles_(std::make_unique<NativeFileSystem>(directory_.Path().native())) {
  replies_[L"GetCurrentPositionV01|"] = kAmsterdamPosition;
  clock.OnSleep([this] { Serve(); });
}

void ScriptedNavigator::Serve() {
  std::string marker;
  std::string request;
  if (!ReadWhole(*ownFiles_, kRequestFinished, marker) || marker.empty()) return;
  if (!ReadWhole(*ownFiles_, kRequestMessage, request)) return;
  ownFiles_->RemoveFile(kRequestMessage);
  ownFiles_->RemoveFile(kRequestFinished);

  const std::wstring command = WideFromNarrow(request);
  requests_.push_back(command);
  journal_.Add("navigator receives " + Ascii(command));
  if (silent_) return;

  const auto scripted = replies_.find(command);
  const std::string reply = scripted != replies_.end() ? scripted->second : kAccepted;
  WriteWhole(*ownFiles_, kReplyMessage, reply);
  WriteWhole(*ownFiles_, kReplyFinished, "1");
}

}  // namespace nav::testing
