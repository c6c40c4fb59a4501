#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include "FailurePrinter.h"
#include "documents/StandinDocumentFailures.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kSmallest = std::numeric_limits<std::int32_t>::min();

StandinDocument Document(DocumentType type, StandinRelease release, ComputeStatus status, std::string environment) {
  StandinDocument document;
  document.type = type;
  document.release = release;
  document.computeStatus = status;
  document.environment = std::move(environment);
  return document;
}

StandinFault Fault(std::int32_t number, std::string description) { return {number, std::move(description)}; }

// A document of each type with every field it may carry set, and awkward
// values where a format could slip.
std::vector<StandinDocument> RichDocuments() {
  StandinDocument part = Document(DocumentType::Part, {7, 0}, ComputeStatus::OutOfDate, "Part");
  part.needsMigrating = true;
  part.description = "Bracket \"left\" \\ 5 mm \xE2\x80\x94 \xC3\x98 12 #1\ttabbed";
  part.references = {{"../shared/Base.ipt", std::nullopt}};
  // Lines a naive block would lose or misread: empty ones, the end line
  // itself, the prefix, blanks at either end, a CR before the line end.
  part.geometry =
      "DBRep_DrawableShape\n\nCASCADE Topology V1, (c) Matra-Datavision\nend geometry\n|prefix first\n"
      "  end geometry  \ntrailing blanks   \n\ttab first\nends with CR\r\n\n";
  part.faults = {Fault(-2147467259, "Operation failed"), Fault(kLargest, ""),
                 Fault(kSmallest, "Disk \"D:\\\" is full\r\n"), 1500, kLargest,
                 true, true, true, StandinHang{0}, StandinHang{std::nullopt}, StandinHang{kLargest}, 255};

  StandinDocument assembly = Document(DocumentType::Assembly, {kLargest, 12}, ComputeStatus::DriverLost, "Assembly");
  assembly.references = {{"parts/Bracket.ipt", StandinPlacement{{10.5, -0.25, 1e21}, {0, 0, 1}, 90}},
                         {"sub assembly/Frame \xC3\xA9.iam", StandinPlacement{{0, 0, 0}, {-1e-7, 2.5, 0}, -1234.0625}},
                         {"../common/Bolt.ipt", std::nullopt},
                         {"parts/Bracket.ipt", StandinPlacement{{0.1, 1.0 / 3, -0.0}, {1, 1, 1}, 360}}};
  assembly.faults.busyAfterOpenMilliseconds = 5;

  StandinDocument drawing = Document(DocumentType::Drawing, {5, 3}, ComputeStatus::Unknown, "Drawing");
  drawing.references = {{"Frame.iam", std::nullopt}, {"parts/Bracket.ipt", std::nullopt}};
  drawing.sheets = {{"Sheet:1", 42, 29.7, 9993, true, true, false, 0},
                    {"Detail \"B\"", 0.001, 118.9, -7, false, false, true, 3},
                    {"", 21, 29.7, 0, true, false, true, kLargest}};
  drawing.faults.failEverySave = Fault(5, "Access is denied.");

  StandinDocument presentation = Document(DocumentType::Presentation, {6, 0}, ComputeStatus::InError, "Notebook");
  presentation.description = "Exploded";
  presentation.references = {{"Frame.iam", std::nullopt}};
  presentation.faults.failFirstOpen = Fault(0, "opened too early");

  StandinDocument element = Document(DocumentType::DesignElement, {0, 0}, ComputeStatus::CannotCompute, "");
  element.needsMigrating = true;
  element.faults.busyAfterSaveMilliseconds = 250;
  return {part, assembly, drawing, presentation, element};
}

TEST(StandinDocumentRoundTrip, EveryTypeComesBackEqualThroughTextAndFile) {
  testing::TemporaryFolder folder;
  for (const StandinDocument& document : RichDocuments()) {
    const std::string text = StandinDocumentText(document);
    const Result<StandinDocument> parsed = ParseStandinDocument(text);
    ASSERT_TRUE(parsed.ok()) << parsed.failure().description << "\n" << text;
    EXPECT_EQ(parsed.value(), document) << text;

    const Status written = WriteStandinDocument(folder / "Document", document);
    ASSERT_TRUE(written.ok()) << written.failure().description;
    EXPECT_EQ(folder.Read("Document"), text);
    const Result<StandinDocument> read = ReadStandinDocument(folder / "Document");
    ASSERT_TRUE(read.ok()) << read.failure().description;
    EXPECT_EQ(read.value(), document) << text;
  }
}

TEST(StandinDocumentRoundTrip, WritesTheExactText) {
  StandinDocument part = Document(DocumentType::Part, {7, 0}, ComputeStatus::UpToDate, "Part");
  part.description = "Plate \"A\"";
  part.geometry = "DBRep_DrawableShape\n\nend geometry\n|x\n";
  part.faults.failFirstOpen = Fault(-2147467259, "Operation failed");
  part.faults.busyAfterSaveMilliseconds = 200;

  StandinDocument assembly = Document(DocumentType::Assembly, {12, 1}, ComputeStatus::OutOfDate, "Assembly");
  assembly.needsMigrating = true;
  assembly.references = {{"parts/Plate.ipt", StandinPlacement{{10, -2.5, 0}, {0, 0, 1}, 90}},
                         {"../Bolt.ipt", std::nullopt}};

  StandinDocument drawing = Document(DocumentType::Drawing, {7, 0}, ComputeStatus::UpToDate, "Drawing");
  drawing.references = {{"Frame.iam", std::nullopt}};
  drawing.sheets = {{"Sheet:1", 42, 29.7, 9993, true, false, true, 2}};
  drawing.faults = {std::nullopt, Fault(5, "Access is denied"), Fault(28, "No space left on device"), 1500, 0,
                    false, false, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt};

  StandinDocument faulty = Document(DocumentType::Part, {7, 0}, ComputeStatus::UpToDate, "Part");
  faulty.faults.crashFirstOpen = true;
  faulty.faults.crashEverySave = true;
  faulty.faults.hangFirstOpen = StandinHang{std::nullopt};
  faulty.faults.hangEveryOpen = StandinHang{0};
  faulty.faults.hangEverySave = StandinHang{5000};
  faulty.faults.exitFirstOpen = 3;

  const struct {
    StandinDocument document;
    const char* text;
  } cases[] = {
      {part,
       "KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype part\r\nrelease 7 0\r\nstatus up-to-date\r\n"
       "needs-migrating no\r\nenvironment \"Part\"\r\ndescription \"Plate \\\"A\\\"\"\r\n"
       "fail-first-open -2147467259 \"Operation failed\"\r\nbusy-after-save 200\r\n"
       "geometry\r\n|DBRep_DrawableShape\r\n|\r\n|end geometry\r\n||x\r\n|\r\nend geometry\r\n"},
      {assembly,
       "KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype assembly\r\nrelease 12 1\r\nstatus out-of-date\r\n"
       "needs-migrating yes\r\nenvironment \"Assembly\"\r\n"
       "reference \"parts/Plate.ipt\" at 10 -2.5 0 axis 0 0 1 angle 90\r\nreference \"../Bolt.ipt\"\r\n"},
      {drawing,
       "KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype drawing\r\nrelease 7 0\r\nstatus up-to-date\r\n"
       "needs-migrating no\r\nenvironment \"Drawing\"\r\nreference \"Frame.iam\"\r\n"
       "sheet \"Sheet:1\" width 42 height 29.7 size-code 9993 border yes title-block no "
       "excluded-from-printing yes computing-reads 2\r\n"
       "fail-every-open 5 \"Access is denied\"\r\nfail-every-save 28 \"No space left on device\"\r\n"
       "busy-after-open 1500\r\n"},
      {faulty,
       "KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype part\r\nrelease 7 0\r\nstatus up-to-date\r\n"
       "needs-migrating no\r\nenvironment \"Part\"\r\n"
       "crash-first-open\r\ncrash-every-save\r\nhang-first-open forever\r\nhang-every-open 0\r\n"
       "hang-every-save 5000\r\nexit-first-open 3\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(StandinDocumentText(c.document), c.text);
}

TEST(StandinDocumentRoundTrip, GeometryKeepsEveryLineExactly) {
  const std::string cases[] = {
      "a",     "a\n", "\n",         "\n\n\n", "end geometry",   " end geometry\t\n",
      "|\n||", "x\r", "a\r\nb\r\n", "\r",     "#comment\n\n  ", {"nul\0byte\n", 9},
  };
  for (const std::string& geometry : cases) {
    StandinDocument part;
    part.geometry = geometry;
    const std::string text = StandinDocumentText(part);
    const Result<StandinDocument> parsed = ParseStandinDocument(text);
    ASSERT_TRUE(parsed.ok()) << parsed.failure().description << "\n" << text;
    EXPECT_EQ(parsed.value().geometry, geometry) << ::testing::PrintToString(text);
  }
}

TEST(StandinDocumentRoundTrip, TextsKeepEveryByte) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  StandinDocument drawing = Document(DocumentType::Drawing, {1, 0}, ComputeStatus::UpToDate, everyByte);
  drawing.description = everyByte;
  drawing.references = {{"a" + everyByte.substr(1), std::nullopt}};
  drawing.sheets = {{everyByte, 1, 1, 0, true, true, false, 0}};
  drawing.faults.failEverySave = Fault(1, everyByte);
  const Result<StandinDocument> parsed = ParseStandinDocument(StandinDocumentText(drawing));
  ASSERT_TRUE(parsed.ok()) << parsed.failure().description;
  EXPECT_EQ(parsed.value(), drawing);
}

TEST(StandinDocumentRoundTrip, DecimalsComeBackBitForBit) {
  const double cases[] = {
      0.1,
      29.7,
      1.0 / 3,
      1e21,
      123456789.125,
      -2.5e-8,
      std::numeric_limits<double>::max(),
      std::numeric_limits<double>::denorm_min(),
      std::numeric_limits<double>::min(),
      -0.0,
  };
  for (const double value : cases) {
    StandinDocument assembly = Document(DocumentType::Assembly, {1, 0}, ComputeStatus::UpToDate, "");
    assembly.references = {{"a.ipt", StandinPlacement{{value, -value, value}, {value, 1, 0}, value}}};
    const std::string text = StandinDocumentText(assembly);
    const Result<StandinDocument> parsed = ParseStandinDocument(text);
    ASSERT_TRUE(parsed.ok()) << parsed.failure().description;
    const StandinPlacement& placement = *parsed.value().references.at(0).placement;
    EXPECT_EQ(placement, *assembly.references[0].placement) << text;
    EXPECT_EQ(std::signbit(placement.rotationDegrees), std::signbit(value)) << text;
  }
}

TEST(StandinDocumentWriter, RefusesADocumentThatWouldNotReadBackAndKeepsTheOldFile) {
  const struct {
    std::function<void(StandinDocument&)> spoil;
    std::string problem;
  } cases[] = {
      {[](StandinDocument& d) {
         d.sheets = {{"Sheet:1", 42, 29.7, 9993, true, true, false, 0}};
       },
       "line 8: only a drawing has sheets (the type is \"part\")"},
      {[](StandinDocument& d) { d.type = DocumentType::Drawing; }, "a drawing needs at least one sheet"},
      {[](StandinDocument& d) {
         d.type = DocumentType::Drawing;
         d.sheets = {{"Sheet:1", -42, 29.7, 9993, true, true, false, 0}};
       },
       "line 8: the sheet width \"-42\" is not above 0"},
      {[](StandinDocument& d) {
         d.type = DocumentType::Drawing;
         d.sheets = {{"Sheet:1", 42, std::numeric_limits<double>::quiet_NaN(), 9993, true, true, false, 0}};
       },
       "line 8: the sheet height \"nan\" is not a number"},
      {[](StandinDocument& d) {
         d.references = {{"", std::nullopt}};
       },
       "line 8: the reference path is empty"},
      {[](StandinDocument& d) {
         d.type = DocumentType::Assembly;
         d.references = {{"a.ipt", StandinPlacement{{0, 0, 0}, {0, 0, 0}, 0}}};
       },
       "line 8: the rotation axis has no direction"},
      {[](StandinDocument& d) { d.release.minorNumber = -1; }, "line 4: the release minor number \"-1\" is below 0"},
      {[](StandinDocument& d) { d.faults.busyAfterOpenMilliseconds = -5; },
       "line 8: the busy time after an open \"-5\" is below 0"},
      {[](StandinDocument& d) { d.type = static_cast<DocumentType>(99); }, "line 3: unknown document type \"99\""},
      {[](StandinDocument& d) { d.computeStatus = static_cast<ComputeStatus>(11784); },
       "line 5: unknown compute status \"11784\""},
  };
  testing::TemporaryFolder folder;
  folder.Write("Doc.ipt", "old contents");
  const std::string path = (folder / "Doc.ipt").string();
  for (const auto& c : cases) {
    StandinDocument document;
    c.spoil(document);
    const Status written = WriteStandinDocument(path, document);
    ASSERT_FALSE(written.ok()) << c.problem;
    EXPECT_EQ(written.failure(),
              (Failure{kInvalidStandinDocument, path + ": not written, as it would not read back: " + c.problem}));
  }
  EXPECT_EQ(folder.Read("Doc.ipt"), "old contents");
  EXPECT_EQ(folder.Listing(), "Doc.ipt");
}

TEST(StandinDocumentWriter, AFailedWriteNamesThePath) {
  testing::TemporaryFolder folder;
  const std::string path = (folder / "missing" / "Doc.ipt").string();
  const Status written = WriteStandinDocument(path, StandinDocument{});
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.failure(), (Failure{ENOENT, path + ": No such file or directory"}));
}

}  // namespace
}  // namespace korrin::standin
