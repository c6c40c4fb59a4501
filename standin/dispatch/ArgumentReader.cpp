#include "ArgumentReader.h"

#include "host/ChannelFailures.h"

namespace korrin::standin {

using host::DispatchKindName;
using host::DispatchValue;

Result<const DispatchValue*> ArgumentReader::At(std::size_t position) const {
  if (position >= arguments_.size()) return host::BadParameterCount();
  return &arguments_[position];
}

Failure ArgumentReader::Mismatch(std::size_t position, const std::string& expected, const std::string& got) const {
  return host::TypeMismatch("argument " + std::to_string(position + 1) + ": expected " + expected + ", got " + got);
}

Result<std::int32_t> ArgumentReader::Integer(std::size_t position) const {
  auto value = At(position);
  if (!value) return value.failure();
  const DispatchValue& argument = *value.value();
  if (argument.holds<std::int32_t>()) return argument.as<std::int32_t>();
  if (argument.holds<std::int16_t>()) return static_cast<std::int32_t>(argument.as<std::int16_t>());
  return Mismatch(position, "32-bit integer", DispatchKindName(argument.kind()));
}

Result<double> ArgumentReader::Double(std::size_t position) const {
  auto value = At(position);
  if (!value) return value.failure();
  const DispatchValue& argument = *value.value();
  if (argument.holds<double>()) return argument.as<double>();
  if (argument.holds<std::int32_t>()) return static_cast<double>(argument.as<std::int32_t>());
  if (argument.holds<std::int16_t>()) return static_cast<double>(argument.as<std::int16_t>());
  return Mismatch(position, "double", DispatchKindName(argument.kind()));
}

Result<bool> ArgumentReader::Boolean(std::size_t position) const {
  auto value = At(position);
  if (!value) return value.failure();
  if (value.value()->holds<bool>()) return value.value()->as<bool>();
  return Mismatch(position, "Boolean", DispatchKindName(value.value()->kind()));
}

Result<std::string> ArgumentReader::Text(std::size_t position) const {
  auto value = At(position);
  if (!value) return value.failure();
  if (value.value()->holds<std::string>()) return value.value()->as<std::string>();
  return Mismatch(position, "text", DispatchKindName(value.value()->kind()));
}

Result<host::OptionValue> ArgumentReader::Option(std::size_t position) const {
  auto value = At(position);
  if (!value) return value.failure();
  const DispatchValue& argument = *value.value();
  if (argument.holds<bool>()) return host::OptionValue(argument.as<bool>());
  if (argument.holds<std::int16_t>()) return host::OptionValue(static_cast<std::int32_t>(argument.as<std::int16_t>()));
  if (argument.holds<std::int32_t>()) return host::OptionValue(argument.as<std::int32_t>());
  if (argument.holds<double>()) return host::OptionValue(argument.as<double>());
  if (argument.holds<std::string>()) return host::OptionValue(argument.as<std::string>());
  return Mismatch(position, "an option value", DispatchKindName(argument.kind()));
}

Result<host::WindowPlacement> ArgumentReader::Placement(std::size_t position) const {
  constexpr std::size_t kPlacementIntegers = 6;
  auto value = At(position);
  if (!value) return value.failure();
  if (!value.value()->holds<host::DispatchArray>()) {
    return Mismatch(position, "array", DispatchKindName(value.value()->kind()));
  }
  const host::DispatchArray& array = value.value()->as<host::DispatchArray>();
  if (array.size() != kPlacementIntegers) {
    return Mismatch(position, std::to_string(kPlacementIntegers) + " integers", std::to_string(array.size()));
  }
  std::int32_t integers[kPlacementIntegers];
  for (std::size_t i = 0; i < kPlacementIntegers; ++i) {
    if (array[i].holds<std::int32_t>()) {
      integers[i] = array[i].as<std::int32_t>();
    } else if (array[i].holds<std::int16_t>()) {
      integers[i] = array[i].as<std::int16_t>();
    } else {
      return Mismatch(position, "32-bit integer in the array", DispatchKindName(array[i].kind()));
    }
  }
  return host::WindowPlacement{static_cast<std::uint32_t>(integers[0]), integers[1], integers[2],
                               integers[3], integers[4], integers[5]};
}

Result<ObjectArgument> ArgumentReader::Object(std::size_t position, ServedKind kind) const {
  auto value = At(position);
  if (!value) return value.failure();
  const DispatchValue& argument = *value.value();
  if (!argument.holds<host::ObjectReference>()) {
    return Mismatch(position, ServedKindName(kind), DispatchKindName(argument.kind()));
  }
  const host::ObjectReference reference = argument.as<host::ObjectReference>();
  if (reference.value == 0) return Mismatch(position, ServedKindName(kind), "object 0");
  Result<ServedObject> found = objects_.Find(reference);
  if (!found) return found.failure();
  if (found.value().kind != kind) return Mismatch(position, ServedKindName(kind), ServedKindName(found.value().kind));
  return ObjectArgument{reference, found.value()};
}

}  // namespace korrin::standin
