#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "formats/OptionKeys.h"
#include "formats/OptionSets.h"
#include "settings/ExportTemplateFile.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"
#include "support/FakePrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

const std::filesystem::path kShipped = std::filesystem::path(KORRIN_DATA_DIR) / "KorrinExportTemplate.INI";

std::string ShippedBytes() {
  std::ifstream in(kShipped, std::ios::binary);
  EXPECT_TRUE(in) << kShipped;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedTemplateTest, HoldsEveryOptionKeyOnceWithItsDefault) {
  const TextFileRead read = ReadTextFile(kShipped);
  ASSERT_TRUE(read.complete()) << kShipped;
  ASSERT_FALSE(read.lines.empty());
  EXPECT_EQ(read.lines.front(), "[EXPORTOPTIONS]");

  std::map<std::string, std::vector<std::string>> valuesByKey;  // upper-cased key
  for (std::size_t i = 1; i < read.lines.size(); ++i) {
    const std::string& line = read.lines[i];
    if (line.starts_with(";")) continue;
    const std::size_t equals = line.find('=');
    EXPECT_TRUE(equals != std::string::npos && equals > 0) << "neither comment nor key=value: " << line;
    if (equals == std::string::npos) continue;
    valuesByKey[ToUpperAscii(line.substr(0, equals))].push_back(line.substr(equals + 1));
  }
  for (const OptionSetKeys& set : AllOptionSetKeys()) {
    for (const OptionKey& key : set.keys) {
      // Exactly one line, holding the default; what remains afterwards is no option key.
      const std::string upper = ToUpperAscii(key.key);
      EXPECT_EQ(valuesByKey[upper], std::vector<std::string>{std::string(key.defaultValue)}) << key.key;
      valuesByKey.erase(upper);
    }
  }
  for (const auto& [key, values] : valuesByKey) ADD_FAILURE() << "not an option key: " << key;
}

TEST(ShippedTemplateTest, EveryLineEndsWithCrLf) {
  const std::string bytes = ShippedBytes();
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  // Every CR and every LF belongs to a CR LF pair.
  std::size_t pairs = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++pairs;
  EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')), pairs);
  EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), pairs);
}

TEST(ShippedTemplateTest, LoadAndSaveLeaveItByteForByte) {
  const std::string shipped = ShippedBytes();
  testing::TemporaryFolder folder;
  folder.Write("KorrinExportTemplate.INI", shipped);
  testing::ScriptedDialogs dialogs;  // no box may be shown
  ExportTemplateLines store;
  ASSERT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::Loaded);

  testing::FakePrinters printers;  // no default printer: "Default" stays as written
  OptionSetsInMemory form;
  ASSERT_EQ(LoadAllOptionSets(true, store, form, printers), std::nullopt);
  // Blank every value, so the saved ones can only come from the tabs.
  std::vector<std::string> blanked = store.lines();
  for (std::string& line : blanked) {
    if (line.find('=') != std::string::npos) line.resize(line.find('=') + 1);
  }
  store.Replace(blanked);

  ASSERT_TRUE(SaveExportTemplate(folder.string(), store, [&] { ApplyExportSettings(form, store); }, dialogs));
  EXPECT_EQ(folder.Read("KorrinExportTemplate.INI"), shipped);
  EXPECT_EQ(folder.Read("KorrinExportTemplate.bak"), shipped);
}

}  // namespace
}  // namespace korrin
