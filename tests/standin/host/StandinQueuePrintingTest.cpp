// Print managers printing on the system's print queues: none at all, and a
// private CUPS server whose queue writes what it gets into a PDF file.
#include <filesystem>

#include "PrintingFixture.h"
#include "standin/host/PdfReading.h"
#include "standin/host/PrintTestEnvironment.h"
#include "support/PrivateCups.h"

namespace korrin {
namespace {

class StandinQueuePrintingTest : public testing::PrintingFixture {};

TEST_F(StandinQueuePrintingTest, WithoutAQueueNothingIsPrinted) {
  // No server listens on the tests' print server socket.
  const host::PrintManagerHandle manager = Manager(Open(WriteDrawing("plate.idw", {A4Sheet()})));
  const struct {
    std::string printer;
    std::string description;
  } cases[] = {
      {"Nowhere", "The system has no print queue named \"Nowhere\"."},
      {"Default", "The system has no print queue."},
      {"", "The system has no print queue."},
  };
  for (const auto& test : cases) {
    ASSERT_TRUE(Printing().SetPrinter(manager, test.printer).ok());
    const Status printed = Printing().SubmitPrint(manager);
    ASSERT_FALSE(printed.ok()) << test.printer;
    EXPECT_EQ(printed.failure().description, test.description);
  }
  EXPECT_TRUE(Standin().printSubmissions().empty());
}

TEST_F(StandinQueuePrintingTest, AJobOnAPrivateQueueArrivesAsOneA4Page) {
  testing::PrivateCups server(testing::PrivatePrintServerSocket());
  ASSERT_TRUE(server.running());
  ASSERT_TRUE(server.AddPdfQueue("korrin-a4"));
  ASSERT_TRUE(server.SetDefault("korrin-a4"));

  WriteSpacerPart();
  const host::DocumentHandle drawing = Open(WriteDrawing("drawings/plate.idw", {A4Sheet()}, {"../parts/spacer.ipt"}));
  const host::DocumentHandle part = Open((folder_ / "parts/spacer.ipt").string());
  const struct {
    host::DocumentHandle document;
    std::string printer;
    std::string text;  // found on the page
  } cases[] = {{drawing, "Default", "plate"}, {part, "korrin-a4", ""}};
  for (const auto& test : cases) {
    std::filesystem::remove(server.OutputPath("korrin-a4"));
    const host::PrintManagerHandle manager = Manager(test.document);
    ASSERT_TRUE(Printing().SetPrinter(manager, test.printer).ok());
    ASSERT_TRUE(Printing().SetPaperSize(manager, 14341).ok());  // A4
    const Status printed = Printing().SubmitPrint(manager);
    ASSERT_TRUE(printed.ok()) << printed.failure().description;
    ASSERT_TRUE(server.WaitUntilIdle("korrin-a4"));
    const testing::PdfInfo info = testing::ReadPdfInfo(server.OutputPath("korrin-a4"));
    EXPECT_EQ(info.pages, "1") << test.printer;
    EXPECT_EQ(info.pageSize, "595 x 842 pts (A4)") << test.printer;
    EXPECT_NE(testing::PdfText(server.OutputPath("korrin-a4")).find(test.text), std::string::npos) << test.printer;
    EXPECT_EQ(Standin().printSubmissions().back().destination, "korrin-a4");
    EXPECT_FALSE(Standin().printSubmissions().back().toFile);
  }

  const host::PrintManagerHandle manager = Manager(drawing);
  ASSERT_TRUE(Printing().SetPrinter(manager, "korrin-a3").ok());
  const Status unknown = Printing().SubmitPrint(manager);
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.failure().description, "The system has no print queue named \"korrin-a3\".");
  EXPECT_EQ(Standin().printSubmissions().size(), 2u);
}

}  // namespace
}  // namespace korrin
