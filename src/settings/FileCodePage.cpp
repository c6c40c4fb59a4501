#include "settings/FileCodePage.h"

#include "settings/TextEncoding.h"

namespace korrin {

FileCodePage CodePageOfLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!IsUtf8(line)) return FileCodePage::Windows1252;
  }
  return FileCodePage::Utf8;
}

std::string TextOfFileBytes(std::string_view bytes, FileCodePage codePage) {
  if (codePage == FileCodePage::Windows1252) return Windows1252ToUtf8(bytes);
  return std::string(bytes);
}

std::optional<std::string> FileBytesOfText(std::string_view text, FileCodePage codePage) {
  if (codePage == FileCodePage::Windows1252) return Utf8ToWindows1252(text);
  return std::string(text);
}

std::optional<std::string> CharacterNotInCodePage(std::string_view text, FileCodePage codePage) {
  if (codePage == FileCodePage::Windows1252) return FirstCharacterNotInWindows1252(text);
  return std::nullopt;
}

std::string CharacterNotInCodePageMessage(std::string_view character, FileCodePage codePage) {
  const char* name = codePage == FileCodePage::Windows1252 ? "Windows-1252" : "UTF-8";
  return "The character \"" + std::string(character) + "\" cannot be saved: this file is written in " + name;
}

}  // namespace korrin
