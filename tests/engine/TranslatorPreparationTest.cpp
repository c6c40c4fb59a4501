#include "EngineFixture.h"
#include "engine/TranslatorPreparation.h"
#include "host/HostInstallation.h"

namespace korrin {
namespace {

constexpr const char* kStlKey = "\\System\\Preferences\\STL Output";
constexpr const char* kPartKey = "\\System\\Preferences\\Part";
constexpr const char* kIgesKey = "\\Translators\\IgesTranslator";
constexpr const char* kRestart =
    "Inventor needs to be shut down and restarted to implement the new setting.\rAllright to shut down and "
    "restart inventor ?";

class TranslatorPreparationTest : public testing::EngineFixture {
 protected:
  void Options(std::vector<std::string> lines) {
    lines.insert(lines.begin(), "[EXPORTOPTIONS]");
    options_.Replace(lines);
  }

  void MakeKey(const std::string& tag, const std::string& key) {
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(tag, key), "");
  }
  void Set(const std::string& key, const std::string& name, const RegistryWriteValue& value,
           const std::string& tag = kTag) {
    MakeKey(tag, key);
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, key), name, value));
  }
  RegistryValue Get(const std::string& key, const std::string& name, const std::string& tag = kTag) {
    RegistryValue value;
    (void)registry_.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, key), name, value);
    return value;
  }

  // The stand-in host running, as the process list shows it.
  void HostRunning() {
    (void)Host();
    processes_.processes.push_back({4711, "Inventor.exe"});
  }

  TranslatorPreparation Preparation(const std::string& tag = kTag) {
    return {registry_, tag, dialogs_, processes_, connector_, events_, options_};
  }
};

TEST_F(TranslatorPreparationTest, StlWritesTheChosenLevelAndAsksOnlyWhenARunningHostReadAnother) {
  Options({"STLHigh=20000", "STLMedium=500", "STLLow=2000", "STLValue=2"});
  Set(kStlKey, "Medium Resolution", std::string("500"));
  Set(kStlKey, "High Resolution", std::string("1"));
  HostRunning();
  // Equal as numbers: nothing asked, the level rewritten as the option's text.
  EXPECT_TRUE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "Medium Resolution"), RegistryValue(std::string("500")));
  Set(kStlKey, "Medium Resolution", std::string("0500"));
  EXPECT_TRUE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "High Resolution"), RegistryValue(std::string("1")));
  EXPECT_TRUE(dialogs_.shown().empty());

  Set(kStlKey, "Medium Resolution", std::string("6300"));
  dialogs_.ExpectYesNo("Registry value ( 6300 ) is different from current setting ( 500 )\r" + std::string(kRestart),
                       false);
  EXPECT_FALSE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "Medium Resolution"), RegistryValue(std::string("6300")));
  EXPECT_TRUE(connector_.GetRunning().ok()) << "No keeps the host";

  dialogs_.ExpectYesNo("Registry value ( 6300 ) is different from current setting ( 500 )\r" + std::string(kRestart),
                       true);
  EXPECT_TRUE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "Medium Resolution"), RegistryValue(std::string("500")));
  EXPECT_FALSE(connector_.GetRunning().ok()) << "the host quit";
  EXPECT_EQ(processes_.terminated, std::vector<std::int64_t>{4711});
}

TEST_F(TranslatorPreparationTest, StlWithoutAHostWritesWithoutAsking) {
  Options({"STLHigh=15000", "STLMedium=500", "STLLow=2000", "STLValue=1"});
  Set(kStlKey, "High Resolution", std::string("20000"));
  EXPECT_TRUE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "High Resolution"), RegistryValue(std::string("15000")));
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(TranslatorPreparationTest, StlRefusesAMissingKeyOrValueAndIgnoresAnUnknownLevel) {
  Options({"STLHigh=20000", "STLMedium=500", "STLLow=2000", "STLValue=3"});
  dialogs_.ExpectMessage(
      "Inventor isn't properly installed. No registration for STL-exporting present.\rCheck Your Inventor "
      "installation ( use repair ) and try again");
  EXPECT_FALSE(PrepareStlResolution(Preparation()));

  MakeKey(kTag, kStlKey);
  dialogs_.ExpectMessage("Couldn't read STL - Low Resolution Value from Registry, export canceled");
  EXPECT_FALSE(PrepareStlResolution(Preparation()));

  Options({"STLHigh=20000", "STLMedium=500", "STLLow=2000", "STLValue=4"});
  EXPECT_TRUE(PrepareStlResolution(Preparation()));
  EXPECT_EQ(Get(kStlKey, "Low Resolution"), RegistryValue());
}

TEST_F(TranslatorPreparationTest, ImportsWriteTheSwitchesWhereEachReleaseKeepsThem) {
  Options({"IGSImportHealing=1", "IGSImportStitch=0"});
  struct Case {
    const char* tag;
    bool step;
    const char* healingKey;
    const char* healingName;
  };
  for (const Case& c : {Case{"RegistryVersion7.0", false, kIgesKey, "EnableHealing"},
                        Case{"RegistryVersion7.0", true, kIgesKey, "EnableHealing"},
                        Case{"RegistryVersion5.2", false, "\\Translators\\StepTranslator", "EnableHealing"},
                        Case{"RegistryVersion5.2", true, "\\System\\Preferences\\File", "DoHealing"}}) {
    Set(c.healingKey, c.healingName, std::int32_t{0}, c.tag);
    Set(kPartKey, "AutoStitchAndPromote", std::int32_t{1}, c.tag);
    const bool prepared = c.step ? PrepareStepImport(Preparation(c.tag)) : PrepareIgesImport(Preparation(c.tag));
    EXPECT_TRUE(prepared) << c.tag << (c.step ? " STEP" : " IGES");
    EXPECT_EQ(Get(c.healingKey, c.healingName, c.tag), RegistryValue(std::int32_t{1})) << c.tag << c.step;
    EXPECT_EQ(Get(kPartKey, "AutoStitchAndPromote", c.tag), RegistryValue(std::int32_t{0})) << c.tag << c.step;
  }
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(TranslatorPreparationTest, ImportSwitchesCompareAndWriteAs32BitNumbers) {
  HostRunning();
  Options({"IGSImportHealing=40000", "IGSImportStitch=70000"});
  Set(kIgesKey, "EnableHealing", std::int32_t{40000});
  Set(kPartKey, "AutoStitchAndPromote", std::string("70000"));
  EXPECT_TRUE(PrepareIgesImport(Preparation()));
  EXPECT_TRUE(dialogs_.shown().empty());
  EXPECT_EQ(Get(kIgesKey, "EnableHealing"), RegistryValue(std::int32_t{40000}));
  EXPECT_EQ(Get(kPartKey, "AutoStitchAndPromote"), RegistryValue(std::int32_t{70000}));

  // Values that agree only in their low 16 bits differ.
  Set(kPartKey, "AutoStitchAndPromote", std::string("4464"));
  dialogs_.ExpectYesNo(kRestart, false);
  EXPECT_FALSE(PrepareStepImport(Preparation()));
  EXPECT_EQ(Get(kPartKey, "AutoStitchAndPromote"), RegistryValue(std::string("4464")));
}

TEST_F(TranslatorPreparationTest, ImportReportsMissingKeysAndValues) {
  Options({"IGSImportHealing=1", "IGSImportStitch=1"});
  dialogs_.ExpectMessage("Couldn't read translator import information in registrationdatabase ( Enable Healing ) ");
  EXPECT_FALSE(PrepareIgesImport(Preparation()));
  MakeKey(kTag, kIgesKey);
  dialogs_.ExpectMessage(
      "Couldn't read translator import information in registrationdatabase ( Autostitch and Promote ) ");
  EXPECT_FALSE(PrepareIgesImport(Preparation()));

  // Values missing from existing keys are reported, count as 0 and are written.
  MakeKey(kTag, kPartKey);
  HostRunning();
  dialogs_.ExpectMessage("Couldn't read translator import information in registrationdatabase ( enablehealing )")
      .ExpectMessage("Couldn't read translator import information in registrationdatabase ( Autostitch and Promote ) ")
      .ExpectYesNo(kRestart, true);
  EXPECT_TRUE(PrepareIgesImport(Preparation()));
  EXPECT_EQ(Get(kIgesKey, "EnableHealing"), RegistryValue(std::int32_t{1}));
  EXPECT_EQ(Get(kPartKey, "AutoStitchAndPromote"), RegistryValue(std::int32_t{1}));
  EXPECT_FALSE(connector_.GetRunning().ok());
}

TEST_F(TranslatorPreparationTest, ShuttingDownClosesDocumentsOnlyWhenAllowed) {
  const std::string part = Write("a.ipt", Part());
  HostRunning();
  (void)Open(part);
  dialogs_.ExpectYesNo("There are documents open in Inventor\rAllright to close ( no save ) these documents ?", false);
  EXPECT_FALSE(ShutDownHostForSettings(Preparation(), ShutDownVariant::Import));
  EXPECT_EQ(Host().DocumentCount().value(), 1);

  dialogs_.ExpectYesNo("There are documents open in Inventor\rAllright to close ( no save ) these documents ?", true);
  EXPECT_TRUE(ShutDownHostForSettings(Preparation(), ShutDownVariant::Import));
  EXPECT_FALSE(Host().DocumentCount().ok()) << "the host quit";
  EXPECT_EQ(processes_.terminated, std::vector<std::int64_t>{4711});
}

TEST_F(TranslatorPreparationTest, AHostThatCannotBeReachedIsEndedOnlyWhenTheUserAgrees) {
  processes_.processes.push_back({4711, "Inventor.exe"});
  const std::string question =
      "Couldn't connect to Inventor to shut it down gracefully.\rShould Korrin force Inventor to shut down ( "
      "Documents will be lost ) ?";
  dialogs_.ExpectYesNo(question, false);
  EXPECT_FALSE(ShutDownHostForSettings(Preparation(), ShutDownVariant::Stl));
  EXPECT_TRUE(processes_.terminated.empty());
  dialogs_.ExpectYesNo(question, true);
  EXPECT_TRUE(ShutDownHostForSettings(Preparation(), ShutDownVariant::Stl));
  EXPECT_EQ(processes_.terminated, std::vector<std::int64_t>{4711});
}

}  // namespace
}  // namespace korrin
