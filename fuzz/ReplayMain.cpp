// Feeds saved inputs to a fuzz target without libFuzzer, so the normal test
// build runs every seed and every input that once crashed under its own
// sanitizers. Arguments are files or folders (read one level deep, in name
// order); no input at all is a failure, since a misnamed folder would
// otherwise pass unnoticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument) {
  std::error_code error;
  if (!std::filesystem::is_directory(argument, error)) return {argument};
  std::vector<std::filesystem::path> inputs;
  for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
    if (entry.is_regular_file(error) && entry.path().filename() != ".keep") inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  int fed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& input : InputsOf(argv[i])) {
      std::ifstream file(input, std::ios::binary);
      if (!file) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return 1;
      }
      const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      std::fprintf(stderr, "%s\n", input.c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++fed;
    }
  }
  std::printf("%d inputs fed\n", fed);
  return fed > 0 ? 0 : 1;
}
