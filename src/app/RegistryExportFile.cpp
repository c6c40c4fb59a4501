#include "app/RegistryExportFile.h"

#include <charconv>
#include <cstdint>

#include "settings/TextCase.h"
#include "settings/TextEncoding.h"

namespace korrin {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kOldHeader = "REGEDIT4";
// Hex data lines wrap before this column, continued with "\" on the next
// line after two blanks, as the system's tools write them.
constexpr std::size_t kWrapColumn = 77;

bool IsUtf16Kind(std::uint32_t kind) {
  return kind == static_cast<std::uint32_t>(RegistryKind::MultiText) || kind == 2;  // expandable text
}

// --- writing ------------------------------------------------------------------

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

std::string HexData(std::string_view prefix, std::string_view bytes) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string out(prefix);
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (out.size() - lineStart + 3 > kWrapColumn) {
      out += '\\';
      out += kLineEnd;
      lineStart = out.size();
      out += "  ";
    }
  }
  return out;
}

std::string KindPrefix(std::uint32_t kind) {
  if (kind == static_cast<std::uint32_t>(RegistryKind::Binary)) return "hex:";
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string number;
  do {
    number.insert(number.begin(), kDigits[kind % 16]);
    kind /= 16;
  } while (kind != 0);
  return "hex(" + number + "):";
}

std::string ValueLine(const StoredValue& value) {
  std::string line = value.name.empty() ? "@=" : Quoted(value.name) + "=";
  const std::string_view data = value.data;
  // Quoted text is one line with one NUL, its end; any other text goes out as
  // bytes, since a line break inside quotes would split the value in two.
  if (value.kind == static_cast<std::uint32_t>(RegistryKind::Text) && !data.empty() && data.back() == '\0' &&
      data.find('\0') == data.size() - 1 && data.find_first_of("\r\n") == std::string_view::npos) {
    return line + Quoted(data.substr(0, data.size() - 1));
  }
  if (value.kind == static_cast<std::uint32_t>(RegistryKind::Number) && data.size() == 4) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string digits = "dword:";
    for (int i = 3; i >= 0; --i) {
      const auto byte = static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
      digits += kDigits[byte >> 4];
      digits += kDigits[byte & 0x0F];
    }
    return line + digits;
  }
  const std::string bytes = IsUtf16Kind(value.kind) ? Utf8ToUtf16Le(data) : std::string(data);
  return HexData(line + KindPrefix(value.kind), bytes);
}

// --- reading ------------------------------------------------------------------

struct FileLine {
  int number = 0;
  std::string text;
};

std::string Decoded(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(bytes.substr(2));
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  return std::string(bytes);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Splits into lines, joining lines that end with "\" (long hex data) with
// the next one; a joined line carries the number of its first line.
std::vector<FileLine> LogicalLines(std::string_view text) {
  std::vector<FileLine> lines;
  bool continued = false;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = Trimmed(line);
    const bool continues = !trimmed.empty() && trimmed.back() == '\\' && trimmed.front() != '[';
    std::string_view content = continued ? trimmed : line;
    if (continues) content = trimmed.substr(0, trimmed.size() - 1);
    if (continued) {
      lines.back().text += content;
    } else {
      lines.push_back(FileLine{number, std::string(content)});
    }
    continued = continues;
  }
  return lines;
}

class LineParser {
 public:
  LineParser(std::string_view text, bool unicodeFile) : rest_(text), unicodeFile_(unicodeFile) {}

  std::optional<std::string> QuotedText() {
    if (rest_.empty() || rest_.front() != '"') return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < rest_.size(); ++i) {
      const char c = rest_[i];
      if (c == '"') {
        rest_.remove_prefix(i + 1);
        return text;
      }
      // Only a backslash and a quote are escaped.
      if (c == '\\' && i + 1 < rest_.size()) ++i;
      text += rest_[i];
    }
    return std::nullopt;
  }

  bool Take(std::string_view expected) {
    if (rest_.size() < expected.size() || !EqualsIgnoringCase(rest_.substr(0, expected.size()), expected)) return false;
    rest_.remove_prefix(expected.size());
    return true;
  }

  // After "hex:" or "hex(n):": comma-separated byte pairs, possibly none.
  std::optional<std::string> HexBytes() {
    std::string bytes;
    std::string_view data = Trimmed(rest_);
    rest_ = {};
    while (!data.empty()) {
      const std::size_t comma = data.find(',');
      const std::string_view pair = Trimmed(data.substr(0, comma));
      unsigned value = 0;
      const auto [end, error] = std::from_chars(pair.data(), pair.data() + pair.size(), value, 16);
      if (pair.empty() || pair.size() > 2 || error != std::errc() || end != pair.data() + pair.size()) {
        return std::nullopt;
      }
      bytes += static_cast<char>(value);
      if (comma == std::string_view::npos) break;
      data.remove_prefix(comma + 1);
      if (Trimmed(data).empty()) return std::nullopt;
    }
    return bytes;
  }

  std::optional<std::uint32_t> HexNumber(std::size_t longest) {
    const std::size_t length = std::min(rest_.size(), longest + 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + length, value, 16);
    const std::size_t used = static_cast<std::size_t>(end - rest_.data());
    if (error != std::errc() || used == 0 || used > longest) return std::nullopt;
    rest_.remove_prefix(used);
    return value;
  }

  void SkipBlanks() {
    while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  }
  bool AtEnd() const { return Trimmed(rest_).empty(); }
  bool unicodeFile() const { return unicodeFile_; }

 private:
  std::string_view rest_;
  bool unicodeFile_;
};

// The data after "=": nothing when it cannot be read.
std::optional<StoredValue> ValueData(LineParser& parser, std::string name, std::string& problem) {
  StoredValue value{std::move(name), 0, ""};
  if (auto text = parser.QuotedText()) {
    value.kind = static_cast<std::uint32_t>(RegistryKind::Text);
    value.data = TextData(*text);
  } else if (parser.Take("dword:")) {
    const auto number = parser.HexNumber(8);
    if (!number) {
      problem = "a dword needs one to eight hexadecimal digits";
      return std::nullopt;
    }
    value.kind = static_cast<std::uint32_t>(RegistryKind::Number);
    value.data = NumberData(*number);
  } else if (parser.Take("hex")) {
    value.kind = static_cast<std::uint32_t>(RegistryKind::Binary);
    if (parser.Take("(")) {
      const auto kind = parser.HexNumber(8);
      if (!kind || !parser.Take(")")) {
        problem = "the kind in hex(...) must be a hexadecimal number";
        return std::nullopt;
      }
      value.kind = *kind;
    }
    auto bytes = parser.Take(":") ? parser.HexBytes() : std::nullopt;
    if (!bytes) {
      problem = "hex data must be bytes of two hexadecimal digits separated by commas";
      return std::nullopt;
    }
    if (IsUtf16Kind(value.kind) && parser.unicodeFile()) {
      if (bytes->size() % 2 != 0) {
        problem = "text data in UTF-16 needs an even number of bytes";
        return std::nullopt;
      }
      *bytes = Utf16LeToUtf8(*bytes);
    }
    value.data = std::move(*bytes);
  } else {
    problem = "the data must be \"text\", dword:, hex: or hex(n):";
    return std::nullopt;
  }
  if (!parser.AtEnd()) {
    problem = "unexpected text after the data";
    return std::nullopt;
  }
  return value;
}

class FileParser {
 public:
  RegistryFileParse Parse(std::string_view bytes) {
    const std::vector<FileLine> lines = LogicalLines(Decoded(bytes));
    std::size_t first = 0;
    while (first < lines.size() && Trimmed(lines[first].text).empty()) ++first;
    const std::string_view header = first < lines.size() ? Trimmed(lines[first].text) : std::string_view();
    if (header != kRegistryFileHeader && header != kOldHeader) {
      Fail(first < lines.size() ? lines[first].number : 1,
           "the file must start with \"" + std::string(kRegistryFileHeader) + "\"");
      return std::move(result_);
    }
    unicodeFile_ = header == kRegistryFileHeader;
    std::size_t next = first + 1;
    while (next < lines.size() && ParseLine(lines[next])) ++next;
    return std::move(result_);
  }

 private:
  bool ParseLine(const FileLine& line) {
    const std::string_view text = Trimmed(line.text);
    if (text.empty() || text.front() == ';') return true;
    if (text.front() == '[') return KeyLine(line.number, text);
    if (text.front() == '"' || text.front() == '@') return ValueLine(line.number, text);
    return Fail(line.number, "not a key, value or comment line");
  }

  bool KeyLine(int number, std::string_view text) {
    if (text.back() != ']') return Fail(number, "a key line must end with \"]\"");
    std::string_view name = text.substr(1, text.size() - 2);
    const bool remove = name.starts_with("-");
    if (remove) name.remove_prefix(1);
    const auto key = ParseRootedKey(name);
    if (!key) return Fail(number, "unknown root in \"" + std::string(name) + "\"");
    using Action = RegistryFileChange::Action;
    result_.changes.push_back(RegistryFileChange{remove ? Action::DeleteKey : Action::CreateKey, *key, {}, number});
    currentKey_ = *key;
    keyRemoved_ = remove;
    return true;
  }

  bool ValueLine(int number, std::string_view text) {
    if (!currentKey_) return Fail(number, "a value before any key");
    if (keyRemoved_) return Fail(number, "a value under a key that is being deleted");
    LineParser parser(text, unicodeFile_);
    std::string name;
    if (!parser.Take("@")) {
      auto quoted = parser.QuotedText();
      if (!quoted) return Fail(number, "the value name has no closing quote");
      name = std::move(*quoted);
    }
    parser.SkipBlanks();
    if (!parser.Take("=")) return Fail(number, "\"=\" must follow the value name");
    parser.SkipBlanks();
    using Action = RegistryFileChange::Action;
    if (parser.Take("-") && parser.AtEnd()) {
      result_.changes.push_back(RegistryFileChange{Action::DeleteValue, *currentKey_, {name, 0, ""}, number});
      return true;
    }
    std::string problem;
    auto value = ValueData(parser, std::move(name), problem);
    if (!value) return Fail(number, problem);
    result_.changes.push_back(RegistryFileChange{Action::SetValue, *currentKey_, std::move(*value), number});
    return true;
  }

  bool Fail(int number, std::string message) {
    result_.changes.clear();
    result_.error = RegistryFileError{number, std::move(message)};
    return false;
  }

  RegistryFileParse result_;
  std::optional<RootedKey> currentKey_;
  bool keyRemoved_ = false;
  bool unicodeFile_ = true;
};

}  // namespace

std::string RegistryFileStart() { return std::string(kRegistryFileHeader) + std::string(kLineEnd) + std::string(kLineEnd); }

std::string RegistryFileSection(RegistryRoot root, std::string_view path, const std::vector<StoredValue>& values) {
  std::string section = "[" + FullKeyName(root, path) + "]" + std::string(kLineEnd);
  for (const StoredValue& value : values) section += ValueLine(value) + std::string(kLineEnd);
  return section + std::string(kLineEnd);
}

RegistryFileParse ParseRegistryFile(std::string_view bytes) { return FileParser().Parse(bytes); }

}  // namespace korrin
