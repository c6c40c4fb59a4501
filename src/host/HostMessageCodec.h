#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/HostMessages.h"
#include "ports/Result.h"

namespace korrin::host {

// The messages as MessagePack frame bodies (see HostFrames.h for the frame
// around them):
//   request  [call, object, member, kind, [value ...]]
//   answer   [call, true, value] or [call, false, [number, description]]
//   value    [kind, payload], the kind the DispatchKind number
//            (0 empty: nil, 1 Boolean, 2 16-bit integer, 3 32-bit integer,
//            4 double: float 64, 5 text: str, 6 object: unsigned integer,
//            7 array: [value ...])
// The kind travels with every value, so a 16-bit integer stays one, and
// neither a Boolean nor an object reads as an integer at the other end.
//
// Decoding reads nothing it has not checked: a body cut short, a wrong type
// in any place, an unknown kind or invoke kind, a number out of its range,
// arrays nested deeper than kMaxArrayNesting, counts the body cannot hold
// and bytes after the message all fail with BadFrame, whose description says
// what was wrong and where. Nothing here throws.

// An array value may hold arrays, to this many levels in all.
inline constexpr std::size_t kMaxArrayNesting = 8;

// Fail with BadFrame only when the body would be over the frame limit.
Result<std::string> EncodeRequest(const InvokeRequest& request);
Result<std::string> EncodeAnswer(const InvokeAnswer& answer);

Result<InvokeRequest> DecodeRequest(std::string_view body);
Result<InvokeAnswer> DecodeAnswer(std::string_view body);

}  // namespace korrin::host
