#pragma once

#include <unistd.h>

#include <utility>

namespace korrin {

// Owns one open file descriptor (a file, a socket) and closes it once.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, kNone)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      descriptor_ = std::exchange(other.descriptor_, kNone);
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }

  int get() const { return descriptor_; }
  bool valid() const { return descriptor_ != kNone; }

 private:
  static constexpr int kNone = -1;

  void Close() {
    if (valid()) ::close(descriptor_);
    descriptor_ = kNone;
  }

  int descriptor_ = kNone;
};

}  // namespace korrin
