#include "navsim/exchange_server.h"

#include <utility>

namespace nav::navsim {
namespace {

// What the navigator writes into its completion marker; any byte would do.
constexpr std::string_view kMarkerContent = "finish..";
// A request larger than this is no request of ours; it is taken and dropped.
constexpr std::int64_t kLargestRequest = std::int64_t{64} * 1024;

}  // namespace

ExchangeServer::ExchangeServer(platform::FileSystem& files, ExchangePaths paths,
                               NavigatorBehaviour behaviour, Fault fault,
                               std::chrono::milliseconds delay, Screen& screen, std::FILE* log)
    : files_(files),
      paths_(std::move(paths)),
      behaviour_(behaviour),
      fault_(fault),
      delay_(delay),
      screen_(screen),
      log_(log) {}

std::optional<ExchangeServer::TimePoint> ExchangeServer::NextDue() const {
  if (!pending_) return std::nullopt;
  return pending_->due;
}

bool ExchangeServer::Poll(TimePoint now, const std::tm& localNow) {
  if (pending_) {
    // A late navigator is busy with the request it took: it answers that
    // one when it falls due and takes no other meanwhile.
    if (now < pending_->due) return false;
    const Pending late = std::move(*pending_);
    pending_.reset();
    Deliver(late.request, late.answer, localNow);
    return true;
  }
  // A navigator that never answers does not even take the request: the
  // files stay as the caller wrote them.
  if (fault_ == Fault::kSilent) return false;
  std::string request;
  if (!TakeRequest(request)) return false;
  heldMarker_.reset();

  const Answer answer = behaviour_.Respond(request);
  switch (fault_) {
    case Fault::kLate:
      pending_ = Pending{request, answer, now + delay_};
      screen_.Note(localNow, "request taken; the answer follows in " +
                                 std::to_string(delay_.count()) + " ms");
      return true;
    default:
      Deliver(request, answer, localNow);
      return true;
  }
}

bool ExchangeServer::TakeRequest(std::string& request) {
  {
    // The caller writes the marker after closing the request, so a marker
    // with content means the request is complete. A locked one is not yet.
    const auto marker = files_.OpenForReading(paths_.requestFinished);
    if (!marker || marker->Length() <= 0) return false;
  }
  if (auto message = files_.OpenForReading(paths_.requestMessage)) {
    const std::int64_t length = message->Length();
    if (length > 0 && length <= kLargestRequest) {
      message->Read(static_cast<std::size_t>(length), request);
    }
  }
  files_.RemoveFile(paths_.requestMessage);
  files_.RemoveFile(paths_.requestFinished);
  return true;
}

void ExchangeServer::Deliver(const std::string& request, const Answer& answer,
                             const std::tm& localNow) {
  const std::string& reply = answer.reply;
  WriteFile(paths_.replyMessage, reply, false);
  const bool emptyMarker = fault_ == Fault::kEmptyMarker;
  WriteFile(paths_.replyFinished, emptyMarker ? std::string{} : std::string{kMarkerContent},
            fault_ == Fault::kLockedMarker);
  screen_.Exchange(localNow, request, reply);
  Log(localNow, request, reply);
  // What the navigator's screen shows once it has done as it was told.
  if (answer.scheme) screen_.SchemeChanged(localNow, *answer.scheme);
  if (answer.flashText) screen_.Flash(localNow, *answer.flashText, answer.flashMs);
}

bool ExchangeServer::WriteFile(const std::wstring& path, const std::string& bytes, bool keepOpen) {
  auto file = files_.CreateForWriting(path);
  if (!file) return false;
  const bool written = file->Write(bytes);
  if (keepOpen) heldMarker_ = std::move(file);
  return written;
}

void ExchangeServer::Log(const std::tm& localNow, const std::string& request,
                         const std::string& reply) {
  if (log_ == nullptr) return;
  char clock[32];
  std::strftime(clock, sizeof clock, "%Y-%m-%d %H:%M:%S", &localNow);
  // The texts go in as their exact bytes, so scripts can check them.
  std::fprintf(log_, "%s\t%s\t%s\n", clock, request.c_str(), reply.c_str());
  std::fflush(log_);
}

}  // namespace nav::navsim
