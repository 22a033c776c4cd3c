#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nav::navsim {

// The ways a stand-in navigator can misbehave, for tests.
enum class Fault {
  kNone,
  kLate,          // answers, but only after a delay
  kSilent,        // never answers
  kEmptyMarker,   // writes the reply but leaves its completion marker empty
  kLockedMarker,  // writes reply and marker, then keeps the marker locked
  kMalformed,     // answers with text that has no fields
  kBadStatus,     // answers every call with a failure status
};

std::optional<Fault> FaultFromName(std::string_view name);
std::string_view NameOfFault(Fault fault);

enum class Scheme { kUnknown, kDay, kNight };

// What the navigator does with one request, and what it answers.
struct Answer {
  std::string reply;                     // 8-bit reply text
  std::optional<Scheme> scheme;          // a colour scheme it was told to use
  std::optional<std::string> flashText;  // a greeting it was told to flash
  std::uint32_t flashMs = 0;
};

// The navigator's side of the commands this system sends: the current
// position, the colour scheme and the greeting. Unknown commands get a
// failure status, as a navigator would give them.
class NavigatorBehaviour {
 public:
  NavigatorBehaviour(double latitude, double longitude, Fault fault)
      : latitude_(latitude), longitude_(longitude), fault_(fault) {}

  [[nodiscard]] Answer Respond(std::string_view request) const;

 private:
  double latitude_;
  double longitude_;
  Fault fault_;
};

}  // namespace nav::navsim
