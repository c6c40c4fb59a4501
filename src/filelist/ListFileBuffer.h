#pragma once

#include <filesystem>
#include <streambuf>

#ifdef _WIN32
#include <fstream>
#endif

namespace korrin {

// The bytes of a list file, read in pieces. Only a regular file (links
// followed) opens: a FIFO named like a list would otherwise hold the drop
// until some writer came, and a device may never end.
#ifdef _WIN32
class ListFileBuffer : public std::filebuf {
 public:
  explicit ListFileBuffer(const std::filesystem::path& path);
};
#else
class ListFileBuffer : public std::streambuf {
 public:
  explicit ListFileBuffer(const std::filesystem::path& path);
  ListFileBuffer(const ListFileBuffer&) = delete;
  ListFileBuffer& operator=(const ListFileBuffer&) = delete;
  ~ListFileBuffer() override;

  bool is_open() const { return fd_ >= 0; }

 protected:
  int_type underflow() override;

 private:
  int fd_ = -1;
  char buffer_[65536];
};
#endif

}  // namespace korrin
