#pragma once

#include <string>
#include <vector>

#include "ports/WindowLink.h"

namespace korrin::testing {

// Records every text handed to a window and answers as the test says.
class FakeWindowLink final : public WindowLink {
 public:
  struct Call {
    std::string windowTitle;
    std::string boxClass;
    std::string text;

    bool operator==(const Call&) const = default;
  };

  TextDelivery answer = TextDelivery::Delivered;
  std::vector<Call> calls;

  TextDelivery SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                 const std::string& text) override {
    calls.push_back({windowTitle, boxClass, text});
    return answer;
  }
};

}  // namespace korrin::testing
