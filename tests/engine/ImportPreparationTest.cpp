#include <fstream>

#include "EngineFixture.h"
#include "engine/ImportPreparation.h"
#include "host/HostInstallation.h"

namespace korrin {
namespace {

constexpr const char* kIniKey = "\\Translators\\DWG\\Last INI File";

class ImportPreparationTest : public testing::EngineFixture {
 protected:
  std::string File(const std::string& name, const std::string& text) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  RegistryValue IniValue(const std::string& name) {
    RegistryValue value;
    (void)registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, kIniKey), name, value);
    return value;
  }
  static std::string Confirmation(const std::string& exportFolder, const std::string& destination) {
    return "Conversion will be as follows:\rFiles specified in the [Files for conversion] window is saved in the "
           "export folder: " +
           exportFolder + "\rSubassemblies/subparts is placed as specified in the INI-file: " + destination +
           "\r\rBe sure to include both folders in the Inventor project\r\rContinue? :";
  }
};

TEST_F(ImportPreparationTest, DwgImportsNameTheSettingsFileForEveryFlavourAndDxfOnlyForItself) {
  EXPECT_EQ(StoreImportIniNames(registry_, kTag, dialogs_, "*.DWG", "/cfg/dwgin.ini"), IniNamesStored::Done);
  for (const char* name : {"Last Import MDT INI file", "Last Import AutoCAD INI file", "Last Import AcadM INI file"}) {
    EXPECT_EQ(IniValue(name), RegistryValue(std::string("/cfg/dwgin.ini"))) << name;
  }
  EXPECT_EQ(IniValue("Last Import DXF INI file"), RegistryValue());

  EXPECT_EQ(StoreImportIniNames(registry_, kTag, dialogs_, "*.DXF", "/cfg/dxfin.ini"), IniNamesStored::Done);
  EXPECT_EQ(IniValue("Last Import DXF INI file"), RegistryValue(std::string("/cfg/dxfin.ini")));
  EXPECT_EQ(IniValue("Last Import MDT INI file"), RegistryValue(std::string("/cfg/dwgin.ini")));

  EXPECT_EQ(StoreImportIniNames(registry_, kTag, dialogs_, "*.IGS", "/cfg/other.ini"), IniNamesStored::Done);
  EXPECT_EQ(IniValue("Last Import DXF INI file"), RegistryValue(std::string("/cfg/dxfin.ini")));
}

TEST_F(ImportPreparationTest, TheProjectCheckNeedsBothFilesAndShowsWhereTheDocumentsLand) {
  const std::string project = File("p.ipj", "[Project]\r\nWORKSPACE=/work\r\n");
  dialogs_.ExpectMessage("Please select an import INI file");
  EXPECT_FALSE(CheckImportProject(dialogs_, "", project, "/out"));
  dialogs_.ExpectMessage("Please select an Inventor project file: the import needs it to place the documents");
  EXPECT_FALSE(CheckImportProject(dialogs_, "/cfg/dwgin.ini", "", "/out"));
  dialogs_.ExpectMessage("Error opening project file: /nowhere/p.ipj");
  EXPECT_FALSE(CheckImportProject(dialogs_, "/cfg/dwgin.ini", "/nowhere/p.ipj", "/out"));
  // An import settings file that cannot be read stops the run without a word.
  EXPECT_FALSE(CheckImportProject(dialogs_, (folder_ / "missing.ini").string(), project, "/out"));

  const std::string none = File("none.ini", "[IMPORT FILE TYPE]\r\nFILE UNITS=Millimeters\r\n");
  dialogs_.ExpectYesNo(Confirmation("/out/", ""), false);
  EXPECT_FALSE(CheckImportProject(dialogs_, none, project, "/out"));

  const std::string two = File("two.ini", "destination directory=/first\r\nDESTINATION DIRECTORY=/second/\r\n");
  dialogs_.ExpectYesNo(Confirmation("/out/", "/second/"), true);
  EXPECT_TRUE(CheckImportProject(dialogs_, two, project, "/out/"));
}

TEST_F(ImportPreparationTest, AFileTheTranslatorCannotOpenIsReportedAndClearsTheFailure) {
  ExportContext context = Context();
  std::optional<host::DocumentHandle> document;
  const std::string file = File("broken.dwg", "not a drawing");
  const std::string failure = ImportDwgThroughTranslator(context, "/cfg/dwgin.ini", file, document);
  EXPECT_TRUE(failure.starts_with(file + ": ")) << failure;
  EXPECT_GT(failure.size(), file.size() + 2);
  EXPECT_FALSE(document.has_value());
  EXPECT_FALSE(context.pending.has_value());
}

}  // namespace
}  // namespace korrin
