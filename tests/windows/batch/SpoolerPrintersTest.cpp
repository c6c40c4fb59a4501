// The spooler's printers as Wine gives them from a print server: this
// program runs beside a CUPS server of its own (with-private-cups), whose
// one queue is the system's only printer and its default.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/windows/SpoolerPrinters.h"

namespace korrin {
namespace {

bool Has(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(SpoolerPrintersTest, ThePrintServersQueueIsTheDefaultPrinterWithItsDriversPapers) {
  const char* queue = std::getenv("KORRIN_TEST_PRINTER");
  if (queue == nullptr) GTEST_SKIP() << "no printer of the test's own (tests/windows/with-private-cups, as root)";
  const SpoolerPrinters printers;
  EXPECT_EQ(printers.InstalledPrinters(), std::vector<std::string>{queue});
  EXPECT_EQ(printers.DefaultPrinter(), queue);

  // The driver's page sizes by the names the system gives them; the PDF
  // driver has no A3.
  const std::vector<std::string> papers = printers.SupportedMedia(queue);
  for (const char* paper : {"Letter", "Letter (Borderless)", "A4", "A4 (Borderless)", "A5", "Legal"}) {
    EXPECT_TRUE(Has(papers, paper)) << paper;
  }
  EXPECT_FALSE(Has(papers, "A3"));
  EXPECT_EQ(printers.SupportedMedia("Korrin no such printer"), std::vector<std::string>{});
}

}  // namespace
}  // namespace korrin
