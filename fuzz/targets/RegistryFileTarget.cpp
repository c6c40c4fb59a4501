// .reg files as korrin-reg imports them: any bytes parsed, and every value a
// parse accepts written as a section and parsed again.
#include <cstdint>

#include "FuzzInput.h"
#include "app/RegistryExportFile.h"
#include "settings/Registry.h"
#include "settings/TextEncoding.h"

namespace {

constexpr std::uint32_t kExpandableTextKind = 2;

// Text kept as UTF-16 in the file survives the trip only when it is UTF-8
// already: other bytes are read as Latin-1 on the way out, by design.
bool SurvivesUtf16(const korrin::StoredValue& value) {
  if (value.kind != static_cast<std::uint32_t>(korrin::RegistryKind::MultiText) && value.kind != kExpandableTextKind) {
    return true;
  }
  return korrin::Utf16LeToUtf8(korrin::Utf8ToUtf16Le(value.data)) == value.data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const RegistryFileParse parse = ParseRegistryFile(InputBytes(data, size));
  if (parse.error) {
    Require(parse.changes.empty(), "a malformed file asks for no change");
    return 0;
  }
  for (const RegistryFileChange& change : parse.changes) {
    if (change.action != RegistryFileChange::Action::SetValue || !SurvivesUtf16(change.value)) continue;
    const std::string text = RegistryFileStart() + RegistryFileSection(change.key.root, change.key.path, {change.value});
    const RegistryFileParse again = ParseRegistryFile(text);
    Require(!again.error, "a written value parses");
    bool found = false;
    for (const RegistryFileChange& written : again.changes) {
      if (written.action == RegistryFileChange::Action::SetValue) found = written.value == change.value;
    }
    Require(found, "a written value reads back the same");
  }
  return 0;
}
