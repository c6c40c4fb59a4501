#include <gtest/gtest.h>

#include "support/PrivateCups.h"
#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

TEST(PrivateCups, ProgramsGivenItsEnvironmentPrintIntoTheQueuesFile) {
  PrivateCups cups;
  ASSERT_TRUE(cups.running());
  ASSERT_TRUE(cups.AddPdfQueue("Office") && cups.AddPdfQueue("Plotter") && cups.SetDefault("Plotter"));
  EXPECT_EQ(RunProgram("/usr/bin/lpstat", {"-d"}, cups.Environment()).out, "system default destination: Plotter\n");

  TemporaryFolder input;
  input.Write("page.txt", "one page\n");
  const ProgramRun submitted =
      RunProgram("/usr/bin/lp", {"-d", "Office", (input / "page.txt").string()}, cups.Environment());
  ASSERT_EQ(submitted.exitCode, 0) << submitted.err;
  ASSERT_TRUE(cups.WaitUntilIdle("Office"));

  // The driver wraps the PDF in printer commands, which pdfinfo skips.
  EXPECT_NE(cups.Output("Office").find("%PDF-"), std::string::npos);
  const std::string info = RunProgram("/usr/bin/pdfinfo", {cups.OutputPath("Office")}).out;
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)\n"), std::string::npos) << info;
  EXPECT_EQ(cups.Output("Plotter"), "");
}

}  // namespace
}  // namespace korrin::testing
