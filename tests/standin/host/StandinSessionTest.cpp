#include <pwd.h>
#include <unistd.h>

#include "StandinFixture.h"
#include "host/HostCodes.h"
#include "host/HostSession.h"
#include "settings/TextFile.h"
#include "support/FakeProcessTable.h"
#include "support/FileBytes.h"
#include "support/RecordingEventPump.h"
#include "support/ScriptedDialogs.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using StandinSessionTest = testing::StandinFixture;

host::AddInHandle AddInNamed(host::Application& host, const std::string& name) {
  for (const host::AddInEntry& entry : host.AddIns().value()) {
    if (entry.displayName == name) return entry.addIn;
  }
  return {};
}

TEST_F(StandinSessionTest, SaveCopyCommandWritesTheViewAtItsClientSize) {
  Open(Write("p.ipt", Part()));
  const host::ViewHandle view = Host().ActiveView().value();
  const host::WindowHandle window = Host().ViewWindow(view).value();
  host::WindowPlacement placement = Host().GetWindowPlacement(window).value();
  placement.right = placement.left + 320 + 12;
  placement.bottom = placement.top + 200 + 31;
  ASSERT_TRUE(Host().SetWindowPlacement(window, placement).ok());
  EXPECT_EQ(Host().ViewWindowExtents(view).value().width, 320);
  EXPECT_EQ(Host().ViewWindowExtents(view).value().height, 200);

  // Without a file name the dialog would wait for a person: refused.
  EXPECT_FALSE(Host().StartCommand(host::kSaveCopyAsCommand).ok());
  const std::string bitmap = (folder_ / "view.bmp").string();
  ASSERT_TRUE(Host().PostFileName(host::kFileNamePostType, bitmap).ok());
  ASSERT_TRUE(Host().StartCommand(host::kSaveCopyAsCommand).ok());
  EXPECT_NE(Host().CommandState().value(), host::kCommandStateIdle);
  Advance(50ms);
  EXPECT_EQ(Host().CommandState().value(), host::kCommandStateIdle);
  const std::string bytes = folder_.Read("view.bmp");
  ASSERT_GE(bytes.size(), 26u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(testing::LittleEndian32(bytes, 18), 320u);
  EXPECT_EQ(testing::LittleEndian32(bytes, 22), 200u);

  ASSERT_TRUE(Host().SaveAsBitmap(view, (folder_ / "small.bmp").string(), 64, 48).ok());
  EXPECT_EQ(testing::LittleEndian32(folder_.Read("small.bmp"), 18), 64u);
  ASSERT_TRUE(Host().SaveAsBitmap(view, (folder_ / "wide.bmp").string(), 0, 48).ok());
  EXPECT_EQ(testing::LittleEndian32(folder_.Read("wide.bmp"), 18), 320u);
  EXPECT_EQ(testing::LittleEndian32(folder_.Read("wide.bmp"), 22), 48u);
  EXPECT_FALSE(Host().SaveAsBitmap(view, (folder_ / "none.bmp").string(), -1, 48).ok());
}

TEST_F(StandinSessionTest, TheUserNameIsTheAccounts) {
  const passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(Host().UserName().value(), user->pw_name);
}

TEST_F(StandinSessionTest, TranslatorsAreFoundByDisplayNameAndFillTheirOptions) {
  const std::vector<std::string> translators = {"Autodesk DWG Translator",  "Autodesk DXF Translator",
                                                "Autodesk DWF Translator",  "Autodesk SAT Translator",
                                                "Autodesk IGES Translator", "Autodesk STEP Translator",
                                                "Autodesk STL Translator"};
  for (const std::string& name : translators) EXPECT_TRUE(AddInNamed(Host(), name)) << name;

  const host::DocumentHandle part = Open(Write("p.ipt", Part()));
  const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
  const host::OptionMapHandle options = Host().NewOptionMap().value();
  const host::AddInHandle step = AddInNamed(Host(), "Autodesk STEP Translator");
  ASSERT_TRUE(Host().translators().HasSaveCopyAsOptions(step, part, context, options).value());
  const std::vector<std::string> expected = {"ApplicationProtocolType", "Author", "Authorization", "Description",
                                             "Organization"};
  ASSERT_EQ(Host().OptionCount(options).value(), 5);
  for (std::int32_t i = 1; i <= 5; ++i) EXPECT_EQ(Host().OptionName(options, i).value(), expected[i - 1]);
  EXPECT_FALSE(Host().OptionName(options, 6).ok());

  // Another context offers no options; a part without a shape cannot be
  // written as STEP.
  const host::ContextHandle other = Host().NewTranslationContext(13057).value();
  EXPECT_FALSE(Host().translators().HasSaveCopyAsOptions(step, part, other, Host().NewOptionMap().value()).value());
  const host::DataMediumHandle medium = Host().NewDataMedium((folder_ / "p.stp").string()).value();
  EXPECT_EQ(Host().translators().SaveCopyAs(step, part, context, options, medium).failure().description,
            "The part \"p\" has no geometry.");
  EXPECT_FALSE(folder_.Exists("p.stp"));
}

TEST_F(StandinSessionTest, DrawingTranslatorsWriteContainersWithTheOptionsInEffect) {
  const std::string source = Write("plate.idw", Drawing({Sheet("Sheet:1", 42.0, 29.7)}));
  const host::DocumentHandle drawing = Open(source);
  const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
  const host::OptionMapHandle options = Host().NewOptionMap().value();
  const host::AddInHandle dwg = AddInNamed(Host(), "Autodesk DWG Translator");
  ASSERT_TRUE(Host().translators().HasSaveCopyAsOptions(dwg, drawing, context, options).value());
  ASSERT_TRUE(Host().SetOption(options, Host().OptionName(options, 1).value(), "/cfg/dwgout.ini"s).ok());
  const std::string output = (folder_ / "plate.dwg").string();
  const host::DataMediumHandle medium = Host().NewDataMedium(output).value();
  ASSERT_TRUE(Host().translators().SaveCopyAs(dwg, drawing, context, options, medium).ok());
  EXPECT_EQ(ReadTextFile(output).lines,
            (std::vector<std::string>{"KORRIN STAND-IN CONTAINER", "format 1", "kind DWG", "source " + source,
                                      "document drawing",
                                      "sheet \"Sheet:1\" width 42 height 29.7 size-code 0 border yes title-block yes",
                                      "option Export_Acad_IniFile=/cfg/dwgout.ini"}));

  const host::DocumentHandle part = Open(Write("p.ipt", Part()));
  EXPECT_FALSE(Host().translators().SaveCopyAs(dwg, part, context, options, medium).ok());
  EXPECT_FALSE(Host().translators()
                   .HasSaveCopyAsOptions(AddInNamed(Host(), "Content Library Browser"), part, context, options)
                   .ok());
}

TEST_F(StandinSessionTest, OtherTranslatorsAndCopiesWriteContainersOfTheirKind) {
  const std::string sat = HostUserKey(kTag, "\\Translators\\SatTranslator");
  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::CurrentUser, sat, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, sat, "SaveACISVersion", std::int32_t{6}));
  const std::string partPath = Write("p.ipt", Part());
  const host::DocumentHandle part = Open(partPath);
  const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
  const struct {
    std::string translator;
    host::DocumentHandle document;
    std::string file;
    std::vector<std::string> lines;
  } cases[] = {
      {"Autodesk DWF Translator", part, "p.dwf",
       {"kind DWF", "source " + partPath, "document part", "option Export_Acad_IniFile="}},
      {"Autodesk SAT Translator", part, "p.sat",
       {"kind SAT", "source " + partPath, "document part", "option SaveACISVersion=6"}},
  };
  for (const auto& test : cases) {
    const host::OptionMapHandle options = Host().NewOptionMap().value();
    const host::AddInHandle addIn = AddInNamed(Host(), test.translator);
    ASSERT_TRUE(Host().translators().HasSaveCopyAsOptions(addIn, test.document, context, options).value());
    const std::string path = (folder_ / test.file).string();
    ASSERT_TRUE(
        Host().translators().SaveCopyAs(addIn, test.document, context, options, Host().NewDataMedium(path).value()).ok())
        << test.translator;
    std::vector<std::string> expected = {"KORRIN STAND-IN CONTAINER", "format 1"};
    expected.insert(expected.end(), test.lines.begin(), test.lines.end());
    EXPECT_EQ(ReadTextFile(path).lines, expected) << test.translator;
  }
  // Copies in formats without an open writer are containers too.
  ASSERT_TRUE(Host().documents().SaveAs(part, (folder_ / "p.sat").string(), true).ok());
  EXPECT_EQ(ReadTextFile(folder_ / "p.sat").lines.at(2), "kind SAT");
  EXPECT_EQ(Host().documents().FullFileName(part).value(), partPath);
}

TEST_F(StandinSessionTest, TheReaderReportsReleasesStatusesAndReferences) {
  (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey), "");
  (void)registry_.WriteRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey),
                                     "Path File", "/projects/default.ipj"s);
  standin::StandinDocument old = Part();
  old.release = {5, 3};
  old.needsMigrating = true;
  old.computeStatus = standin::ComputeStatus::OutOfDate;
  Write("parts/old.ipt", old);
  standin::StandinDocument assembly = Part();
  assembly.type = standin::DocumentType::Assembly;
  assembly.references = {{"parts/old.ipt", std::nullopt}, {"parts/gone.ipt", std::nullopt}};
  const std::string top = Write("top.iam", assembly);

  auto reader = connector_.NewApprentice();
  ASSERT_TRUE(reader.ok());
  host::Apprentice& apprentice = *reader.value();
  EXPECT_EQ(apprentice.SoftwareVersion().value(), (host::Release{7, 0}));
  EXPECT_EQ(apprentice.ActiveProjectFile().value(), "/projects/default.ipj");
  const host::DocumentHandle document = apprentice.Open(top).value();
  auto files = apprentice.ReferencedFiles(document).value();
  ASSERT_EQ(files.size(), 2u);
  const host::DocumentHandle part = apprentice.ReferencedDocument(files[0].descriptor).value();
  EXPECT_EQ(apprentice.CreatingRelease(part).value(), (host::Release{5, 3}));
  EXPECT_TRUE(apprentice.NeedsMigrating(part).value());
  EXPECT_EQ(apprentice.ComputeStatus(part).value(), host::kStatusOutOfDate);
  EXPECT_EQ(files[1].referencedDocumentType, host::kUnknownDocument);
  EXPECT_FALSE(apprentice.ReferencedDocument(files[1].descriptor).ok());
  ASSERT_TRUE(apprentice.CloseAll().ok());
  EXPECT_FALSE(apprentice.ComputeStatus(part).ok());
}

TEST_F(StandinSessionTest, PrepareHostClosesTheDocumentsOfTheRunningStandin) {
  Open(Write("a.ipt", Part()));
  Open(Write("b.ipt", Part()));
  testing::FakeProcessTable processes;
  processes.processes = {{1, "Inventor.exe"}};
  testing::ScriptedDialogs dialogs;
  testing::RecordingEventPump events;
  dialogs.ExpectYesNo(
      "There are documents open in current Inventor session\rIt is not recommended to have any documents "
      "openwhile converting\rShould Korrin close these documents ( no save ) ?",
      true);
  EXPECT_TRUE(PrepareHost({connector_, processes, dialogs, events}));
  EXPECT_EQ(Host().DocumentCount().value(), 0);
}

}  // namespace
}  // namespace korrin
