#include <iostream>
#include <string_view>

#include "app/CatalogueReport.h"
#include "app/ConsoleDialogs.h"
#include "app/NoPrinters.h"
#include "platform/ProgramFolders.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: korrin-batch --catalogue\n"
    "  --catalogue  print the import formats, the export formats offered for each,\n"
    "               and the export option sets of the export template\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::string_view(argv[1]) != "--catalogue") {
    std::cerr << kUsage;
    return 2;
  }
  korrin::ConsoleDialogs dialogs(std::cerr, false);
  korrin::NoPrinters printers;
  return korrin::PrintCatalogue(korrin::ProgramFolder(), std::cout, dialogs, printers) ? 0 : 1;
}
