// Print managers of the stand-in host: their settings, and the pages they
// print into PDF files, read back with poppler's tools.
#include <cmath>
#include <functional>
#include <limits>

#include "HandleTable.h"
#include "PrintingFixture.h"
#include "StandinFailures.h"
#include "standin/host/PdfReading.h"

namespace korrin {
namespace {

using testing::PageImage;

constexpr int kDotsPerInch = 30;
constexpr double kMillimetresPerInch = 25.4;
constexpr std::int32_t kA3Paper = 14340;
constexpr std::int32_t kA4Paper = 14341;
constexpr std::int32_t kLetterPaper = 14353;
constexpr std::int32_t k10x14Paper = 14337;
constexpr std::int32_t kFrontOrientation = 0;

// The light band of the title block that names the drawing.
bool IsTitleBand(const PageImage::Pixel& pixel) {
  return std::abs(pixel.red - 214) < 12 && std::abs(pixel.green - 228) < 12 && std::abs(pixel.blue - 247) < 12;
}
bool IsColoured(const PageImage::Pixel& pixel) {
  return std::max({pixel.red, pixel.green, pixel.blue}) - std::min({pixel.red, pixel.green, pixel.blue}) > 24;
}
bool IsInk(const PageImage::Pixel& pixel) { return pixel.red + pixel.green + pixel.blue < 3 * 200; }

struct Census {
  int count = 0;
  double meanX = 0;  // as fractions of the page's width and height
  double meanY = 0;
  int left = std::numeric_limits<int>::max(), top = std::numeric_limits<int>::max(), right = -1, bottom = -1;
};

double Millimetres(int pixels, int dotsPerInch = kDotsPerInch) { return pixels * kMillimetresPerInch / dotsPerInch; }

// Millimetres from the page's top-left corner.
struct Region {
  double left = 0, top = 0, right = 1e9, bottom = 1e9;
};

// The pixels wanted, within the region.
Census CountPixels(const PageImage& image, const std::function<bool(const PageImage::Pixel&)>& wanted,
                   const Region& region = {}, int dotsPerInch = kDotsPerInch) {
  Census census;
  double sumX = 0, sumY = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const double across = Millimetres(x, dotsPerInch), down = Millimetres(y, dotsPerInch);
      if (across < region.left || across > region.right || down < region.top || down > region.bottom) continue;
      if (!wanted(image.At(x, y))) continue;
      ++census.count;
      sumX += x;
      sumY += y;
      census.left = std::min(census.left, x);
      census.right = std::max(census.right, x);
      census.top = std::min(census.top, y);
      census.bottom = std::max(census.bottom, y);
    }
  }
  if (census.count > 0) {
    census.meanX = sumX / census.count / image.width;
    census.meanY = sumY / census.count / image.height;
  }
  return census;
}

class StandinPrintingTest : public testing::PrintingFixture {};

TEST_F(StandinPrintingTest, ANewManagerHasTheHostsDefaultsAndKeepsWhatIsSet) {
  const host::DocumentHandle drawing = Open(WriteDrawing("plate.idw", {A4Sheet()}));
  const host::DocumentHandle part = Open(WriteSpacerPart());
  const host::PrintManagerHandle manager = Manager(drawing);
  EXPECT_EQ(Manager(drawing), manager);
  EXPECT_NE(Manager(part), manager);

  EXPECT_EQ(Printing().Orientation(manager).value(), host::kPortraitOrientation);
  EXPECT_EQ(Printing().PaperSize(manager).value(), 14356);  // the printer's default paper
  EXPECT_EQ(Printing().Scale(manager).value(), 1.0);
  EXPECT_FALSE(Printing().Rotate90Degrees(manager).value());

  ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
  ASSERT_TRUE(Printing().SetPaperSize(manager, kA3Paper).ok());
  ASSERT_TRUE(Printing().SetScale(manager, 0.5).ok());
  ASSERT_TRUE(Printing().SetRotate90Degrees(manager, true).ok());
  EXPECT_EQ(Printing().Orientation(manager).value(), host::kLandscapeOrientation);
  EXPECT_EQ(Printing().PaperSize(manager).value(), kA3Paper);
  EXPECT_EQ(Printing().Scale(manager).value(), 0.5);
  EXPECT_TRUE(Printing().Rotate90Degrees(manager).value());

  const Status refused[] = {
      Printing().SetOrientation(manager, 0),
      Printing().SetColorMode(manager, host::kLandscapeOrientation),
      Printing().SetScale(manager, 0),
      Printing().SetScale(manager, std::numeric_limits<double>::quiet_NaN()),
      Printing().SetCustomPaperWidth(manager, -21),
      Printing().SetCustomPaperHeight(manager, std::numeric_limits<double>::infinity()),
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    ASSERT_FALSE(refused[i].ok()) << i;
    EXPECT_EQ(refused[i].failure().number, standin::kInvalidArgument) << i;
  }
  EXPECT_EQ(refused[0].failure().description, "Unknown orientation 0: it is 13569 or 13570.");
  // A refused value leaves the one set before.
  EXPECT_EQ(Printing().Orientation(manager).value(), host::kLandscapeOrientation);
  EXPECT_EQ(Printing().Scale(manager).value(), 0.5);
}

TEST_F(StandinPrintingTest, AManagerIsGoneWithItsDocumentAndANewOneStartsAfresh) {
  const std::string path = WriteSpacerPart();
  const host::DocumentHandle part = Open(path);
  const host::PrintManagerHandle manager = Manager(part);
  ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
  ASSERT_TRUE(Host().documents().Close(part, true).ok());

  const std::function<Status()> calls[] = {
      [&] { return Printing().SetPrinter(manager, "Default"); },
      [&] { return Printing().SetOrientation(manager, host::kPortraitOrientation); },
      [&] { return Printing().SetPaperSize(manager, kA4Paper); },
      [&] { return Printing().SetColorMode(manager, host::kColorPrint); },
      [&] { return Printing().PrintToFile(manager, (folder_ / "closed.pdf").string()); },
      [&] { return Printing().SubmitPrint(manager); },
      [&] { return Status(Printing().Orientation(manager).failure()); },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    const Status status = calls[i]();
    ASSERT_FALSE(status.ok()) << i;
    EXPECT_EQ(status.failure(), (Failure{standin::kNoSuchObject, "The print manager is not available."})) << i;
  }
  EXPECT_FALSE(Printing().PrintManager(part).ok());
  EXPECT_FALSE(folder_.Exists("closed.pdf"));

  const host::PrintManagerHandle again = Manager(Open(path));
  EXPECT_NE(again, manager);
  EXPECT_EQ(Printing().Orientation(again).value(), host::kPortraitOrientation);

  ASSERT_TRUE(Host().Quit().ok());
  ASSERT_FALSE(Printing().Orientation(again).ok());
  EXPECT_EQ(Printing().Orientation(again).failure().number, standin::kDisconnected);
}

TEST_F(StandinPrintingTest, DrawingSettingsAreRefusedOnAPartsManager) {
  const host::PrintManagerHandle manager = Manager(Open(WriteSpacerPart()));
  const std::function<Status()> drawingOnly[] = {
      [&] { return Printing().SetPrintMode(manager, host::kDrawingPrintMode); },
      [&] { return Printing().SetPrintRange(manager, host::kDrawingPrintRange); },
      [&] { return Printing().SetScale(manager, 1); },
      [&] { return Printing().SetRotate90Degrees(manager, true); },
      [&] { return Status(Printing().Scale(manager).failure()); },
      [&] { return Status(Printing().Rotate90Degrees(manager).failure()); },
  };
  for (std::size_t i = 0; i < std::size(drawingOnly); ++i) {
    const Status status = drawingOnly[i]();
    ASSERT_FALSE(status.ok()) << i;
    EXPECT_TRUE(status.failure().description.starts_with("Only a drawing's print manager has "))
        << status.failure().description;
  }
  EXPECT_EQ(Printing().Scale(manager).failure().description,
            "Only a drawing's print manager has a print scale; this one prints a document that is no drawing.");
  // The settings every manager has still work.
  EXPECT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
}

TEST_F(StandinPrintingTest, ASheetPrintsAsOnePdfPageOfThePaperAndIsRecorded) {
  const std::string path = WriteDrawing("plate.idw", {A4Sheet()});
  const host::DocumentHandle drawing = Open(path);
  const host::PrintManagerHandle manager = Manager(drawing);
  ASSERT_TRUE(Printing().SetPrintMode(manager, host::kDrawingPrintMode).ok());
  ASSERT_TRUE(Printing().SetPrintRange(manager, host::kDrawingPrintRange).ok());
  const struct {
    std::int32_t paper;
    std::int32_t orientation;
    std::string pageSize;
    double width, height;  // millimetres
  } cases[] = {
      {kA4Paper, host::kPortraitOrientation, "595 x 842 pts (A4)", 210, 297},
      {kA3Paper, host::kLandscapeOrientation, "1191 x 842 pts (A3)", 420, 297},
      {kLetterPaper, host::kPortraitOrientation, "612 x 792 pts (letter)", 215.9, 279.4},
      {k10x14Paper, host::kPortraitOrientation, "720 x 1008 pts", 254, 355.6},
  };
  std::vector<standin::PrintSubmission> expected;
  for (const auto& test : cases) {
    ASSERT_TRUE(Printing().SetPaperSize(manager, test.paper).ok());
    ASSERT_TRUE(Printing().SetOrientation(manager, test.orientation).ok());
    const std::string file = PrintInto(manager, "plate.pdf");
    const testing::PdfInfo info = testing::ReadPdfInfo(file);
    EXPECT_EQ(info.pages, "1") << test.paper;
    EXPECT_EQ(info.pageSize, test.pageSize) << test.paper;
    expected.push_back({path, "Sheet:1", test.paper, test.width, test.height, test.orientation, host::kColorPrint,
                        1.0, false, host::kDrawingPrintMode, host::kDrawingPrintRange, true, file});
  }
  const auto& recorded = Standin().printSubmissions();
  ASSERT_EQ(recorded.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(recorded[i].paperWidthMillimetres, expected[i].paperWidthMillimetres, 0.1) << i;
    EXPECT_NEAR(recorded[i].paperHeightMillimetres, expected[i].paperHeightMillimetres, 0.1) << i;
    standin::PrintSubmission sizeless = recorded[i];
    sizeless.paperWidthMillimetres = expected[i].paperWidthMillimetres;
    sizeless.paperHeightMillimetres = expected[i].paperHeightMillimetres;
    EXPECT_EQ(sizeless, expected[i]) << i;
  }
}

TEST_F(StandinPrintingTest, TheSheetLiesOnThePaperAsOrientationTurnAndScaleSay) {
  const host::PrintManagerHandle manager = Manager(Open(WriteDrawing("plate.idw", {A4Sheet()})));
  ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
  // The A4 sheet is landscape; its title block sits in its bottom right
  // corner, the band naming the drawing along the block's top.
  const struct {
    const char* name;
    std::int32_t orientation;
    bool rotate;
    double scale;
    std::string pageSize;
    double bandX, bandY;  // where the band's middle lies, as fractions of the page
  } cases[] = {
      // The band's middle is 197 mm from the sheet's left and 175.2 from its top.
      {"landscape", host::kLandscapeOrientation, false, 1, "842 x 595 pts (A4)", 197 / 297.0, 175.2 / 210},
      // Turned a quarter counter-clockwise onto portrait paper: the corner
      // goes to the top right.
      {"turned", host::kPortraitOrientation, true, 1, "595 x 842 pts (A4)", (210 - 34.8) / 210, (148.5 - 48.5) / 297},
      // Half size, in the middle of the paper.
      {"half", host::kLandscapeOrientation, false, 0.5, "842 x 595 pts (A4)", (74.25 + 197 / 2.0) / 297,
       (52.5 + 175.2 / 2) / 210},
  };
  for (const auto& test : cases) {
    ASSERT_TRUE(Printing().SetOrientation(manager, test.orientation).ok());
    ASSERT_TRUE(Printing().SetRotate90Degrees(manager, test.rotate).ok());
    ASSERT_TRUE(Printing().SetScale(manager, test.scale).ok());
    const std::string file = PrintInto(manager, std::string(test.name) + ".pdf");
    EXPECT_EQ(testing::ReadPdfInfo(file).pageSize, test.pageSize) << test.name;
    const Census band = CountPixels(testing::RenderPdfPage(file, kDotsPerInch), IsTitleBand);
    ASSERT_GT(band.count, 0) << test.name;
    EXPECT_NEAR(band.meanX, test.bandX, 0.03) << test.name;
    EXPECT_NEAR(band.meanY, test.bandY, 0.03) << test.name;
  }
}

TEST_F(StandinPrintingTest, CustomPaperTakesTheManagersWidthAndHeight) {
  const host::DocumentHandle drawing = Open(WriteDrawing("plate.idw", {A4Sheet()}));
  const host::PrintManagerHandle manager = Manager(drawing);
  ASSERT_TRUE(Printing().SetPaperSize(manager, host::kCustomPaperSize).ok());
  ASSERT_TRUE(Printing().PrintToFile(manager, (folder_ / "custom.pdf").string()).ok());
  const Status unsized = Printing().SubmitPrint(manager);
  ASSERT_FALSE(unsized.ok());
  EXPECT_EQ(unsized.failure().description, "The custom paper size needs a width and a height above zero.");
  EXPECT_FALSE(folder_.Exists("custom.pdf"));

  ASSERT_TRUE(Printing().SetCustomPaperWidth(manager, 25.4).ok());
  ASSERT_TRUE(Printing().SetCustomPaperHeight(manager, 12.7).ok());
  EXPECT_EQ(testing::ReadPdfInfo(PrintInto(manager, "custom.pdf")).pageSize, "720 x 360 pts");
  ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
  EXPECT_EQ(testing::ReadPdfInfo(PrintInto(manager, "custom-landscape.pdf")).pageSize, "360 x 720 pts");
  EXPECT_EQ(Standin().printSubmissions().size(), 2u);
  EXPECT_EQ(Standin().printSubmissions().back().paper, host::kCustomPaperSize);
}

TEST_F(StandinPrintingTest, GreyPagesHaveNoColourLeft) {
  WriteSpacerPart();
  const host::DocumentHandle drawing = Open(WriteDrawing("drawings/plate.idw", {A4Sheet()}, {"../parts/spacer.ipt"}));
  const host::DocumentHandle part = Open((folder_ / "parts/spacer.ipt").string());
  for (const host::DocumentHandle document : {drawing, part}) {
    const host::PrintManagerHandle manager = Manager(document);
    ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
    const PageImage colour = testing::RenderPdfPage(PrintInto(manager, "colour.pdf"), kDotsPerInch);
    ASSERT_TRUE(Printing().SetColorMode(manager, host::kGrayScalePrint).ok());
    const PageImage grey = testing::RenderPdfPage(PrintInto(manager, "grey.pdf"), kDotsPerInch);
    EXPECT_GT(CountPixels(colour, IsColoured).count, 200) << document.value;
    EXPECT_EQ(CountPixels(grey, IsColoured).count, 0) << document.value;
    EXPECT_GT(CountPixels(grey, IsInk).count, 200) << document.value;
    EXPECT_EQ(Standin().printSubmissions().back().colorMode, host::kGrayScalePrint);
  }
}

TEST_F(StandinPrintingTest, BorderAndTitleBlockArePrintedOnlyWhenTheSheetHasThem) {
  for (const bool border : {true, false}) {
    for (const bool titleBlock : {true, false}) {
      const std::string name = std::string("frame-") + (border ? "b" : "") + (titleBlock ? "t" : "");
      const host::DocumentHandle drawing = Open(WriteDrawing(name + ".idw", {A4Sheet(border, titleBlock)}));
      const host::PrintManagerHandle manager = Manager(drawing);
      ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
      ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
      const std::string file = PrintInto(manager, name + ".pdf");
      const std::string text = testing::PdfText(file);
      EXPECT_EQ(text.find(name) != std::string::npos, titleBlock) << name << ": " << text;
      EXPECT_EQ(text.find("Sheet:1") != std::string::npos, titleBlock) << name;
      // The border runs 10 mm inside the sheet's edge, here the paper's.
      const PageImage page = testing::RenderPdfPage(file, kDotsPerInch);
      int borderInk = 0;
      for (int x = 0; x < page.width; ++x) {
        const double from = Millimetres(x, kDotsPerInch);
        if (from > 8 && from < 12 && IsInk(page.At(x, page.height / 4))) ++borderInk;
      }
      EXPECT_EQ(borderInk > 0, border) << name;
      ASSERT_TRUE(Host().documents().Close(drawing, true).ok());
    }
  }
}

TEST_F(StandinPrintingTest, TheDrawingsModelsAreDrawnAtAUsualScale) {
  WriteSpacerPart();
  WriteSpacerPart("parts/spacer-copy.ipt");
  // Front, top and right view of the spacer block take 60 by 50 mm and
  // 15 mm gaps: above the title block of an A4 sheet they fit at 2:1; two
  // models share the width and fit at 1:1.
  const struct {
    std::vector<std::string> models;
    std::string scale;
    std::string otherScale;
  } cases[] = {
      {{"parts/spacer.ipt"}, "2:1", "1:1"},
      {{"parts/spacer.ipt", "parts/spacer-copy.ipt"}, "1:1", "2:1"},
      {{"parts/missing.ipt", "parts/spacer.ipt"}, "2:1", "1:1"},  // a reference that does not read gets no views
  };
  constexpr int kFineDotsPerInch = 60;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "views" + std::to_string(i);
    const host::DocumentHandle drawing = Open(WriteDrawing(name + ".idw", {A4Sheet()}, cases[i].models));
    const host::PrintManagerHandle manager = Manager(drawing);
    ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
    ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
    const std::string file = PrintInto(manager, name + ".pdf");
    const std::string text = testing::PdfText(file);
    EXPECT_NE(text.find(cases[i].scale), std::string::npos) << name << ": " << text;
    EXPECT_EQ(text.find(cases[i].otherScale), std::string::npos) << name << ": " << text;
    if (cases[i].scale != "2:1") continue;
    // At 2:1 the views are centred in the drawing area above the title
    // block (10 to 163 mm down): the front view spans 81 to 161 mm across
    // and 84 to 144 down, the top view 40 mm above it, the right view
    // 15 mm to its right.
    const PageImage page = testing::RenderPdfPage(file, kFineDotsPerInch);
    const Census views = CountPixels(page, [&](const PageImage::Pixel& pixel) { return IsInk(pixel); },
                                     {15, 15, 282, 160}, kFineDotsPerInch);
    EXPECT_NEAR(Millimetres(views.left, kFineDotsPerInch), 81, 1.5) << name;
    EXPECT_NEAR(Millimetres(views.right, kFineDotsPerInch), 216, 1.5) << name;
    EXPECT_NEAR(Millimetres(views.top, kFineDotsPerInch), 29, 1.5) << name;
    EXPECT_NEAR(Millimetres(views.bottom, kFineDotsPerInch), 144, 1.5) << name;
  }
}

TEST_F(StandinPrintingTest, APartsViewIsFittedToThePaperInItsDisplayMode) {
  const host::DocumentHandle part = Open(WriteSpacerPart());
  const host::ViewHandle view = Host().ActiveView().value();
  const host::PrintManagerHandle manager = Manager(part);
  ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
  ASSERT_TRUE(Printing().SetOrientation(manager, host::kLandscapeOrientation).ok());
  const auto surface = [](const PageImage::Pixel& pixel) { return pixel.blue > pixel.red + 40; };
  const auto anyInk = [](const PageImage::Pixel& pixel) { return IsInk(pixel); };

  // A view starts isometric; any other orientation looks from the front.
  ASSERT_TRUE(Host().SetCameraOrientation(view, kFrontOrientation).ok());
  // Front, the block's 40 by 30 mm fill the 190 mm the 10 mm margins leave
  // in height: 253.3 by 190 mm.
  for (const std::int32_t mode : {host::kShadedDisplay, host::kWireframeDisplay, host::kHiddenEdgesDisplay}) {
    ASSERT_TRUE(Host().SetDisplayMode(view, mode).ok());
    const std::string file = PrintInto(manager, "spacer" + std::to_string(mode) + ".pdf");
    EXPECT_EQ(testing::ReadPdfInfo(file).pages, "1");
    EXPECT_EQ(testing::ReadPdfInfo(file).pageSize, "842 x 595 pts (A4)");
    const PageImage page = testing::RenderPdfPage(file, kDotsPerInch);
    const Census ink = CountPixels(page, anyInk);
    EXPECT_NEAR(Millimetres(ink.right - ink.left), 253.3, 3) << mode;
    EXPECT_NEAR(Millimetres(ink.bottom - ink.top), 190, 3) << mode;
    EXPECT_NEAR(Millimetres(ink.left), (297 - 253.3) / 2, 3) << mode;
    // Shaded fills the block's face; the others draw its edges only.
    const double filled = static_cast<double>(CountPixels(page, surface).count) /
                          ((ink.right - ink.left) * (ink.bottom - ink.top));
    if (mode == host::kShadedDisplay) {
      EXPECT_GT(filled, 0.6) << mode;
    } else {
      EXPECT_LT(filled, 0.15) << mode;
    }
  }
  // Isometric: across, the block spans 60 / sqrt(2) mm of X and Z; the page fits its height.
  ASSERT_TRUE(Host().SetCameraOrientation(view, host::kIsometricViewOrientation).ok());
  const Census isometric = CountPixels(testing::RenderPdfPage(PrintInto(manager, "iso.pdf"), kDotsPerInch), anyInk);
  EXPECT_NEAR(Millimetres(isometric.bottom - isometric.top), 190, 3);
  EXPECT_LT(Millimetres(isometric.right - isometric.left), 200);
  const standin::PrintSubmission& last = Standin().printSubmissions().back();
  EXPECT_EQ(last.sheet, "");
  EXPECT_EQ(last.scale, 0);
}

TEST_F(StandinPrintingTest, PagesThatCannotBePrintedFailAndLeaveNothing) {
  const host::DocumentHandle drawing = Open(WriteDrawing("plate.idw", {A4Sheet()}));
  const host::PrintManagerHandle manager = Manager(drawing);
  ASSERT_TRUE(Printing().PrintToFile(manager, (folder_ / "plate.pdf").string()).ok());
  ASSERT_TRUE(Printing().SetPaperSize(manager, 14338).ok());  // set freely, checked when printing
  Status printed = Printing().SubmitPrint(manager);
  ASSERT_FALSE(printed.ok());
  EXPECT_EQ(printed.failure().description, "The paper id 14338 names no paper the stand-in host knows.");

  standin::StandinDocument presentation = Part();
  presentation.type = standin::DocumentType::Presentation;
  const host::PrintManagerHandle other = Manager(Open(Write("show.ipn", presentation)));
  ASSERT_TRUE(Printing().PrintToFile(other, (folder_ / "show.pdf").string()).ok());
  printed = Printing().SubmitPrint(other);
  ASSERT_FALSE(printed.ok());
  EXPECT_TRUE(printed.failure().description.starts_with("The stand-in host cannot print this document: "))
      << printed.failure().description;

  ASSERT_TRUE(Printing().SetPaperSize(manager, kA4Paper).ok());
  ASSERT_TRUE(Printing().PrintToFile(manager, (folder_ / "no-such-folder" / "plate.pdf").string()).ok());
  printed = Printing().SubmitPrint(manager);
  ASSERT_FALSE(printed.ok());
  EXPECT_TRUE(printed.failure().description.starts_with("Cannot write the print file "))
      << printed.failure().description;

  EXPECT_EQ(folder_.Listing(), "plate.idw registry show.ipn");
  EXPECT_TRUE(Standin().printSubmissions().empty());
}

}  // namespace
}  // namespace korrin
