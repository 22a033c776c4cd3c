#pragma once

#include <string>
#include <utility>
#include <variant>

namespace suntimes {

// Why the program cannot answer. A usage failure is the caller's to mend (exit
// status 2, with a pointer to --help); a system failure is not (exit status 1).
struct Failure {
  enum class Kind { kUsage, kSystem };
  Kind kind = Kind::kUsage;
  std::string message;
};

inline Failure UsageFailure(std::string message) {
  return {Failure::Kind::kUsage, std::move(message)};
}

inline Failure SystemFailure(std::string message) {
  return {Failure::Kind::kSystem, std::move(message)};
}

// A value, or the failure that stands in its place: the one way the tool's
// steps report that they could not go on.
template <typename Value>
class Outcome {
 public:
  Outcome(Value value) : state_(std::move(value)) {}
  Outcome(Failure failure) : state_(std::move(failure)) {}

  [[nodiscard]] bool Ok() const { return std::holds_alternative<Value>(state_); }
  // Only when Ok().
  [[nodiscard]] const Value& Get() const { return *std::get_if<Value>(&state_); }
  // Only when not Ok().
  [[nodiscard]] const Failure& Error() const { return *std::get_if<Failure>(&state_); }

 private:
  std::variant<Value, Failure> state_;
};

}  // namespace suntimes
