#include <iostream>
#include <string>
#include <vector>

#include "app/RegistryTool.h"
#include "platform/linux/SqliteRegistry.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  korrin::RegistryStore store(korrin::RegistryFolder());
  return korrin::RunRegistryTool(store, arguments, std::cin, std::cout, std::cerr);
}
