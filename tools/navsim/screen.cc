#include "navsim/screen.h"

#include "text/narrow_text.h"
#include "text/utf8.h"

namespace nav::navsim {
namespace {

constexpr std::string_view kReset = "\x1b[0m";
constexpr std::string_view kDayColours = "\x1b[38;5;16;48;5;229m";
constexpr std::string_view kNightColours = "\x1b[38;5;153;48;5;17m";
constexpr std::string_view kNoSchemeColours = "\x1b[2m";
constexpr std::string_view kFlashColours = "\x1b[1;38;5;16;48;5;214m";

std::string_view ColoursOf(Scheme scheme) {
  switch (scheme) {
    case Scheme::kDay:
      return kDayColours;
    case Scheme::kNight:
      return kNightColours;
    default:
      return kNoSchemeColours;
  }
}

}  // namespace

std::string Printable(std::string_view bytes, bool utf8) {
  // One wide character a byte, up to the first zero byte, where the text ends.
  const std::wstring text = WideFromNarrow(bytes);
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r') {
      shown += "\\r";
    } else if (c == L'\n') {
      shown += "\\n";
    } else if (c >= 0x20 && c < 0x7F) {
      shown.push_back(static_cast<char>(c));
    } else if (utf8 && c >= 0xA0) {
      shown += Utf8FromWide(std::wstring_view(&text[i], 1));
    } else {
      // Control characters (C0, DEL, and the C1 ones the code page's undefined
      // bytes read as) would drive the terminal: they are shown by their byte.
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(bytes[i]);
      shown += {'\\', 'x', kHex[byte >> 4U], kHex[byte & 0xFU]};
    }
  }
  return shown;
}

std::string Screen::SchemeLabel(Scheme scheme) const {
  switch (scheme) {
    case Scheme::kDay:
      return Draw("\u2600 day  ", "* day  ");
    case Scheme::kNight:
      return Draw("\u263E night", "C night");
    default:
      return "  -    ";
  }
}

void Screen::Started(std::string_view description) {
  std::fprintf(out_, "navsim: %.*s\n", static_cast<int>(description.size()), description.data());
  std::fflush(out_);
}

void Screen::Exchange(const std::tm& now, std::string_view request, std::string_view reply) {
  Line(now, ColoursOf(scheme_),
       SchemeLabel(scheme_) + "  " + Printable(request, utf8_) + Draw("  \u2192  ", "  ->  ") +
           Printable(reply, utf8_));
}

void Screen::SchemeChanged(const std::tm& now, Scheme scheme) {
  if (scheme == scheme_) return;
  scheme_ = scheme;
  const std::string name = scheme == Scheme::kDay ? "DAY" : "NIGHT";
  const std::string rule = Draw("\u2501\u2501\u2501", "===");
  Line(now, ColoursOf(scheme), rule + " the navigator now shows its " + name + " colours " + rule);
}

void Screen::Flash(const std::tm& now, std::string_view text, std::uint32_t ms) {
  Line(now, kFlashColours,
       Draw("\u2709  \u201E", "@  \"") + Printable(text, utf8_) + Draw("\u201C", "\"") +
           "  (on screen for " + std::to_string(ms) + " ms)");
}

void Screen::Note(const std::tm& now, std::string_view text) {
  Line(now, kNoSchemeColours, std::string(text));
}

void Screen::Line(const std::tm& now, std::string_view colour, const std::string& text) {
  char clock[32];
  std::strftime(clock, sizeof clock, "%Y-%m-%d %H:%M:%S", &now);
  if (colours_) {
    std::fprintf(out_, "%s  %.*s %s %.*s\n", clock, static_cast<int>(colour.size()), colour.data(),
                 text.c_str(), static_cast<int>(kReset.size()), kReset.data());
  } else {
    std::fprintf(out_, "%s  %s\n", clock, text.c_str());
  }
  std::fflush(out_);
}

}  // namespace nav::navsim
