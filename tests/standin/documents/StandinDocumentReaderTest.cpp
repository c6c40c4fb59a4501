#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FailurePrinter.h"
#include "documents/StandinDocumentFailures.h"
#include "documents/StandinDocumentReader.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kSignature = "KORRIN STAND-IN DOCUMENT";
constexpr const char* kGoodSheet =
    "sheet \"Sheet:1\" width 42 height 29.7 size-code 9993 border yes title-block yes excluded-from-printing no "
    "computing-reads 0";

std::string Joined(const Lines& lines, std::string_view lineEnd) {
  std::string text;
  for (const std::string& line : lines) text += line + std::string(lineEnd);
  return text;
}

// A document of that type whose added lines start at line 5.
Lines Document(std::string_view type, const Lines& added) {
  Lines lines{kSignature, "format 1", "type " + std::string(type), "release 7 0"};
  lines.insert(lines.end(), added.begin(), added.end());
  return lines;
}
Lines Part(const Lines& added) { return Document("part", added); }
Lines Assembly(const Lines& added) { return Document("assembly", added); }
// The added lines start at line 6, after a good sheet.
Lines Drawing(Lines added) {
  added.insert(added.begin(), kGoodSheet);
  return Document("drawing", added);
}

std::string Sheet(std::string_view fields) { return "sheet \"S\" " + std::string(fields); }
std::string SheetFrom(std::string_view width, std::string_view height, std::string_view rest) {
  return Sheet("width " + std::string(width) + " height " + std::string(height) + " " + std::string(rest));
}
constexpr const char* kSheetRest = "size-code 1 border yes title-block yes excluded-from-printing no computing-reads 0";

struct Malformed {
  Lines lines;
  std::string description;
  long number = kDamagedStandinDocument;
};

std::vector<Malformed> NotDocumentsAndFormats() {
  const std::string notDocument = "not a stand-in document (the first line is not \"KORRIN STAND-IN DOCUMENT\")";
  return {
      {{}, notDocument, kNotAStandinDocument},
      {{"KORRIN STAND-IN DOCUMENT ", "format 1"}, notDocument, kNotAStandinDocument},
      {{"korrin stand-in document", "format 1"}, notDocument, kNotAStandinDocument},
      {{"\xEF\xBB\xBFKORRIN STAND-IN DOCUMENT", "format 1"}, notDocument, kNotAStandinDocument},
      {{"PK\x03\x04\x14", "\x01\x02"}, notDocument, kNotAStandinDocument},
      {{kSignature}, "the format version line is missing"},
      {{kSignature, "format 3", "colour red"},
       "format version 3 is newer than this host reads (1)",
       kNewerStandinFormat},
      {{kSignature, "format 2 and more"}, "format version 2 is newer than this host reads (1)", kNewerStandinFormat},
      {{kSignature, "format 0"}, "line 2: the format version \"0\" is below 1"},
      {{kSignature, "format one"}, "line 2: the format version \"one\" is not a whole number"},
      {{kSignature, "format"}, "line 2: the format version is missing"},
      {{kSignature, "", "format 1"}, "line 2: \"format\" is missing"},
      {{kSignature, "type part"}, "line 2: expected \"format\", found \"type\""},
      {{kSignature, "format 1 x"}, "line 2: unexpected \"x\" at the end of the line"},
  };
}

std::vector<Malformed> BadHeaderLines() {
  return {
      {{kSignature, "format 1", "release 7 0"}, "the \"type\" line is missing"},
      {{kSignature, "format 1", "type part"}, "the \"release\" line is missing"},
      {Document("sketch", {}), "line 3: unknown document type \"sketch\""},
      {{kSignature, "format 1", "type", "release 7 0"}, "line 3: the document type is missing"},
      {{kSignature, "format 1", "type part", "release 7"}, "line 4: the release minor number is missing"},
      {{kSignature, "format 1", "type part", "release 7.0 0"},
       "line 4: the release major number \"7.0\" is not a whole number"},
      {{kSignature, "format 1", "type part", "release -1 0"}, "line 4: the release major number \"-1\" is below 0"},
      {{kSignature, "format 1", "type part", "release 7 99999999999"},
       "line 4: the release minor number \"99999999999\" is out of range"},
      {Part({"status fine"}), "line 5: unknown compute status \"fine\""},
      {Part({"status up-to-date", "# note", "", "status deleted"}),
       "line 8: a second \"status\" line (the first is line 5)"},
      {Part({"needs-migrating maybe"}), "line 5: the needs-migrating value \"maybe\" is not \"yes\" or \"no\""},
      {Part({"needs-migrating Yes"}), "line 5: the needs-migrating value \"Yes\" is not \"yes\" or \"no\""},
      {Part({"environment Part"}), "line 5: the environment must be in double quotes"},
      {Part({"environment \"Part"}), "line 5: a text has no closing quote"},
      {Part({"environment \"Part\\"}), "line 5: a text has no closing quote"},
      {Part({"environment \"Pa\\qrt\""}), "line 5: a backslash in a text must be followed by \\, \", t, r, n or x"},
      {Part({"environment \"P\\x4\""}), "line 5: \\x in a text must be followed by two hex digits"},
      {Part({"environment \"Part\"s"}), "line 5: a closing quote must be followed by a blank"},
      {Part({"description \"a\" \"b\""}), "line 5: unexpected \"b\" at the end of the line"},
      {Part({"colour \"red\""}), "line 5: unknown key \"colour\""},
      {Part({"Type part"}), "line 5: unknown key \"Type\""},
      {Part({"\"type\" part"}), "line 5: the key must not be in quotes"},
      {Part({"type\x01 part"}), "line 5: unknown key \"type\\x01\""},
      {Part({std::string(100, 'k')}), "line 5: unknown key \"" + std::string(40, 'k') + "...\""},
      {{kSignature, "format 1", "# a comment", "", "   ", "\t# indented", "type part", "release 7 0", "size 3"},
       "line 9: unknown key \"size\""},
  };
}

std::vector<Malformed> BadContents() {
  std::string accents = "a";
  for (int character = 0; character < 30; ++character) accents += "\xC3\xA9";
  // The 40th byte is inside a character, so the text is cut before it.
  const std::string shortened = "a" + accents.substr(1, 38);
  return {
      {Part({accents}), "line 5: unknown key \"" + shortened + "...\""},
      {Part({kGoodSheet}), "line 5: only a drawing has sheets (the type is \"part\")"},
      {Assembly({"geometry", "|x", "end geometry"}), "line 5: only a part carries geometry (the type is \"assembly\")"},
      {Document("drawing", {}), "a drawing needs at least one sheet"},
      {Drawing({"reference \"a.iam\" at 0 0 0 axis 0 0 1 angle 0"}),
       "line 6: only an assembly places its references (the type is \"drawing\")"},
      {Drawing({SheetFrom("29,7", "21", kSheetRest)}), "line 6: the sheet width \"29,7\" is not a number"},
      {Drawing({SheetFrom("42", "-3", kSheetRest)}), "line 6: the sheet height \"-3\" is not above 0"},
      {Drawing({SheetFrom("0", "21", kSheetRest)}), "line 6: the sheet width \"0\" is not above 0"},
      {Drawing({SheetFrom("1e3", "21", kSheetRest)}), "line 6: the sheet width \"1e3\" is not a number"},
      {Drawing({SheetFrom(".5", "21", kSheetRest)}), "line 6: the sheet width \".5\" is not a number"},
      {Drawing({SheetFrom("5.", "21", kSheetRest)}), "line 6: the sheet width \"5.\" is not a number"},
      {Drawing({SheetFrom("inf", "21", kSheetRest)}), "line 6: the sheet width \"inf\" is not a number"},
      {Drawing({SheetFrom("1" + std::string(400, '0'), "21", kSheetRest)}),
       "line 6: the sheet width \"1" + std::string(39, '0') + "...\" is out of range"},
      {Drawing({Sheet("width 42 size-code 1")}), "line 6: expected \"height\", found \"size-code\""},
      {Drawing({Sheet("width 42 height 21")}), "line 6: \"size-code\" is missing"},
      {Drawing({"sheet S width 42"}), "line 6: the sheet name must be in double quotes"},
      {Drawing({SheetFrom("42", "21", "size-code 9.5")}), "line 6: the sheet size code \"9.5\" is not a whole number"},
      {Drawing({SheetFrom("42", "21", "size-code 1 border maybe")}),
       "line 6: the sheet border value \"maybe\" is not \"yes\" or \"no\""},
      {Drawing({SheetFrom("42", "21",
                          "size-code 1 border yes title-block yes excluded-from-printing no computing-reads -1")}),
       "line 6: the sheet computing reads \"-1\" is below 0"},
      {Drawing({SheetFrom("42", "21", std::string(kSheetRest) + " extra")}),
       "line 6: unexpected \"extra\" at the end of the line"},
  };
}

std::vector<Malformed> BadReferencesAndFaults() {
  return {
      {Assembly({"reference \"\""}), "line 5: the reference path is empty"},
      {Assembly({"reference \"/parts/a.ipt\""}),
       "line 5: the reference path \"/parts/a.ipt\" is absolute; it must be relative to the document"},
      {Assembly({"reference \"C:/parts/a.ipt\""}),
       "line 5: the reference path \"C:/parts/a.ipt\" is absolute; it must be relative to the document"},
      {Assembly({"reference \"\\\\a.ipt\""}),
       "line 5: the reference path \"\\\\a.ipt\" is absolute; it must be relative to the document"},
      {Assembly({"reference \"a\\x00b.ipt\""}), "line 5: the reference path \"a\\x00b.ipt\" holds a NUL byte"},
      {Assembly({"reference parts/a.ipt"}), "line 5: the reference path must be in double quotes"},
      {Assembly({"reference \"a.ipt\" near 1 2 3"}), "line 5: expected \"at\", found \"near\""},
      {Assembly({"reference \"a.ipt\" at 1 2"}), "line 5: the translation z is missing"},
      {Assembly({"reference \"a.ipt\" at nan 2 3"}), "line 5: the translation x \"nan\" is not a number"},
      {Assembly({"reference \"a.ipt\" at 1 2 3 axis 0 0 0 angle 5"}), "line 5: the rotation axis has no direction"},
      {Assembly({"reference \"a.ipt\" at 1 2 3 axis 0 0 1 angle 1e3"}),
       "line 5: the rotation angle \"1e3\" is not a number"},
      {Assembly({"reference \"a.ipt\" at 1 2 3 axis 0 0 1"}), "line 5: \"angle\" is missing"},
      {Assembly({"reference \"a.ipt\" at 1 2 3 axis 0 0 1 angle 9 more"}),
       "line 5: unexpected \"more\" at the end of the line"},
      {Part({"fail-first-open x \"E\""}), "line 5: the fault number \"x\" is not a whole number"},
      {Part({"fail-every-save 5"}), "line 5: the fault description is missing"},
      {Part({"fail-every-open 5 Error"}), "line 5: the fault description must be in double quotes"},
      {Part({"fail-first-open 2147483648 \"E\""}), "line 5: the fault number \"2147483648\" is out of range"},
      {Part({"fail-first-open -2147483649 \"E\""}), "line 5: the fault number \"-2147483649\" is out of range"},
      {Part({"fail-every-open 1 \"a\"", "fail-every-open 2 \"b\""}),
       "line 6: a second \"fail-every-open\" line (the first is line 5)"},
      {Part({"crash-every-save now"}), "line 5: unexpected \"now\" at the end of the line"},
      {Part({"crash-first-open", "crash-first-open"}),
       "line 6: a second \"crash-first-open\" line (the first is line 5)"},
      {Part({"hang-every-save"}), "line 5: the hang time is missing"},
      {Part({"hang-first-open -1"}), "line 5: the hang time \"-1\" is below 0"},
      {Part({"hang-every-open never"}), "line 5: the hang time \"never\" is not a whole number"},
      {Part({"hang-every-open forever 5"}), "line 5: unexpected \"5\" at the end of the line"},
      {Part({"hang-every-save 10 ms"}), "line 5: unexpected \"ms\" at the end of the line"},
      {Part({"hang-first-open \"forever\""}), "line 5: the hang time must not be in quotes"},
      {Part({"exit-first-open"}), "line 5: the exit status is missing"},
      {Part({"exit-first-open 256"}), "line 5: the exit status 256 is over 255"},
      {Part({"exit-first-open -3"}), "line 5: the exit status \"-3\" is below 0"},
      {Part({"exit-first-open 3 4"}), "line 5: unexpected \"4\" at the end of the line"},
      {Part({"busy-after-open -5"}), "line 5: the busy time after an open \"-5\" is below 0"},
      {Part({"busy-after-save 10 ms"}), "line 5: unexpected \"ms\" at the end of the line"},
      {Part({"busy-after-save"}), "line 5: the busy time after a save is missing"},
      {Part({"geometry", "|a", "|b"}), "the geometry block that starts at line 5 has no end"},
      {Part({"geometry", "|a", "status deleted", "end geometry"}),
       "line 7: a line of the geometry block that starts at line 5 does not start with \"|\""},
      {Part({"geometry", "|a", "", "end geometry"}),
       "line 7: a line of the geometry block that starts at line 5 does not start with \"|\""},
      {Part({"geometry now"}), "line 5: unexpected \"now\" at the end of the line"},
      {Part({"end geometry"}), "line 5: unknown key \"end\""},
      {Part({"geometry", "end geometry", "geometry", "end geometry"}),
       "line 7: a second \"geometry\" line (the first is line 5)"},
  };
}

void ExpectFailures(const std::vector<Malformed>& cases) {
  for (const Malformed& c : cases) {
    for (const std::string_view lineEnd : {"\r\n", "\n"}) {
      const std::string text = Joined(c.lines, lineEnd);
      const Result<StandinDocument> parsed = ParseStandinDocument(text);
      ASSERT_FALSE(parsed.ok()) << ::testing::PrintToString(text);
      EXPECT_EQ(parsed.failure(), (Failure{c.number, c.description})) << ::testing::PrintToString(text);
    }
  }
}

TEST(StandinDocumentReader, RefusesWhatIsNoDocumentOrANewerFormat) { ExpectFailures(NotDocumentsAndFormats()); }

TEST(StandinDocumentReader, NamesTheLineAndProblemOfABadHeader) { ExpectFailures(BadHeaderLines()); }

TEST(StandinDocumentReader, NamesTheLineAndProblemOfBadContents) { ExpectFailures(BadContents()); }

TEST(StandinDocumentReader, NamesTheLineAndProblemOfBadReferencesAndFaults) {
  ExpectFailures(BadReferencesAndFaults());
}

TEST(StandinDocumentReader, ReadsTheCrashHangAndExitFaults) {
  const Result<StandinDocument> every = ParseStandinDocument(Joined(
      Part({"crash-every-open", "crash-every-save  ", "hang-every-open forever", "hang-every-save 2147483647"}),
      "\n"));
  ASSERT_TRUE(every.ok()) << every.failure().description;
  StandinFaults expected;
  expected.crashEveryOpen = true;
  expected.crashEverySave = true;
  expected.hangEveryOpen = StandinHang{std::nullopt};
  expected.hangEverySave = StandinHang{2147483647};
  EXPECT_EQ(every.value().faults, expected);

  const Result<StandinDocument> first =
      ParseStandinDocument(Joined(Part({"crash-first-open", "hang-first-open 0", "exit-first-open 255"}), "\r\n"));
  ASSERT_TRUE(first.ok()) << first.failure().description;
  expected = StandinFaults{};
  expected.crashFirstOpen = true;
  expected.hangFirstOpen = StandinHang{0};
  expected.exitFirstOpen = 255;
  EXPECT_EQ(first.value().faults, expected);
}

TEST(StandinDocumentReader, TakesBlanksCommentsAnyKeyOrderAndNoFinalLineEnd) {
  const Lines lines{kSignature,
                    "format 1",
                    "# written by hand",
                    "",
                    "  release   12\t3  ",
                    "\ttype assembly",
                    "reference \"a.ipt\"",
                    "environment \"\"",
                    "reference \"b c.ipt\" at 1 -2 3.5 axis 0 1 0 angle -45.5"};
  StandinDocument expected;
  expected.type = DocumentType::Assembly;
  expected.release = {12, 3};
  expected.references = {{"a.ipt", std::nullopt}, {"b c.ipt", StandinPlacement{{1, -2, 3.5}, {0, 1, 0}, -45.5}}};
  for (const std::string_view lineEnd : {"\r\n", "\n"}) {
    std::string text = Joined(lines, lineEnd);
    text.resize(text.size() - lineEnd.size());
    const Result<StandinDocument> parsed = ParseStandinDocument(text);
    ASSERT_TRUE(parsed.ok()) << parsed.failure().description;
    EXPECT_EQ(parsed.value(), expected) << ::testing::PrintToString(text);
  }
}

TEST(StandinDocumentReader, SpellsTheHostCodesAsWords) {
  const struct {
    const char* word;
    std::int32_t number;
  } types[] = {
      {"part", 12290}, {"assembly", 12291}, {"drawing", 12292}, {"presentation", 12293}, {"design-element", 12294}};
  for (const auto& type : types) {
    const Lines added = std::string_view(type.word) == "drawing" ? Lines{kGoodSheet} : Lines{};
    const Result<StandinDocument> parsed = ParseStandinDocument(Joined(Document(type.word, added), "\n"));
    ASSERT_TRUE(parsed.ok()) << type.word << ": " << parsed.failure().description;
    EXPECT_EQ(static_cast<std::int32_t>(parsed.value().type), type.number) << type.word;
  }
  const struct {
    const char* word;
    std::int32_t number;
  } statuses[] = {{"unknown", 11777},  {"up-to-date", 11778}, {"out-of-date", 11779},   {"driver-lost", 11780},
                  {"in-error", 11781}, {"deleted", 11782},    {"cannot-compute", 11783}};
  for (const auto& status : statuses) {
    const Result<StandinDocument> parsed =
        ParseStandinDocument(Joined(Part({"status " + std::string(status.word)}), "\n"));
    ASSERT_TRUE(parsed.ok()) << status.word << ": " << parsed.failure().description;
    EXPECT_EQ(static_cast<std::int32_t>(parsed.value().computeStatus), status.number) << status.word;
  }
}

TEST(StandinDocumentReader, FileFailuresNameThePath) {
  testing::TemporaryFolder folder;
  const std::string missing = (folder / "missing.ipt").string();
  const Result<StandinDocument> notThere = ReadStandinDocument(missing);
  ASSERT_FALSE(notThere.ok());
  EXPECT_EQ(notThere.failure(), (Failure{ENOENT, missing + ": No such file or directory"}));

  // A folder opens but cannot be read, even for root.
  std::filesystem::create_directory(folder / "folder.ipt");
  const std::string unreadable = (folder / "folder.ipt").string();
  const Result<StandinDocument> notReadable = ReadStandinDocument(unreadable);
  ASSERT_FALSE(notReadable.ok());
  EXPECT_EQ(notReadable.failure(), (Failure{EISDIR, unreadable + ": Is a directory"}));

  folder.Write("newer.ipt", "KORRIN STAND-IN DOCUMENT\r\nformat 9\r\n");
  const std::string newer = (folder / "newer.ipt").string();
  const Result<StandinDocument> tooNew = ReadStandinDocument(newer);
  ASSERT_FALSE(tooNew.ok());
  EXPECT_EQ(tooNew.failure(),
            (Failure{kNewerStandinFormat, newer + ": format version 9 is newer than this host reads (1)"}));

  folder.Write("damaged.ipt", "KORRIN STAND-IN DOCUMENT\nformat 1\ntype part\nrelease 7 0\ncolour red\n");
  const std::string damaged = (folder / "damaged.ipt").string();
  const Result<StandinDocument> broken = ReadStandinDocument(damaged);
  ASSERT_FALSE(broken.ok());
  EXPECT_EQ(broken.failure(), (Failure{kDamagedStandinDocument, damaged + ": line 5: unknown key \"colour\""}));
}

}  // namespace
}  // namespace korrin::standin
