#include <cups/cups.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "platform/linux/QtPrinters.h"
#include "support/PrivateCups.h"
#include "support/ScopedEnvironment.h"

namespace korrin {
namespace {

using Names = std::vector<std::string>;

// The page size keys of the queues' driver, in its order, read from the
// driver file itself.
Names DriverPageSizes() {
  std::ifstream driver("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");
  const std::regex pageSize(R"(^\*PageSize ([^/:]+)[/:].*)");
  Names keys;
  std::smatch match;
  for (std::string line; std::getline(driver, line);) {
    if (std::regex_match(line, match, pageSize)) keys.push_back(match[1]);
  }
  return keys;
}

class QtPrintersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cups.running());
    ASSERT_TRUE(cups.AddPdfQueue("Plotter") && cups.AddPdfQueue("Office") && cups.SetDefault("Plotter"));
    // libcups reads CUPS_SERVER once per thread and keeps it; forgetting the
    // server it holds makes it read the environment again, as a program
    // started with CUPS_SERVER set does.
    cupsSetServer(nullptr);
  }
  void TearDown() override { cupsSetServer(nullptr); }

  testing::PrivateCups cups;
  testing::ScopedEnvironment server{"CUPS_SERVER", cups.socket()};
  QtPrinters printers;
};

TEST_F(QtPrintersTest, QueuesAndTheDefaultOfTheServer) {
  EXPECT_EQ(printers.InstalledPrinters(), (Names{"Office", "Plotter"}));
  EXPECT_EQ(printers.DefaultPrinter(), "Plotter");
  ASSERT_TRUE(cups.SetDefault("Office"));
  EXPECT_EQ(printers.DefaultPrinter(), "Office");
}

TEST_F(QtPrintersTest, MediaAreTheDriversPageSizes) {
  const Names sizes = DriverPageSizes();
  ASSERT_GE(sizes.size(), 4u);
  EXPECT_EQ(Names(sizes.begin(), sizes.begin() + 4), (Names{"Letter", "Letter.Fullbleed", "A4", "A4.Fullbleed"}));
  EXPECT_EQ(printers.SupportedMedia("Office"), sizes);
}

TEST_F(QtPrintersTest, UnknownQueuesHaveNoMedia) {
  const std::string onServer = "\\\\" + cups.socket();
  for (const std::string& name :
       Names{"Missing", "", onServer + "\\Missing", onServer, onServer + "\\", "\\\\\\Office"}) {
    EXPECT_EQ(printers.SupportedMedia(name), Names{}) << name;
  }
}

TEST_F(QtPrintersTest, ServerInTheNameIsAskedAndTheLibraryPointsBackAfterwards) {
  const std::string elsewhere = cups.socket() + ".elsewhere";
  cupsSetServer(elsewhere.c_str());
  constexpr int kElsewherePort = 8631;
  ippSetPort(kElsewherePort);
  ASSERT_EQ(printers.InstalledPrinters(), Names{});
  ASSERT_EQ(printers.SupportedMedia("Office"), Names{});

  EXPECT_EQ(printers.SupportedMedia("\\\\" + cups.socket() + "\\Office"), DriverPageSizes());
  // A server that refuses the connection: nothing, and the port comes back too.
  EXPECT_EQ(printers.SupportedMedia("\\\\localhost:1\\Office"), Names{});

  EXPECT_EQ(std::string(cupsServer()), elsewhere);
  EXPECT_EQ(ippPort(), kElsewherePort);
  EXPECT_EQ(printers.InstalledPrinters(), Names{});
}

}  // namespace
}  // namespace korrin
