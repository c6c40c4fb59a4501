#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <utility>

namespace korrin {

// Owns one reference to a COM interface: released when the pointer goes.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  // Takes over a reference the caller already holds.
  explicit ComPointer(Interface* adopted) : pointer_(adopted) {}
  ComPointer(const ComPointer& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComPointer(ComPointer&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPointer& operator=(ComPointer other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPointer() {
    if (pointer_ != nullptr) pointer_->Release();
  }

  // A new reference to a pointer someone else owns.
  static ComPointer Share(Interface* borrowed) {
    if (borrowed != nullptr) borrowed->AddRef();
    return ComPointer(borrowed);
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For the out parameter of a call that hands over a reference.
  Interface** Receive() {
    *this = ComPointer();
    return &pointer_;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace korrin
