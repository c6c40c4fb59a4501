#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin::standin {

// The first and last bytes of a model file that a reader is about to open,
// for telling its kind and whether it is complete before Open CASCADE reads
// it whole.
struct ModelFileSample {
  std::uintmax_t size = 0;
  std::string head;
  std::string tail;
};

// Samples the file: a failure naming it when it cannot be opened (errno) or
// is empty (kModelFileEmpty).
Result<ModelFileSample> SampleModelFile(const std::filesystem::path& path);

// A failure whose description names the file and says what is wrong with it.
Failure ModelFileFailure(const std::filesystem::path& path, long number, std::string_view problem);

}  // namespace korrin::standin
