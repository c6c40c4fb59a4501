// Translator settings files (dwgout.ini, dwgin.ini ...): any bytes loaded as
// rows, each row's editor chosen, and the rows saved over the file, whose
// old bytes must then be the backup.
#include <cstdint>
#include <fstream>
#include <iterator>

#include "FuzzInput.h"
#include "settings/SettingsList.h"
#include "settings/TranslatorSettingsEditor.h"
#include "settings/TranslatorSettingsFile.h"

namespace {

std::string BytesOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const std::string_view bytes = InputBytes(data, size);
  const std::filesystem::path file = WriteScratchFile("dwgout.ini", bytes);
  AnsweringDialogs dialogs;
  const SettingsListLoad load = LoadSettingsList(file, dialogs);
  Require(load.complete, "a file just written reads whole");

  const TranslatorEditContext context{"/opt/host/Templates/", "RegistryVersion7.0", "*.DWG", '/'};
  for (const SettingsListRow& row : load.rows) {
    const TranslatorEditor editor = TranslatorEditorFor(row, context);
    (void)TranslatorValueAfterEdit(row, editor, MenuItemChosen{1}, '/');
    (void)TranslatorValueAfterEdit(row, editor, TextEntered{"Yes"}, '/');
  }

  Require(static_cast<bool>(SaveTranslatorSettings(file, load.rows)), "the rows are saved over the file");
  Require(BytesOf(TranslatorSettingsBackupPath(file)) == bytes, "the backup holds the file saved over");
  Require(LoadSettingsList(file, dialogs).rows == load.rows, "the saved rows read back row for row");
  return 0;
}
