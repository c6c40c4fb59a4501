#include "app/BatchCommandLineArguments.h"

#include "settings/PathConversion.h"

namespace korrin {

std::vector<std::string> ArgumentTexts(int count, char** arguments) {
  if (count < 1) return {};
  return std::vector<std::string>(arguments + 1, arguments + count);
}

#ifdef _WIN32
std::vector<std::string> ArgumentTexts(int count, wchar_t** arguments) {
  std::vector<std::string> texts;
  for (int index = 1; index < count; ++index) texts.push_back(TextFromPath(std::filesystem::path(arguments[index])));
  return texts;
}
#endif

}  // namespace korrin
