#include "navsim/navigator_behaviour.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace nav::navsim {
namespace {

constexpr std::array<std::pair<std::string_view, Fault>, 7> kFaultNames = {{
    {"none", Fault::kNone},
    {"late", Fault::kLate},
    {"silent", Fault::kSilent},
    {"empty-marker", Fault::kEmptyMarker},
    {"locked-marker", Fault::kLockedMarker},
    {"malformed", Fault::kMalformed},
    {"bad-status", Fault::kBadStatus},
}};

// Splits "Name|a|b|" into its bar-terminated fields.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t bar = text.find('|'); bar != std::string_view::npos;
       bar = text.find('|', start)) {
    fields.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  return fields;
}

// Degrees in the navigator's units of 0.00001 degree.
std::string HundredThousandths(double degrees) {
  return std::to_string(std::llround(degrees * 100000.0));
}

}  // namespace

std::optional<Fault> FaultFromName(std::string_view name) {
  for (const auto& [text, fault] : kFaultNames) {
    if (text == name) return fault;
  }
  return std::nullopt;
}

std::string_view NameOfFault(Fault fault) {
  for (const auto& [text, value] : kFaultNames) {
    if (value == fault) return text;
  }
  return "none";
}

Answer NavigatorBehaviour::Respond(std::string_view request) const {
  Answer answer;
  if (fault_ == Fault::kMalformed) {
    answer.reply = "garbled reply without fields";
    return answer;
  }
  if (fault_ == Fault::kBadStatus) {
    answer.reply = "1|0|";
    return answer;
  }
  const std::vector<std::string_view> fields = Fields(request);
  const std::string_view command = fields.empty() ? std::string_view{} : fields[0];
  if (command == "GetCurrentPositionV01") {
    answer.reply =
        "0|1|" + HundredThousandths(longitude_) + "|" + HundredThousandths(latitude_) + "|";
  } else if (command == "ChangeSettingV01" && fields.size() >= 2 &&
             (fields[1] == "3" || fields[1] == "2")) {
    answer.scheme = fields[1] == "3" ? Scheme::kDay : Scheme::kNight;
    answer.reply = "0|";
  } else if (command == "FlashMessage" && fields.size() >= 3) {
    answer.flashText = std::string(fields[1]);
    const std::string_view ms = fields[2];
    std::from_chars(ms.data(), ms.data() + ms.size(), answer.flashMs);
    answer.reply = "0|";
  } else {
    answer.reply = "1|";
  }
  return answer;
}

}  // namespace nav::navsim
