#include <iostream>
#include <string>
#include <vector>

#include "StandinTool.h"

int main(int argc, char** argv) {
  return korrin::standin::RunStandinTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
