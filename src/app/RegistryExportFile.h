#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/RegistryKeyName.h"
#include "platform/linux/RegistryStore.h"

namespace korrin {

// The text format of registry export files, as the system's own registry
// tools write and read them:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Korrin]
//   "Name"="text with \"quotes\" and \\"
//   @="the key's default value"
//   "Count"=dword:0000000a
//   "Parts"=hex(7):41,00,00,00,00,00
//   "Data"=hex:01,02,ff
//
// Texts of multi-text and expandable values are UTF-16 in such files, as in
// the system's registry; this registry keeps 8-bit text (UTF-8), so they are
// converted both ways. Files are written as UTF-8 with CR LF; files the
// system wrote (UTF-16 with a byte order mark) and "REGEDIT4" files are read.

inline constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";

// The header line and the blank line after it.
std::string RegistryFileStart();
// One key's section: its name in brackets, one line per value, a blank line.
std::string RegistryFileSection(RegistryRoot root, std::string_view path, const std::vector<StoredValue>& values);

// One change a file asks for, in file order.
struct RegistryFileChange {
  enum class Action { CreateKey, DeleteKey, SetValue, DeleteValue };

  Action action = Action::CreateKey;
  RootedKey key;
  StoredValue value;  // SetValue: all of it; DeleteValue: its name
  int line = 0;
};

struct RegistryFileError {
  int line = 0;
  std::string message;
};

struct RegistryFileParse {
  std::vector<RegistryFileChange> changes;
  std::optional<RegistryFileError> error;  // the first malformed line; no changes then
};

RegistryFileParse ParseRegistryFile(std::string_view bytes);

}  // namespace korrin
