#include "app/RegistryTool.h"

#include <charconv>
#include <fstream>
#include <istream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "app/RegistryExportFile.h"
#include "app/RegistryKeyName.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongUsage = 2;

constexpr const char* kSuccess = "The operation completed successfully.";
constexpr const char* kNotFound = "ERROR: The system was unable to find the specified registry key or value.";
constexpr const char* kCancelled = "The operation was cancelled; nothing was changed.";
constexpr const char* kUsage =
    "Usage:\n"
    "  korrin-reg query KEY [/v NAME | /ve] [/s]\n"
    "  korrin-reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_MULTI_SZ|REG_BINARY] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  korrin-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  korrin-reg export KEY FILE [/y]\n"
    "  korrin-reg import FILE\n"
    "KEY starts with its root: HKEY_CURRENT_USER (HKCU) or HKEY_LOCAL_MACHINE (HKLM).\n"
    "The registry folder is KORRIN_REGISTRY, else korrin/registry in the user's data folder.\n";

constexpr std::uint32_t kExpandableText = 2;

// --- command lines ------------------------------------------------------------

// A command's arguments: switches it knows ("/v NAME", "/f"; "-v" works
// too, any case) and the rest in order. A text is a switch only when the
// command knows it, so a file path like "/tmp/keys.reg" stays an argument.
struct CommandLine {
  std::vector<std::string> positional;
  std::map<std::string, std::string> switches;  // lower-cased name without prefix

  bool Has(const std::string& name) const { return switches.count(name) != 0; }
  std::string Get(const std::string& name) const { return Has(name) ? switches.at(name) : ""; }
};

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments, std::size_t first,
                                            const std::vector<std::string>& withValue,
                                            const std::vector<std::string>& flags, std::ostream& err) {
  CommandLine line;
  auto known = [](const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& candidate : names) {
      if (candidate == name) return true;
    }
    return false;
  };
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string name;
    if (argument.size() > 1 && (argument[0] == '/' || argument[0] == '-')) {
      for (char c : argument.substr(1)) name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (known(flags, name)) {
      line.switches[name] = "";
    } else if (known(withValue, name)) {
      if (i + 1 == arguments.size()) {
        err << "ERROR: " << argument << " needs a value.\n";
        return std::nullopt;
      }
      line.switches[name] = arguments[++i];
    } else {
      line.positional.push_back(argument);
    }
  }
  return line;
}

// --- showing values -------------------------------------------------------------

std::string KindName(std::uint32_t kind) {
  static const std::map<std::uint32_t, std::string> kNames{
      {0, "REG_NONE"},  {1, "REG_SZ"},   {2, "REG_EXPAND_SZ"},       {3, "REG_BINARY"},
      {4, "REG_DWORD"}, {5, "REG_DWORD_BIG_ENDIAN"}, {6, "REG_LINK"}, {7, "REG_MULTI_SZ"},
      {8, "REG_RESOURCE_LIST"}, {11, "REG_QWORD"}};
  const auto found = kNames.find(kind);
  return found != kNames.end() ? found->second : "REG_KIND_" + std::to_string(kind);
}

std::string HexText(std::string_view bytes, bool upper) {
  const std::string_view digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += digits[byte >> 4];
    text += digits[byte & 0x0F];
  }
  return text;
}

std::string ShownData(const StoredValue& value) {
  const std::string& data = value.data;
  if (value.kind == static_cast<std::uint32_t>(RegistryKind::Text) || value.kind == kExpandableText) {
    return TextBeforeNul(data);
  }
  if (value.kind == static_cast<std::uint32_t>(RegistryKind::Number) && data.size() == 4) {
    std::string bigEndian(data.rbegin(), data.rend());
    std::string digits = HexText(bigEndian, false);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return "0x" + digits;
  }
  if (value.kind == static_cast<std::uint32_t>(RegistryKind::MultiText)) {
    std::string shown;
    std::string_view rest = data;
    while (!rest.empty() && rest.front() != '\0') {
      const std::size_t end = rest.find('\0');
      if (!shown.empty()) shown += "\\0";
      shown += rest.substr(0, end);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
    return shown;
  }
  return HexText(data, true);
}

std::string ValueListing(const StoredValue& value) {
  return "    " + (value.name.empty() ? std::string("(Default)") : value.name) + "    " + KindName(value.kind) +
         "    " + ShownData(value) + "\n";
}

// --- data given on the command line ----------------------------------------

// Decimal, or hexadecimal after "0x"; 32 bits at most.
std::optional<std::uint32_t> NumberFromText(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text.remove_prefix(2);
  std::uint32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, hex ? 16 : 10);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// Each part ends with a NUL, and one more NUL ends the list.
std::string MultiTextData(std::string_view text, std::string_view separator) {
  std::string data;
  while (!text.empty()) {
    const std::size_t end = text.find(separator);
    data.append(text.substr(0, end)).push_back('\0');
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + separator.size());
  }
  data.push_back('\0');
  return data;
}

std::optional<std::string> BytesFromHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (error != std::errc() || end != text.data() + i + 2) return std::nullopt;
    bytes.push_back(static_cast<char>(byte));
  }
  return bytes;
}

// --- the commands -----------------------------------------------------------------

class RegistryTool {
 public:
  RegistryTool(RegistryStore& store, std::istream& in, std::ostream& out, std::ostream& err)
      : store_(store), in_(in), out_(out), err_(err) {}

  int Run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Usage();
    const std::string command = ToUpperAscii(arguments[0]);
    if (command == "QUERY") return Query(arguments);
    if (command == "ADD") return Add(arguments);
    if (command == "DELETE") return Delete(arguments);
    if (command == "EXPORT") return Export(arguments);
    if (command == "IMPORT") return Import(arguments);
    err_ << "ERROR: Unknown command \"" << arguments[0] << "\".\n";
    return Usage();
  }

 private:
  int Usage() {
    err_ << kUsage;
    return kWrongUsage;
  }

  int Failed(const std::string& message) {
    err_ << message << "\n";
    return kFailed;
  }

  int Done() {
    out_ << kSuccess << "\n";
    return kDone;
  }

  std::optional<RootedKey> KeyArgument(const std::string& text) {
    auto key = ParseRootedKey(text);
    if (!key) {
      err_ << "ERROR: Invalid key name \"" << text
           << "\": it must start with HKEY_CURRENT_USER, HKCU, HKEY_LOCAL_MACHINE or HKLM.\n";
    }
    return key;
  }

  bool Confirmed(const std::string& question) {
    out_ << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) {
      out_ << "\n";
      return false;
    }
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
  }

  struct KeyContents {
    std::vector<StoredValue> values;
    std::vector<SubKeyRecord> subKeys;
  };

  // The key's values and sub-keys; nothing, with the error shown, when
  // either cannot be read.
  std::optional<KeyContents> Contents(const RegistryKey& key) {
    auto values = store_.Values(key);
    auto subKeys = store_.SubKeys(key);
    if (!values || !subKeys) {
      err_ << "ERROR: " << (!values ? values.failure() : subKeys.failure()).description << "\n";
      return std::nullopt;
    }
    return KeyContents{std::move(values).value(), std::move(subKeys).value()};
  }

  static std::string ChildPath(const RegistryKey& key, const std::string& name) {
    return key.path.empty() ? name : key.path + "\\" + name;
  }

  // A value name from /v or /ve; nothing when neither was given.
  static std::optional<std::string> ValueName(const CommandLine& line) {
    if (line.Has("ve")) return std::string();
    if (line.Has("v")) return line.Get("v");
    return std::nullopt;
  }

  int Query(const std::vector<std::string>& arguments) {
    const auto line = ParseCommandLine(arguments, 1, {"v"}, {"ve", "s"}, err_);
    if (!line || line->positional.size() != 1) return Usage();
    const auto key = KeyArgument(line->positional[0]);
    if (!key) return kFailed;
    auto open = store_.OpenKey(key->root, key->path, RegistryAccess::Read);
    if (!open) return Failed(kNotFound);
    const auto name = ValueName(*line);
    if (line->Has("s")) {
      int matches = 0;
      if (!ListTree(open.value(), name, matches)) return kFailed;
      if (name) out_ << "\nEnd of search: " << matches << " match(es) found.\n";
      if (name && matches == 0) return kFailed;
      return kDone;
    }
    if (name) {
      auto value = store_.ReadValue(open.value(), *name);
      if (!value || !value.value()) return Failed(kNotFound);
      out_ << "\n" << FullKeyName(key->root, open.value().path) << "\n" << ValueListing(*value.value()) << "\n";
      return kDone;
    }
    const auto contents = Contents(open.value());
    if (!contents) return kFailed;
    out_ << "\n" << FullKeyName(key->root, open.value().path) << "\n";
    for (const StoredValue& value : contents->values) out_ << ValueListing(value);
    if (!contents->subKeys.empty()) out_ << "\n";
    for (const SubKeyRecord& sub : contents->subKeys) {
      out_ << FullKeyName(key->root, ChildPath(open.value(), sub.name)) << "\n";
    }
    return kDone;
  }

  // Every key below and including key, each with its values (or only the
  // named one, counted in matches).
  bool ListTree(const RegistryKey& key, const std::optional<std::string>& name, int& matches) {
    const auto contents = Contents(key);
    if (!contents) return false;
    std::string listing;
    for (const StoredValue& value : contents->values) {
      if (name && !EqualsIgnoringCase(value.name, *name)) continue;
      listing += ValueListing(value);
      ++matches;
    }
    if (!name || !listing.empty()) out_ << "\n" << FullKeyName(key.root, key.path) << "\n" << listing;
    for (const SubKeyRecord& sub : contents->subKeys) {
      auto child = store_.OpenKey(key.root, ChildPath(key, sub.name), key.access);
      if (child && !ListTree(child.value(), name, matches)) return false;
    }
    return true;
  }

  std::optional<StoredValue> ValueToAdd(const CommandLine& line, std::string name) {
    const std::string type = line.Has("t") ? ToUpperAscii(line.Get("t")) : "REG_SZ";
    const std::string data = line.Get("d");
    StoredValue value{std::move(name), 0, ""};
    if (type == "REG_SZ") {
      value.kind = static_cast<std::uint32_t>(RegistryKind::Text);
      value.data = TextData(data);
    } else if (type == "REG_DWORD") {
      const auto number = NumberFromText(data);
      if (!number) {
        err_ << "ERROR: Invalid data for REG_DWORD: \"" << data
             << "\" (a number from 0 to 4294967295, decimal or 0x hexadecimal).\n";
        return std::nullopt;
      }
      value.kind = static_cast<std::uint32_t>(RegistryKind::Number);
      value.data = NumberData(*number);
    } else if (type == "REG_MULTI_SZ") {
      const std::string separator = line.Has("s") ? line.Get("s") : "\\0";
      if (separator.empty()) {
        err_ << "ERROR: The separator given with /s must not be empty.\n";
        return std::nullopt;
      }
      value.kind = static_cast<std::uint32_t>(RegistryKind::MultiText);
      value.data = MultiTextData(data, separator);
    } else if (type == "REG_BINARY") {
      auto bytes = BytesFromHex(data);
      if (!bytes) {
        err_ << "ERROR: Invalid data for REG_BINARY: \"" << data << "\" (pairs of hexadecimal digits).\n";
        return std::nullopt;
      }
      value.kind = static_cast<std::uint32_t>(RegistryKind::Binary);
      value.data = std::move(*bytes);
    } else {
      err_ << "ERROR: Invalid type \"" << line.Get("t")
           << "\": it must be REG_SZ, REG_DWORD, REG_MULTI_SZ or REG_BINARY.\n";
      return std::nullopt;
    }
    return value;
  }

  int Add(const std::vector<std::string>& arguments) {
    const auto line = ParseCommandLine(arguments, 1, {"v", "t", "s", "d"}, {"ve", "f"}, err_);
    if (!line || line->positional.size() != 1) return Usage();
    const auto key = KeyArgument(line->positional[0]);
    if (!key) return kFailed;
    const auto name = ValueName(*line);
    std::optional<StoredValue> value;
    if (name) {
      value = ValueToAdd(*line, *name);
      if (!value) return kFailed;
    }
    if (auto created = store_.CreateKey(key->root, key->path, ""); !created) {
      return Failed("ERROR: " + created.failure().description);
    }
    if (!value) return Done();
    auto open = store_.OpenKey(key->root, key->path, RegistryAccess::Full);
    if (!open) return Failed("ERROR: " + open.failure().description);
    auto existing = store_.ReadValue(open.value(), value->name);
    if (existing.ok() && existing.value() && !line->Has("f") &&
        !Confirmed("Value " + (value->name.empty() ? std::string("(Default)") : value->name) + " exists, overwrite")) {
      return Failed(kCancelled);
    }
    if (Status written = store_.WriteValue(open.value(), *value); !written) {
      return Failed("ERROR: " + written.failure().description);
    }
    return Done();
  }

  int Delete(const std::vector<std::string>& arguments) {
    const auto line = ParseCommandLine(arguments, 1, {"v"}, {"ve", "va", "f"}, err_);
    if (!line || line->positional.size() != 1) return Usage();
    const auto key = KeyArgument(line->positional[0]);
    if (!key) return kFailed;
    auto open = store_.OpenKey(key->root, key->path, RegistryAccess::Full);
    if (!open) return Failed(kNotFound);
    const std::string keyName = FullKeyName(key->root, open.value().path);
    const auto name = ValueName(*line);
    if (line->Has("va")) {
      if (!line->Has("f") && !Confirmed("Delete all values under the registry key " + keyName)) return Failed(kCancelled);
      auto values = store_.Values(open.value());
      if (!values) return Failed("ERROR: " + values.failure().description);
      for (const StoredValue& value : values.value()) {
        if (Status removed = store_.DeleteValue(open.value(), value.name); !removed) {
          return Failed("ERROR: " + removed.failure().description);
        }
      }
      return Done();
    }
    if (name) {
      auto existing = store_.ReadValue(open.value(), *name);
      if (!existing.ok() || !existing.value()) return Failed(kNotFound);
      const std::string shown = name->empty() ? "(Default)" : *name;
      if (!line->Has("f") && !Confirmed("Delete the registry value " + shown)) return Failed(kCancelled);
      if (Status removed = store_.DeleteValue(open.value(), *name); !removed) {
        return Failed("ERROR: " + removed.failure().description);
      }
      return Done();
    }
    if (key->path.empty()) return Failed("ERROR: A root key cannot be deleted.");
    if (!line->Has("f") && !Confirmed("Permanently delete the registry key " + keyName)) return Failed(kCancelled);
    if (Status removed = store_.DeleteKey(key->root, key->path); !removed) {
      return Failed("ERROR: " + removed.failure().description);
    }
    return Done();
  }

  bool AppendSections(const RegistryKey& key, std::string& text) {
    const auto contents = Contents(key);
    if (!contents) return false;
    text += RegistryFileSection(key.root, key.path, contents->values);
    for (const SubKeyRecord& sub : contents->subKeys) {
      auto child = store_.OpenKey(key.root, ChildPath(key, sub.name), key.access);
      if (child && !AppendSections(child.value(), text)) return false;
    }
    return true;
  }

  int Export(const std::vector<std::string>& arguments) {
    const auto line = ParseCommandLine(arguments, 1, {}, {"y"}, err_);
    if (!line || line->positional.size() != 2) return Usage();
    const auto key = KeyArgument(line->positional[0]);
    if (!key) return kFailed;
    const std::string& file = line->positional[1];
    auto open = store_.OpenKey(key->root, key->path, RegistryAccess::Read);
    if (!open) return Failed(kNotFound);
    std::string text = RegistryFileStart();
    if (!AppendSections(open.value(), text)) return kFailed;
    std::ifstream existing(file);
    if (existing.is_open() && !line->Has("y") && !Confirmed("File " + file + " already exists. Overwrite")) {
      return Failed(kCancelled);
    }
    auto replacement = FileReplacement::Start(file);
    if (!replacement) return Failed("ERROR: Cannot write " + file + ": " + replacement.failure().description);
    if (Status written = replacement.value().CommitBytes(text); !written) {
      return Failed("ERROR: Cannot write " + file + ": " + written.failure().description);
    }
    return Done();
  }

  int Import(const std::vector<std::string>& arguments) {
    const auto line = ParseCommandLine(arguments, 1, {}, {}, err_);
    if (!line || line->positional.size() != 1) return Usage();
    const std::string& file = line->positional[0];
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return Failed("ERROR: Cannot open " + file + ".");
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) return Failed("ERROR: Cannot read " + file + ".");
    // The whole file is checked first: a malformed line changes nothing.
    const RegistryFileParse parse = ParseRegistryFile(bytes);
    if (parse.error) {
      return Failed("ERROR: " + file + " line " + std::to_string(parse.error->line) + ": " + parse.error->message + ".");
    }
    for (const RegistryFileChange& change : parse.changes) {
      if (Status applied = Apply(change); !applied) {
        return Failed("ERROR: " + file + " line " + std::to_string(change.line) + ": " + applied.failure().description);
      }
    }
    return Done();
  }

  Status Apply(const RegistryFileChange& change) {
    using Action = RegistryFileChange::Action;
    switch (change.action) {
      case Action::CreateKey: {
        auto created = store_.CreateKey(change.key.root, change.key.path, "");
        return created ? Status() : Status(created.failure());
      }
      case Action::DeleteKey: {
        // Deleting what is not there leaves the registry as the file wants it.
        Status removed = store_.DeleteKey(change.key.root, change.key.path);
        return removed || removed.failure().number == kRegistryNotFound ? Status() : removed;
      }
      case Action::SetValue:
      case Action::DeleteValue: {
        auto open = store_.OpenKey(change.key.root, change.key.path, RegistryAccess::Full);
        if (!open) return open.failure();
        if (change.action == Action::SetValue) return store_.WriteValue(open.value(), change.value);
        Status removed = store_.DeleteValue(open.value(), change.value.name);
        return removed || removed.failure().number == kRegistryNotFound ? Status() : removed;
      }
    }
    return {};
  }

  RegistryStore& store_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunRegistryTool(RegistryStore& store, const std::vector<std::string>& arguments, std::istream& in,
                    std::ostream& out, std::ostream& err) {
  return RegistryTool(store, in, out, err).Run(arguments);
}

}  // namespace korrin
