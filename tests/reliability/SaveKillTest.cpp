// Saves killed half-way: each save runs in a child process that is killed
// with SIGKILL at a random moment, many times over. After every kill the file
// must be the old one or the new one, whole, and a later save must still
// succeed and read back. KORRIN_KILLS sets the kills per file kind (100).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/RegistryTool.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "geometry/ProductNode.h"
#include "geometry/SampleParts.h"
#include "geometry/StepWriter.h"
#include "geometry/StlWriter.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/SqliteRegistry.h"
#include "ports/NoPrinters.h"
#include "print/PaperSizeFile.h"
#include "settings/ExportTemplateFile.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsList.h"
#include "settings/TextFile.h"
#include "settings/TranslatorSettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

int KillsPerKind() {
  const char* text = std::getenv("KORRIN_KILLS");
  const int kills = text == nullptr ? 0 : std::atoi(text);
  return kills > 0 ? kills : 100;
}

// A file kind: what its save writes (version 1 or 2) and how its files look.
struct FileKind {
  const char* name;
  // Writes the given version; true when the save reported success.
  std::function<bool(int version)> save;
  // The files that must be whole after a kill, by name, and for each the
  // texts it may hold: that of version 1 or of version 2.
  std::function<std::vector<std::string>()> observedFiles;
  // What of a file's text tells versions apart; all of it unless given.
  std::function<std::string(std::string)> compared = {};
};

// A body long enough that writing it takes more than one system call.
std::vector<std::string> Body(const std::string& key, int version, int lines = 1500) {
  std::vector<std::string> body;
  for (int i = 0; i < lines; ++i) body.push_back(key + std::to_string(i) + "=version " + std::to_string(version));
  return body;
}

// Runs save(version) in a child; kills it after delay unless it ended.
// Returns whether the child was killed before it ended.
bool SaveInChildKilledAfter(const std::function<bool(int)>& save, int version, std::chrono::microseconds delay) {
  const pid_t child = ::fork();
  if (child == 0) _exit(save(version) ? 0 : 3);
  std::this_thread::sleep_for(delay);
  const bool killed = ::kill(child, SIGKILL) == 0;
  int status = 0;
  ::waitpid(child, &status, 0);
  return killed && WIFSIGNALED(status);
}

std::chrono::microseconds TimeOfOneSave(const std::function<bool(int)>& save) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) _exit(save(2) ? 0 : 3);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save that is not killed succeeds";
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

int TemporariesIn(const std::filesystem::path& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".korrin-") != std::string::npos) ++count;
  }
  return count;
}

std::vector<std::string> Texts(const FileKind& kind, const testing::TemporaryFolder& folder) {
  std::vector<std::string> texts;
  for (const std::string& name : kind.observedFiles()) {
    texts.push_back(kind.compared ? kind.compared(folder.Read(name)) : folder.Read(name));
  }
  return texts;
}

// The old state: version 2 saved, then version 1, so a file with a backup
// holds 1 and its backup 2. The new state: version 2 saved over that.
bool RestoreOldState(const FileKind& kind) { return kind.save(2) && kind.save(1); }

void KillSavesOf(const FileKind& kind, const testing::TemporaryFolder& folder) {
  ASSERT_TRUE(RestoreOldState(kind)) << kind.name;
  const std::vector<std::string> oldTexts = Texts(kind, folder);
  ASSERT_TRUE(kind.save(2)) << kind.name;
  const std::vector<std::string> newTexts = Texts(kind, folder);
  ASSERT_TRUE(RestoreOldState(kind)) << kind.name;

  const auto longest = TimeOfOneSave(kind.save) * 3 / 2;
  ASSERT_TRUE(RestoreOldState(kind)) << kind.name;
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long> moment(0, longest.count());
  const int kills = KillsPerKind();
  int killed = 0, leftOld = 0;
  const std::vector<std::string> names = kind.observedFiles();
  for (int i = 0; i < kills; ++i) {
    killed += SaveInChildKilledAfter(kind.save, 2, std::chrono::microseconds(moment(random)));
    const std::vector<std::string> now = Texts(kind, folder);
    for (std::size_t f = 0; f < names.size(); ++f) {
      ASSERT_TRUE(now[f] == oldTexts[f] || now[f] == newTexts[f])
          << kind.name << ": " << names[f] << " is neither old nor new after kill " << i << " (" << now[f].size()
          << " bytes)";
    }
    leftOld += now == oldTexts;
    // Whatever the kill left, later saves go through and read back.
    ASSERT_TRUE(RestoreOldState(kind)) << kind.name << " after kill " << i;
    ASSERT_EQ(Texts(kind, folder), oldTexts) << kind.name << " after kill " << i;
  }
  std::printf("%-28s %d saves, %d killed before they ended (%d left the old file, %d the new one), "
              "%d temporary files left behind, none in the way\n",
              kind.name, kills, killed, leftOld, kills - leftOld, TemporariesIn(folder.path()));
  EXPECT_GT(killed, 0) << kind.name << ": no save was ever killed before it ended";
  EXPECT_GT(leftOld, 0) << kind.name << ": no kill came before the file was replaced";
}

// A STEP file's header holds the time it was written; two saves of the same
// version differ there alone.
std::string WithoutTimeStamp(std::string text) {
  static const std::regex stamp("'[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}'");
  return std::regex_replace(text, stamp, "'time'");
}

// The values of the key V1 or V2 that the registry export writes out.
void FillRegistryKeys(const std::string& registry) {
  SqliteRegistry filling(registry);
  for (int version = 1; version <= 2; ++version) {
    const std::string key = "Software\\Korrin\\V" + std::to_string(version);
    ASSERT_TRUE(filling.CreateRegistryKey(RegistryRoot::CurrentUser, key, ""));
    for (const std::string& line : Body("Value", version, 300)) {
      const std::size_t equals = line.find('=');
      ASSERT_TRUE(filling.WriteRegistryValue(RegistryRoot::CurrentUser, key, line.substr(0, equals), line.substr(equals + 1)));
    }
  }
}

// Every file kind Korrin writes, each in a folder of its own.
class SaveKill : public ::testing::TestWithParam<const char*> {};

TEST_P(SaveKill, FileIsOldOrNewAfterAKill) {
  testing::TemporaryFolder folder;
  const ProgramPlace place{folder.string(), "/tmp"};
  const std::string papers = (folder / kPaperSizeFileName).string();
  const auto translator = folder / "dwgout.ini";
  folder.Write("dwgout.ini", "[EXPORT SELECT OPTIONS]\r\n");
  if (std::string(GetParam()) == "korrin-reg export") {
    std::filesystem::create_directory(folder / "registry");
    FillRegistryKeys((folder / "registry").string());
  }
  const TopoDS_Shape pin = standin::MakePin().value();
  const TopoDS_Shape washer = standin::MakeWasher().value();

  const std::vector<FileKind> kinds{
      {"Korrin.ini",
       [&](int version) {
         ProgramSettings settings;
         settings.BatchLastFolder = "/parts/version " + std::to_string(version) + "/" + std::string(3000, 'x');
         settings.BatchLastImportFilter = version == 1 ? "*.IPT" : "*.IAM";
         return static_cast<bool>(WriteProgramSettings(place, settings));
       },
       [] { return std::vector<std::string>{kProgramSettingsFileName}; }},
      {"KorrinExportTemplate.INI+bak",
       [&](int version) {
         ExportTemplateLines store(Body("Key", version));
         testing::ScriptedDialogs dialogs;
         return SaveExportTemplate(folder.string(), store, [] {}, dialogs);
       },
       [] { return std::vector<std::string>{kExportTemplateFileName, kExportTemplateBackupName}; }},
      {"papersizes.ini",
       [&](int version) {
         std::vector<PaperSizeRow> rows;
         for (int i = 0; i < 3000; ++i) rows.push_back({"P" + std::to_string(i), std::to_string(version), "1", "d"});
         testing::ScriptedDialogs dialogs;
         return SavePaperSizeList(papers, rows, dialogs);
       },
       [] { return std::vector<std::string>{kPaperSizeFileName}; }},
      {"dwgout.ini+BAK",
       [&](int version) {
         std::vector<SettingsListRow> rows{{"[EXPORT SELECT OPTIONS]", "", true, false}};
         for (const std::string& line : Body("OPTION", version)) rows.push_back({line, "", false, false});
         return static_cast<bool>(SaveTranslatorSettings(translator, rows));
       },
       [] { return std::vector<std::string>{"dwgout.ini", "dwgout.BAK"}; }},
      {"run report",
       [&](int version) { return static_cast<bool>(WriteTextFile(folder / "report.txt", Body("line ", version))); },
       [] { return std::vector<std::string>{"report.txt"}; }},
      {"summary CSV",
       [&](int version) {
         Result<FileReplacement> replacement = FileReplacement::Start(folder / "summary.csv");
         std::string csv;
         for (const std::string& line : Body("/parts/p", version)) csv += line + ",Exported\r\n";
         return replacement && static_cast<bool>(replacement.value().CommitBytes(csv));
       },
       [] { return std::vector<std::string>{"summary.csv"}; }},
      {"stand-in document",
       [&](int version) {
         standin::StandinDocument document;
         document.environment = "Part";
         document.description = "version " + std::to_string(version) + std::string(20000, 'd');
         return static_cast<bool>(standin::WriteStandinDocument(folder / "part.ipt", document));
       },
       [] { return std::vector<std::string>{"part.ipt"}; }},
      {"korrin-reg export",
       [&](int version) {
         RegistryStore store((folder / "registry").string());
         std::istringstream in;
         std::ostringstream out, err;
         return RunRegistryTool(store, {"export", "HKCU\\Software\\Korrin\\V" + std::to_string(version),
                                        (folder / "korrin.reg").string(), "/y"},
                                in, out, err) == 0;
       },
       [] { return std::vector<std::string>{"korrin.reg"}; }},
      {"stand-in STEP export",
       [&](int version) {
         const standin::ProductNode part{"part", version == 1 ? pin : washer, {}, {}};
         return static_cast<bool>(standin::WriteStep(part, folder / "part.stp", {}));
       },
       [] { return std::vector<std::string>{"part.stp"}; }, WithoutTimeStamp},
      {"stand-in STL export",
       [&](int version) {
         return static_cast<bool>(standin::WriteStl(version == 1 ? pin : washer, folder / "part.stl", {}));
       },
       [] { return std::vector<std::string>{"part.stl"}; }},
  };
  for (const FileKind& kind : kinds) {
    if (std::string(kind.name) == GetParam()) return KillSavesOf(kind, folder);
  }
  FAIL() << "no file kind " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SaveKill,
                         ::testing::Values("Korrin.ini", "KorrinExportTemplate.INI+bak", "papersizes.ini",
                                           "dwgout.ini+BAK", "run report", "summary CSV", "stand-in document",
                                           "korrin-reg export", "stand-in STEP export", "stand-in STL export"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name;
                           for (const char c : std::string(info.param)) name += std::isalnum(c) ? c : '_';
                           return name;
                         });

TEST(RegistryKill, AWriteIsDoneOrNotAfterAKill) {
  testing::TemporaryFolder folder;
  {
    SqliteRegistry registry(folder.string());
    ASSERT_TRUE(registry.CreateRegistryKey(RegistryRoot::CurrentUser, "Software\\Korrin", ""));
  }
  const auto save = [&](int version) {
    SqliteRegistry registry(folder.string());
    bool written = true;
    for (int i = 0; i < 20; ++i) {
      written = written && registry.WriteRegistryValue(RegistryRoot::CurrentUser, "Software\\Korrin",
                                                        "Value" + std::to_string(i), std::to_string(version));
    }
    return written;
  };
  ASSERT_TRUE(save(1));
  const auto longest = TimeOfOneSave(save) * 3 / 2;
  std::mt19937 random(7);
  std::uniform_int_distribution<long> moment(0, longest.count());
  const int kills = KillsPerKind();
  int killed = 0;
  for (int i = 0; i < kills; ++i) {
    killed += SaveInChildKilledAfter(save, 1 + i % 2, std::chrono::microseconds(moment(random)));
    SqliteRegistry registry(folder.string());
    for (int v = 0; v < 20; ++v) {
      RegistryValue value;
      ASSERT_TRUE(registry.ReadRegistryValue(RegistryRoot::CurrentUser, "Software\\Korrin",
                                             "Value" + std::to_string(v), value))
          << "after kill " << i;
      ASSERT_TRUE(value == RegistryValue(std::string("1")) || value == RegistryValue(std::string("2")))
          << "after kill " << i;
    }
    ASSERT_TRUE(registry.WriteRegistryValue(RegistryRoot::CurrentUser, "Software\\Korrin", "After", "x"))
        << "after kill " << i;
  }
  std::printf("%-28s %d writes of 20 values, %d killed half-way; the store read whole every time\n",
              "registry", kills, killed);
  EXPECT_GT(killed, 0);
}

}  // namespace
}  // namespace korrin
