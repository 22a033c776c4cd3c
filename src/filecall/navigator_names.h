#pragma once

#include <cstddef>

namespace nav {

// The navigator's main window, present while it runs.
inline constexpr wchar_t kNavigatorClassName[] = L"MunichWinClass";
inline constexpr wchar_t kNavigatorTitle[] = L"TomTom Navigator";

namespace navigator_names_detail {

// A name joined from others at compile time, with its terminating zero.
template <std::size_t Size>
struct JoinedName {
  wchar_t text[Size]{};
};

template <std::size_t... Sizes>
constexpr JoinedName<(Sizes + ...) - sizeof...(Sizes) + 1> Join(const wchar_t (&... parts)[Sizes]) {
  JoinedName<(Sizes + ...) - sizeof...(Sizes) + 1> joined;
  std::size_t at = 0;
  const auto append = [&joined, &at](const wchar_t* part, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) joined.text[at++] = part[i];
  };
  (append(parts, Sizes), ...);
  return joined;
}

}  // namespace navigator_names_detail

// The navigator's file-call exchange: its folder and the parts of the four
// file names. The "1" in the suffixes never changes.
inline constexpr wchar_t kNavigatorFolder[] = L"\\TomTom";
inline constexpr wchar_t kExchangeClientName[] = L"MY_VB_SDK";
inline constexpr wchar_t kExchangeServerName[] = L"TomTomNavigationServer";
inline constexpr wchar_t kExchangeCallId[] = L".2413838986";
inline constexpr wchar_t kExchangeMessageSuffix[] = L".1.message";
inline constexpr wchar_t kExchangeFinishedSuffix[] = L".1.finished";

namespace navigator_names_detail {

inline constexpr auto kFolder = Join(kNavigatorFolder, L"\\SdkFileCalls");
inline constexpr auto kDirectory = Join(kFolder.text, L"\\");

// A file of the exchange: the directory, the writer's name, ".", the
// reader's name, the call identifier and the suffix.
template <std::size_t WriterSize, std::size_t ReaderSize, std::size_t SuffixSize>
constexpr auto ExchangeFile(const wchar_t (&writer)[WriterSize],
                            const wchar_t (&reader)[ReaderSize],
                            const wchar_t (&suffix)[SuffixSize]) {
  return Join(kDirectory.text, writer, L".", reader, kExchangeCallId, suffix);
}

inline constexpr auto kRequestMessage =
    ExchangeFile(kExchangeClientName, kExchangeServerName, kExchangeMessageSuffix);
inline constexpr auto kRequestFinished =
    ExchangeFile(kExchangeClientName, kExchangeServerName, kExchangeFinishedSuffix);
inline constexpr auto kReplyMessage =
    ExchangeFile(kExchangeServerName, kExchangeClientName, kExchangeMessageSuffix);
inline constexpr auto kReplyFinished =
    ExchangeFile(kExchangeServerName, kExchangeClientName, kExchangeFinishedSuffix);

}  // namespace navigator_names_detail

// The exchange folder ("\TomTom\SdkFileCalls"), the same ending in its
// separator, and the four files: this program's request and its completion
// marker, the navigator's reply and its marker.
inline constexpr const auto& kExchangeFolder = navigator_names_detail::kFolder.text;
inline constexpr const auto& kExchangeDirectory = navigator_names_detail::kDirectory.text;
inline constexpr const auto& kRequestMessagePath = navigator_names_detail::kRequestMessage.text;
inline constexpr const auto& kRequestFinishedPath = navigator_names_detail::kRequestFinished.text;
inline constexpr const auto& kReplyMessagePath = navigator_names_detail::kReplyMessage.text;
inline constexpr const auto& kReplyFinishedPath = navigator_names_detail::kReplyFinished.text;

}  // namespace nav
