#include "support/scripted_navigator.h"

#include "filecall/navigator_names.h"
#include "native_file_system.h"
#include "text/narrow_text.h"

namespace nav::testing {
namespace {

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
  if (!ReadWhole(*ownFiles_, kRequestFinishedPath, marker) || marker.empty()) return;
  if (!ReadWhole(*ownFiles_, kRequestMessagePath, request)) return;
  ownFiles_->RemoveFile(kRequestMessagePath);
  ownFiles_->RemoveFile(kRequestFinishedPath);

  const std::wstring command = WideFromNarrow(request);
  requests_.push_back(command);
  journal_.Add("navigator receives " + Ascii(command));
  if (silent_) return;

  const auto scripted = replies_.find(command);
  const std::string reply = scripted != replies_.end() ? scripted->second : kAccepted;
  WriteWhole(*ownFiles_, kReplyMessagePath, reply);
  WriteWhole(*ownFiles_, kReplyFinishedPath, "1");
}

}  // namespace nav::testing
