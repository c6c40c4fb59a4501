// The DXF writer and reader on their own: what the writer puts in a file,
// what the reader takes from files it did not write, and damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DxfFile.h"

namespace korrin {
namespace {

using standin::DxfDrawing;
using standin::DxfLayout;
using standin::DxfPolyline;
using standin::DxfText;
using standin::DxfTextAnchor;
using standin::ParseDxf;

// Two sheets: one with a frame, a line and a text, one with a frame alone.
DxfDrawing TwoSheets() {
  DxfDrawing drawing;
  drawing.layers = {{"FRAME", 8, 18, false}, {"HIDDEN", 5, 25, true}};
  DxfLayout first{"Assembly", 420, 297, {}, {}};
  first.polylines.push_back({"FRAME", {{0, 0}, {420, 0}, {420, 297}, {0, 297}}, true});
  first.polylines.push_back({"HIDDEN", {{10.5, 20}, {30, 40.25}}, false});
  first.texts.push_back({"FRAME", {300, 12}, DxfTextAnchor::Top, 3.5, "Pl\xc3\xa4tte\t\xe2\x82\xac"});
  DxfLayout second{"Details", 297, 210, {}, {}};
  second.polylines.push_back({"FRAME", {{0, 0}, {297, 0}, {297, 210}, {0, 210}}, true});
  drawing.layouts = {first, second};
  return drawing;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The groups from a marker to the next "  0" line, as one text.
std::string EntityAt(const std::string& text, const std::string& start) {
  const std::size_t begin = text.find(start);
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find("\r\n  0\r\n", begin + 1) - begin);
}

TEST(DxfFileTest, TheWriterPutsTheFirstSheetInEntitiesAndTheOthersInTheirBlocks) {
  const std::string text = standin::DxfFileText(TwoSheets());
  EXPECT_TRUE(text.starts_with("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"));
  EXPECT_TRUE(text.ends_with("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
  EXPECT_NE(text.find("  9\r\n$INSUNITS\r\n 70\r\n4\r\n"), std::string::npos);
  EXPECT_NE(text.find("  9\r\n$LIMMAX\r\n 10\r\n420\r\n 20\r\n297\r\n"), std::string::npos);
  EXPECT_NE(text.find("  9\r\n$EXTMAX\r\n 10\r\n420\r\n 20\r\n297\r\n 30\r\n0\r\n"), std::string::npos);
  // Two points are a LINE; the text keeps ASCII, its tab a blank, the rest escaped.
  const std::string line = EntityAt(text, "  0\r\nLINE\r\n");
  EXPECT_NE(line.find("100\r\nAcDbEntity\r\n 67\r\n1\r\n  8\r\nHIDDEN\r\n100\r\nAcDbLine\r\n 10\r\n10.5\r\n 20\r\n20\r\n"
                      " 30\r\n0\r\n 11\r\n30\r\n 21\r\n40.25\r\n 31\r\n0"),
            std::string::npos)
      << line;
  const std::string textEntity = EntityAt(text, "  0\r\nTEXT\r\n");
  EXPECT_NE(textEntity.find("  1\r\nPl\\U+00E4tte \\U+20AC\r\n"), std::string::npos) << textEntity;
  EXPECT_TRUE(textEntity.ends_with(" 73\r\n3")) << textEntity;
  EXPECT_NE(text.find("  2\r\nDASHED\r\n 70\r\n0\r\n  3\r\nDashed __ __ __ __\r\n 72\r\n65\r\n 73\r\n2\r\n 40\r\n4.5\r\n"
                      " 49\r\n3\r\n 74\r\n0\r\n 49\r\n-1.5\r\n 74\r\n0\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("  2\r\nHIDDEN\r\n 70\r\n0\r\n 62\r\n5\r\n  6\r\nDASHED\r\n370\r\n25\r\n"), std::string::npos);
  // The second sheet's frame sits in *Paper_Space0, between its BLOCK and ENDBLK.
  const std::size_t block = text.find("  2\r\n*Paper_Space0\r\n 70\r\n");
  ASSERT_NE(block, std::string::npos);
  const std::size_t frame = text.find("LWPOLYLINE", block);
  EXPECT_LT(frame, text.find("ENDBLK", block));
  EXPECT_EQ(Occurrences(text, "\r\nLWPOLYLINE\r\n"), 2u);
  EXPECT_EQ(Occurrences(text, "\r\nLAYOUT\r\n"), 3u);  // Model and the two sheets

  DxfDrawing later = TwoSheets();
  later.version = standin::DxfVersion::R2004;
  EXPECT_NE(standin::DxfFileText(later).find("$ACADVER\r\n  1\r\nAC1018\r\n"), std::string::npos);
  EXPECT_EQ(standin::DxfFileText(DxfDrawing{}), "");
}

TEST(DxfFileTest, WrittenFilesReadBackLayoutByLayout) {
  auto read = ParseDxf(standin::DxfFileText(TwoSheets()));
  ASSERT_TRUE(read.ok()) << read.failure().description;
  EXPECT_EQ(read.value().version, "AC1015");
  ASSERT_EQ(read.value().layouts.size(), 2u);
  const standin::DxfLayoutRead& first = read.value().layouts[0];
  EXPECT_EQ(first.name, "Assembly");
  EXPECT_EQ(first.width, 420);
  EXPECT_EQ(first.height, 297);
  EXPECT_EQ(first.entityCount, 3u);
  EXPECT_EQ(first.layers, (std::set<std::string>{"FRAME", "HIDDEN"}));
  const standin::DxfLayoutRead& second = read.value().layouts[1];
  EXPECT_EQ(second.name, "Details");
  EXPECT_EQ(second.width, 297);
  EXPECT_EQ(second.height, 210);
  EXPECT_EQ(second.entityCount, 1u);
}

// A file as another program writes it: LF line ends, codes without
// padding, and only the parts the reader needs.
std::string Written(const std::vector<std::string>& groups) {
  std::string text;
  for (const std::string& group : groups) text += group + "\n";
  return text;
}

std::vector<std::string> Header(const std::string& units, const std::string& limitsMaxX) {
  return {"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "9", "$INSUNITS", "70", units,
          "9", "$LIMMIN",  "10", "0", "20", "0", "9", "$LIMMAX", "10", limitsMaxX, "20", "8.5",
          "9", "$EXTMIN", "10", "-1", "20", "-1", "9", "$EXTMAX", "10", "20", "20", "10", "0", "ENDSEC"};
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::vector<std::string> kEnd = {"0", "EOF"};

std::vector<std::string> Records(const std::string& paperHandle, const std::string& otherHandle) {
  return {"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "BLOCK_RECORD", "70", "3",
          "0", "BLOCK_RECORD", "5", "1F", "2", "*Model_Space",
          "0", "BLOCK_RECORD", "5", paperHandle, "2", "*Paper_Space",
          "0", "BLOCK_RECORD", "5", otherHandle, "2", "*Paper_Space7",
          "0", "ENDTAB", "0", "ENDSEC"};
}

// A LAYOUT's plot settings before its AcDbLayout part reuse codes 1 and 10.
std::vector<std::string> Layout(const std::string& name, const std::string& tab, const std::string& record,
                                const std::vector<std::string>& sizes) {
  std::vector<std::string> groups = {"0", "LAYOUT", "5", "99", "100", "AcDbPlotSettings", "1", "page setup",
                                     "10", "999", "72", "1", "100", "AcDbLayout", "1", name, "71", tab};
  groups.insert(groups.end(), sizes.begin(), sizes.end());
  groups.insert(groups.end(), {"330", record});
  return groups;
}

TEST(DxfFileTest, LayoutsComeInTabOrderSizedByLimitsElseExtentsAndHoldTheirOwnEntities) {
  const std::vector<std::string> entities = {
      "0", "SECTION", "2", "ENTITIES",
      // By its owner, by its layout's name, and by the paper-space flag.
      "0", "LINE", "330", "2a", "8", "Title", "10", "0", "20", "0",
      "0", "TEXT", "102", "{ACAD_REACTORS", "330", "77", "102", "}", "410", "second", "8", "border",
      "0", "CIRCLE", "67", "1", "10", "1e+1", "20", "+2", "40", "1",
      "0", "POINT", "10", "1", "20", "1",  // model space
      "0", "ENDSEC"};
  const std::vector<std::string> objects = Joined({
      {"0", "SECTION", "2", "OBJECTS", "0", "DICTIONARY", "5", "C", "3", "Model", "350", "98"},
      Layout("Second", "2", "3B", {"10", "0", "20", "0", "11", "0", "21", "0", "14", "5", "24", "5", "15", "215.9",
                                   "25", "284.4"}),
      Layout("Model", "0", "1F", {"10", "0", "20", "0", "11", "1", "21", "1"}),
      Layout("First", "1", "2A", {"10", "10", "20", "10", "11", "430", "21", "307"}),
      {"0", "ENDSEC"},
  });
  auto read = ParseDxf(Written(Joined({Header("4", "11"), Records("2A", "3b"), entities, objects, kEnd})));
  ASSERT_TRUE(read.ok()) << read.failure().description;
  EXPECT_EQ(read.value().version, "AC1027");
  ASSERT_EQ(read.value().layouts.size(), 2u);
  const standin::DxfLayoutRead& first = read.value().layouts[0];
  EXPECT_EQ(first.name, "First");
  EXPECT_EQ(first.width, 420);
  EXPECT_EQ(first.height, 297);
  EXPECT_EQ(first.entityCount, 2u);  // the line and the circle
  EXPECT_EQ(first.layers, (std::set<std::string>{"TITLE", "0"}));
  const standin::DxfLayoutRead& second = read.value().layouts[1];
  EXPECT_EQ(second.name, "Second");
  EXPECT_DOUBLE_EQ(second.width, 210.9);
  EXPECT_DOUBLE_EQ(second.height, 279.4);
  EXPECT_EQ(second.entityCount, 1u);
  EXPECT_EQ(second.layers, (std::set<std::string>{"BORDER"}));
}

TEST(DxfFileTest, ModelSpaceAloneIsOneSheetInTheHeadersUnits) {
  const std::vector<std::string> entities = {"0", "SECTION", "2", "ENTITIES", "0", "LINE", "8", "0",
                                             "10", "1", "20", "1", "0", "ENDSEC"};
  const struct {
    std::string units;
    std::string limitsMaxX;  // 0: no limits, the extents size the sheet
    double width, height;
  } cases[] = {
      {"4", "11", 11, 8.5},    // millimetres
      {"1", "11", 279.4, 215.9},  // inches
      {"5", "11", 110, 85},    // centimetres
      {"0", "11", 11, 8.5},    // unitless: millimetres
      {"99", "11", 11, 8.5},   // unknown: millimetres
      {"4", "0", 21, 11},      // extents
  };
  for (const auto& test : cases) {
    auto read = ParseDxf(Written(Joined({Header(test.units, test.limitsMaxX), entities, kEnd})));
    ASSERT_TRUE(read.ok()) << test.units << ": " << read.failure().description;
    ASSERT_EQ(read.value().layouts.size(), 1u);
    EXPECT_EQ(read.value().layouts[0].name, "Model");
    EXPECT_DOUBLE_EQ(read.value().layouts[0].width, test.width) << test.units << " " << test.limitsMaxX;
    EXPECT_DOUBLE_EQ(read.value().layouts[0].height, test.height) << test.units << " " << test.limitsMaxX;
    EXPECT_EQ(read.value().layouts[0].entityCount, 1u);
  }
}

TEST(DxfFileTest, DamagedFilesFailSayingWhereAndWhy) {
  const std::string good = Written(Joined({Header("4", "11"), kEnd}));
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string polyline = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n2000000000\n10\n0\n20\n0\n0\nENDSEC\n";
  const struct {
    std::string text;
    std::string description;
  } cases[] = {
      {"", "it ends before its EOF marker: cut short?"},
      {replaced("70\n4\n", "7x\n4\n"), "line 11: group code \"7x\" is not a number"},
      {replaced("70\n4\n", "2000\n4\n"), "line 11: group code 2000 is out of DXF's range"},
      {replaced("70\n4\n", "70\nfour\n"), "line 11: the value \"four\" of group code 70 is not a whole number"},
      {replaced("10\n11\n", "10\nnan\n"), "line 21: the value \"nan\" of group code 10 is not a number"},
      {replaced("10\n11\n", "10\n1e999\n"), "line 21: the value \"1e999\" of group code 10 is not a number"},
      {replaced("0\nEOF\n", "0\nEOF"), ""},  // the last line end may be missing
      {replaced("0\nEOF\n", "0\n"), "line 39: group code 0 has no value: cut short?"},
      {replaced("0\nEOF\n", ""), "it ends before its EOF marker: cut short?"},
      {replaced("0\nENDSEC\n", "0\nLINE\n0\nENDSEC\n"), "line 37: the header holds \"LINE\""},
      {replaced("2\nHEADER\n", "1\nHEADER\n"), "line 3: the section has no name"},
      {replaced("0\nEOF\n", "0\nSECTION\n2\nENTITIES\n8\n0\n0\nENDSEC\n0\nEOF\n"),
       "line 43: an entity was expected, not group code 8"},
      {replaced("0\nEOF\n", polyline + "0\nEOF\n"),
       "line 43: the LWPOLYLINE claims 2000000000 vertices but lists 1"},
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n0\nENDSEC\n0\nEOF\n",
       "model space has neither limits nor extents to size a sheet by"},
      {"0\nSECTION\n2\nOBJECTS\n0\nLAYOUT\n100\nAcDbLayout\n1\nEmpty\n330\n1\n0\nENDSEC\n"
       "0\nSECTION\n2\nTABLES\n0\nBLOCK_RECORD\n5\n1\n2\n*Paper_Space\n0\nENDSEC\n"
       "0\nSECTION\n2\nENTITIES\n0\nLINE\n67\n1\n0\nENDSEC\n0\nEOF\n",
       "line 5: the layout \"Empty\" has neither limits nor extents to size a sheet by"},
      {replaced("10\n11\n", "10\n1e9\n"), "the layout \"Model\" is larger than 100 m: 1000000000 x 8.5 mm"},
      {"AutoCAD Binary DXF\r\n\x1a", "it is a binary DXF file; only ASCII DXF files are read"},
      {"0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nTABLES\n", "line 7: a SECTION or the EOF marker was expected, not \"TABLES\""},
  };
  for (const auto& test : cases) {
    auto read = ParseDxf(test.text);
    if (test.description.empty()) {
      EXPECT_TRUE(read.ok()) << test.text;
      continue;
    }
    ASSERT_FALSE(read.ok()) << test.text;
    EXPECT_EQ(read.failure().description, test.description) << test.text;
    EXPECT_EQ(read.failure().number, -2147467259);
  }
}

// Cut anywhere before its last line end, a file of a few KB fails: it never
// reads as a shorter drawing, and never crashes (the build's sanitizers
// watch every cut).
TEST(DxfFileTest, AFileCutAnywhereFails) {
  const std::string text = standin::DxfFileText(TwoSheets());
  ASSERT_GT(text.size(), 4000u);
  const std::size_t lastLineEnd = text.size() - 2;  // before "\r\n"
  for (std::size_t length = 0; length < text.size(); ++length) {
    auto read = ParseDxf(std::string_view(text).substr(0, length));
    if (length >= lastLineEnd) {
      EXPECT_TRUE(read.ok()) << length;
    } else {
      ASSERT_FALSE(read.ok()) << length;
      EXPECT_FALSE(read.failure().description.empty()) << length;
    }
  }
}

}  // namespace
}  // namespace korrin
