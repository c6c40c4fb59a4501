#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

std::string ShippedTemplate() {
  std::ifstream in(testing::BuiltProgram("KorrinExportTemplate.INI"), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BatchCatalogue, PrintsTheFormatsAndTheShippedOptionSets) {
  const testing::ProgramRun run =
      testing::RunProgram(testing::BuiltProgram("korrin-batch"), {"--catalogue"}, {"KORRIN_HOME="});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("Import formats, each with the export formats offered for it:\n"
                          "Inventor Part Files (*.IPT)\n"
                          "    Iges Files (*.IGS)\n",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.out.find("STEP Files (*.STE)\n"
                         "    Iges Files (*.IGS)\n"
                         "    Inventor Assemblyfile (*.IAM)\n"
                         "    Printer\n"
                         "    SAT Files (*.SAT)\n"
                         "    Streamline Assembly Packages (*.AMP)\n"
                         "    Windows Bitmap (*.BMP)\n"
                         "    XGL Files (*.XGL)\n"
                         "    ZGL Files (*.ZGL)\n"
                         "STEP Files (*.STEP)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\nOption sets loaded from " + testing::BuiltProgram("KorrinExportTemplate.INI") +
                         ":\nIPT\n    IPTSAVEPREVIEW=1\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("STL\n    STLHigh=20000\n    STLMedium=6300\n    STLLow=2000\n    STLValue=2\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("PRINTER\n    PrinterPrinter=Default\n"), std::string::npos);
}

TEST(BatchCatalogue, ReportsAMissingTemplateAndFails) {
  testing::TemporaryFolder home;
  const testing::ProgramRun run = testing::RunProgram(testing::BuiltProgram("korrin-batch"), {"--catalogue"},
                                                      {"KORRIN_HOME=" + home.string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "[message] Error opening: " + home.string() +
                         "/KorrinExportTemplate.INI\n"
                         "This file has to be present in the Korrin program directory, and is installed with Korrin\n"
                         "If the file was accidently deleted, reinstall Korrin\n"
                         "You may backup your INIfiles at copy them back after the reinstall\n");
}

TEST(BatchCatalogue, AnInvalidValueIsNamedAndItsSetKeepsTheDefaults) {
  testing::TemporaryFolder home;
  std::string text = ShippedTemplate();
  const std::size_t at = text.find("STLValue=2");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 10, "STLValue=abc");
  const std::size_t bmp_y = text.find("BMP_Y=0\r\n");
  ASSERT_NE(bmp_y, std::string::npos);
  text.erase(bmp_y, 9);
  home.Write("KorrinExportTemplate.INI", text);
  const testing::ProgramRun run = testing::RunProgram(testing::BuiltProgram("korrin-batch"), {"--catalogue"},
                                                      {"KORRIN_HOME=" + home.string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "[message] Invalid value in KorrinExportTemplate.INI: STLValue=abc\n"
            "The STL settings and those after them keep the values shown\n");
  EXPECT_NE(run.out.find("    STLValue=2\n"), std::string::npos);
  EXPECT_NE(run.out.find("BMP\n    BMP_X=0\n    BMP_Y (missing from the template)\n"), std::string::npos) << run.out;
}

TEST(BatchCatalogue, WrongArgumentsAreAUsageError) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--bogus"}, {"--catalogue", "parts"}, {"--catalogue", "--yes"}}) {
    const testing::ProgramRun run = testing::RunProgram(testing::BuiltProgram("korrin-batch"), arguments);
    EXPECT_EQ(run.exitCode, 64) << arguments.back();
    EXPECT_NE(run.err.find("\nTry 'korrin-batch --help' for more information.\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace korrin
