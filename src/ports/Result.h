#pragma once

#include <string>
#include <utility>
#include <variant>

namespace korrin {

// A failed call to a file, the registry or the host: the number the system
// gave (an errno value, a host error code) and its description. Failures are
// values; nothing in Korrin throws across a port.
struct Failure {
  long number = 0;
  std::string description;

  bool operator==(const Failure&) const = default;
};

// The value of a call that can fail.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Failure failure) : state_(std::move(failure)) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  // By value, so `for (auto& x : Call().value())` keeps what it walks alive.
  T value() && { return std::get<T>(std::move(state_)); }
  const Failure& failure() const { return std::get<Failure>(state_); }

 private:
  std::variant<T, Failure> state_;
};

// The outcome of a call that returns nothing but can fail.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Failure failure) : failed_(true), failure_(std::move(failure)) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Failure& failure() const { return failure_; }

 private:
  bool failed_ = false;
  Failure failure_;
};

}  // namespace korrin
