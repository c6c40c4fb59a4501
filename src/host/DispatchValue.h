#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace korrin::host {

// An object of the host as the dispatch channel names it: a number the host
// handed out. Zero names nothing.
struct ObjectReference {
  std::uint64_t value = 0;

  bool operator==(const ObjectReference&) const = default;
};

struct DispatchValue;
using DispatchArray = std::vector<DispatchValue>;

// The kinds a dispatch value can take, in the order of the alternatives.
enum class DispatchKind { Empty, Boolean, Integer16, Integer32, Double, Text, Object, Array };

// One argument or result of a dispatch call, shaped like an automation
// variant: empty, Boolean, 16- or 32-bit integer, double, text, object, or
// an array of these (the few results that are lists or records).
struct DispatchValue {
  using Storage =
      std::variant<std::monostate, bool, std::int16_t, std::int32_t, double, std::string, ObjectReference, DispatchArray>;

  Storage storage;

  DispatchValue() = default;
  DispatchValue(bool value) : storage(value) {}
  DispatchValue(std::int16_t value) : storage(value) {}
  DispatchValue(std::int32_t value) : storage(value) {}
  DispatchValue(double value) : storage(value) {}
  DispatchValue(std::string value) : storage(std::move(value)) {}
  DispatchValue(const char* value) : storage(std::string(value)) {}
  DispatchValue(ObjectReference value) : storage(value) {}
  DispatchValue(DispatchArray value) : storage(std::move(value)) {}

  DispatchKind kind() const { return static_cast<DispatchKind>(storage.index()); }
  template <typename T>
  bool holds() const {
    return std::holds_alternative<T>(storage);
  }
  template <typename T>
  const T& as() const {
    return std::get<T>(storage);
  }

  bool operator==(const DispatchValue&) const = default;
};

// "32-bit integer", "text" ...: for failure descriptions.
const char* DispatchKindName(DispatchKind kind);

}  // namespace korrin::host
