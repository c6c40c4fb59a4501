// korrin-batch runs that depend on the host's translator settings: STL
// resolutions and the repair of imported geometry, which the host reads only
// when it starts, DWG and DXF imports, and drawings finished in AutoCAD.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "e2e/BatchFixture.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

constexpr const char* kRestart =
    "Inventor needs to be shut down and restarted to implement the new setting.\nAllright to shut down and "
    "restart inventor ?\n";

class TranslatorRunTest : public testing::BatchFixture {
 protected:
  static std::uint32_t Triangles(const std::string& stl) { return testing::LittleEndian32(stl, 80); }
};

TEST_F(TranslatorRunTest, ANewStlResolutionShutsTheRunningHostDownOnlyWhenTheUserAgrees) {
  const std::string part = Sample("parts/washer.ipt");
  testing::ProgramRun run = Export("*.IPT", "*.STL", {part});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::uint32_t before = Triangles(Read(Out("washer.stl")));
  // The host keeps running after the run, with what it read at its start.
  const std::vector<pid_t> first = LiveHosts();
  ASSERT_EQ(first.size(), 1u);

  SetOption("STLMedium", "500");
  const std::string question = "[question] Registry value ( 6300 ) is different from current setting ( 500 )\n" +
                               std::string(kRestart);
  run = Export("*.IPT", "*.STL", {part});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, question + "[answer] No\n");
  EXPECT_EQ(SplitLines(run.out), (Lines{"Checking Inventor Application, Export Formats and Settings", "Ready",
                                        "Summary: 0 converted, 0 skipped, 0 failed, 1 not reached"}));
  EXPECT_EQ(Triangles(Read(Out("washer.stl"))), before);
  EXPECT_EQ(LiveHosts(), first);

  run = Export("*.IPT", "*.STL", {part}, {"--yes"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, question + "[answer] Yes\n");
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(part, Out("washer.STL")),
                                         {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  // Shut down and started anew, the host read the new value.
  const std::vector<pid_t> second = LiveHosts();
  ASSERT_EQ(second.size(), 1u);
  EXPECT_NE(second, first);
  const std::uint32_t after = Triangles(Read(Out("washer.stl")));
  EXPECT_LT(after, before);
  EXPECT_GT(after, 0u);

  // The host now runs with the new value: nothing more to ask.
  run = Export("*.IPT", "*.STL", {part});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Triangles(Read(Out("washer.stl"))), after);
  EXPECT_EQ(LiveHosts(), second);
}

// The log lines without the rounds of a drawing waiting for its views.
Lines WithoutViewUpdates(const std::string& out) {
  Lines lines;
  for (const std::string& line : SplitLines(out)) {
    if (line != "Updating drawing") lines.push_back(line);
  }
  return lines;
}

TEST_F(TranslatorRunTest, ADwgImportRunsOnlyWhenTheUserConfirmsWhereTheDocumentsLand) {
  const std::string settings = (folder_ / "host" / "Translator Settings" / "dwgin.ini").string();
  const Lines options = {"--import-ini", settings, "--project", (folder_ / "host/Projects/default.ipj").string()};
  const std::string question = "[question] Conversion will be as follows:\nFiles specified in the [Files for "
                               "conversion] window is saved in the export folder: " +
                               Out("") + "\nSubassemblies/subparts is placed as specified in the INI-file: " +
                               (folder_ / "host/Projects/Workspace/").string() +
                               "\n\nBe sure to include both folders in the Inventor project\n\nContinue? :\n";
  const std::string bracket = Sample("import/bracket.dwg");
  const std::string damaged = Sample("import/damaged.dwg");

  testing::ProgramRun run = Export("*.DWG", "*.IAM", {Sample("import")}, options);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, question + "[answer] No\n");
  EXPECT_EQ(SplitLines(run.out), (Lines{"Checking Inventor Application, Export Formats and Settings", "Ready",
                                        "Summary: 0 converted, 0 skipped, 0 failed, 2 not reached"}));
  EXPECT_FALSE(fs::exists(folder_ / "host/Inventor/Bin/Inventor.session")) << "the host was not started";

  Lines yes = options;
  yes.push_back("--yes");
  run = Export("*.DWG", "*.IAM", {Sample("import")}, yes);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, question + "[answer] Yes\n");
  // The run hands the translator the lower-cased name, as the host's system
  // ignores case; the host's own text names the file it found.
  std::string lowered = damaged;
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string unreadable =
      lowered + ": \"" + damaged + "\" is not a drawing this host can read: it is no stand-in container";
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + bracket, "Exporting document: " + Out("bracket.IDW"), "Closing document(s)",
                     "Opening: " + damaged, unreadable, "Closing document(s)", "Ready",
                     "Summary: 1 converted, 0 skipped, 1 failed"}}));
  // The drawing the translator read, saved as a document of the host.
  const std::string saved = Read(Out("bracket.idw"));
  EXPECT_EQ(saved.rfind("KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype drawing\r\n", 0), 0u) << saved;
  EXPECT_NE(saved.find("\r\nsheet \"Sheet:1\" width 29.7 height 21 "), std::string::npos) << saved;
  EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + bracket + ",converted,\r\n" + damaged + ",failed,\"" + lowered +
                           ": \"\"" + damaged + "\"\" is not a drawing this host can read: it is no stand-in container\"\r\n");
  // The host's DWG translator finds the import settings by these names.
  const testing::ProgramRun query = testing::RunProgram(
      testing::BuiltProgram("korrin-reg"),
      {"query", "HKEY_CURRENT_USER\\Software\\Autodesk\\Inventor\\RegistryVersion7.0\\Translators\\DWG\\Last INI File"},
      {"KORRIN_REGISTRY=" + (folder_ / "host" / "registry").string()});
  for (const char* name : {"Last Import MDT INI file", "Last Import AutoCAD INI file", "Last Import AcadM INI file"}) {
    EXPECT_NE(query.out.find(std::string(name) + "    REG_SZ    " + settings), std::string::npos) << query.out;
  }
}

TEST_F(TranslatorRunTest, DwgExportsAreFinishedInAutocadSheetFileBySheetFileWithTheActiveSheetsTemplate) {
  const std::string settings = (folder_ / "dwgout.ini").string();
  fs::copy_file(folder_ / "host" / "Translator Settings" / "dwgout.ini", settings);
  const std::string shaft = Sample("drawings/stepped-shaft.idw");
  const std::string unit = Sample("drawings/drive-unit.idw");
  testing::ProgramRun run = Export("*.IDW", "*.DWG", {shaft, unit},
                                   {"--export-ini", settings, "--strip-lineweights", "--replace-title-blocks",
                                    "--acad-templates", "/site/tpl"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(WithoutViewUpdates(run.out),
            Joined({kStarted, Converted(unit, Out("drive-unit.DWG")), Converted(shaft, Out("stepped-shaft.DWG")),
                    {"Ready", "Summary: 2 converted, 0 skipped, 0 failed"}}));
  // The settings file named the last drawing's template, every other line kept.
  EXPECT_EQ(folder_.Read("dwgout.ini"),
            "[EXPORT SELECT OPTIONS]\r\nAUTOCAD VERSION=AutoCAD 2004\r\nAUTOCAD TEMPLATE=/site/tpl/ORV-A3.DWT\r\n"
            "DESTINATION DIRECTORY=\r\nCREATE AUTOCAD MECHANICAL=No\r\nUSE TRANSMITTAL=No\r\n");

  // One sheet: its file, without border and title block, finished in AutoCAD.
  const std::string a3 = Read(Out("stepped-shaft.dwg"));
  EXPECT_NE(a3.find("\r\nsheet \"Sheet:1\" width 42 height 29.7 size-code 9994 border no title-block no\r\n"
                    "template /site/tpl/ORV-A3.DWT\r\n"),
            std::string::npos)
      << a3;
  EXPECT_NE(a3.find("\r\nlineweight-display off\r\nupdated-before-save yes\r\nsaved-by AutoCAD\r\n"),
            std::string::npos)
      << a3;

  // Three sheets: a file each, every one finished in AutoCAD; only the
  // active sheet lost its border and title block, and every file names the
  // template of that sheet's size.
  EXPECT_FALSE(fs::exists(Out("drive-unit.dwg")));
  const struct {
    const char* file;
    const char* sheet;
  } sheets[] = {
      {"drive-unit_1.dwg", "width 118.9 height 84.1 size-code 9997 border no title-block no"},
      {"drive-unit_2.dwg", "width 84.1 height 59.4 size-code 9996 border yes title-block yes"},
      {"drive-unit_3.dwg", "width 59.4 height 42 size-code 9995 border yes title-block yes"},
  };
  for (const auto& sheet : sheets) {
    const std::string written = Read(Out(sheet.file));
    EXPECT_NE(written.find(std::string(sheet.sheet) + "\r\ntemplate /site/tpl/ORV-A0.DWT\r\n"), std::string::npos)
        << written;
    EXPECT_TRUE(written.ends_with("\r\nlineweight-display off\r\nupdated-before-save yes\r\nsaved-by AutoCAD\r\n"))
        << written;
  }
}

TEST_F(TranslatorRunTest, KeptLineweightsLeaveTheDrawingsToTheTranslator) {
  const std::string shaft = Sample("drawings/stepped-shaft.idw");
  testing::ProgramRun run = Export("*.IDW", "*.DWG", {shaft});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string written = Read(Out("stepped-shaft.dwg"));
  EXPECT_NE(written.find("border yes title-block yes"), std::string::npos) << written;
  EXPECT_EQ(written.find("lineweight-display"), std::string::npos) << written;

  run = Export("*.IDW", "*.DXF", {shaft}, {"--strip-lineweights"});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.err, "korrin-batch: --strip-lineweights needs the DWG export, not AutoCAD DXF Files (*.DXF)\n");
}

// The lines of one imported file.
Lines Imported(const std::string& source, const std::string& output) {
  return {"Opening: " + source, "Exporting document: " + output, "Closing document(s)"};
}

// The largest tolerance of an edge in a part's geometry: what healing
// widens so that edges reach a corner that lies off them.
double LargestEdgeTolerance(const std::string& document) {
  double largest = 0;
  const Lines lines = SplitLines(document);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != "|Ed\r") continue;
    largest = std::max(largest, std::stod(lines[i + 1].substr(1)));
  }
  return largest;
}

bool HasSolid(const std::string& document) { return document.find("\r\n|So\r\n") != std::string::npos; }

TEST_F(TranslatorRunTest, ImportsHealAndStitchAsTheHostWasStartedToAndChangesRestartIt) {
  const std::string faces = Sample("import/cover-plate-faces.igs");
  const std::string gap = Sample("import/hole-plate-gap.stp");
  const std::string washers = Sample("import/washers.stp");
  const Lines done = {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"};

  // As installed, both switches are on.
  testing::ProgramRun run = Export("*.IGS", "*.IAM", {faces});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Imported(faces, Out("cover-plate-faces.IPT")), done}));
  EXPECT_TRUE(HasSolid(Read(Out("cover-plate-faces.ipt"))));
  run = Export("*.STP", "*.IAM", {gap, washers});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Imported(gap, Out("hole-plate-gap.IPT")), Imported(washers, Out("washers.IAM")),
                    {"Ready", "Summary: 2 converted, 0 skipped, 0 failed"}}));
  const double healed = LargestEdgeTolerance(Read(Out("hole-plate-gap.ipt")));
  EXPECT_GT(healed, 0.01);
  // Several solids in one file: an assembly, its parts saved beside it.
  EXPECT_NE(Read(Out("washers.iam")).find("\r\nreference \"washers_1.ipt\"\r\nreference \"washers_2.ipt\"\r\n"
                                          "reference \"washers_3.ipt\"\r\n"),
            std::string::npos);
  for (const char* part : {"washers_1.ipt", "washers_2.ipt", "washers_3.ipt"}) {
    EXPECT_TRUE(HasSolid(Read(Out(part)))) << part;
  }

  // Both off: the running host read them on, so it is restarted first.
  SetOption("IGSImportHealing", "0");
  SetOption("IGSImportStitch", "0");
  run = Export("*.IGS", "*.IAM", {faces}, {"--yes"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "[question] " + std::string(kRestart) + "[answer] Yes\n");
  EXPECT_FALSE(HasSolid(Read(Out("cover-plate-faces.ipt")))) << "loose faces stay loose";
  run = Export("*.STP", "*.IAM", {gap});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "") << "the host was started with both off";
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Imported(gap, Out("hole-plate-gap.IPT")), done}));
  EXPECT_LT(LargestEdgeTolerance(Read(Out("hole-plate-gap.ipt"))), 0.001) << "the gap stays open";
}

}  // namespace
}  // namespace korrin
