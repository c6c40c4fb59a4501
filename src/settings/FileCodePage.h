#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korrin {

// The code page an editor of a settings file reads the file's bytes in and
// writes edited lines back in: UTF-8 when every line read as UTF-8 (plain
// ASCII among them), else Windows-1252, the code page of the system these
// files come from. Both read every byte and give it back unchanged, so lines
// the user did not edit are written as they were.
enum class FileCodePage { Utf8, Windows1252 };

FileCodePage CodePageOfLines(const std::vector<std::string>& lines);

// The file's bytes as the program's text (UTF-8).
std::string TextOfFileBytes(std::string_view bytes, FileCodePage codePage);
// The text as the file's bytes; nothing when a character has no byte in the
// code page.
std::optional<std::string> FileBytesOfText(std::string_view text, FileCodePage codePage);

// The first character of the text the code page cannot hold; nothing when it
// holds them all.
std::optional<std::string> CharacterNotInCodePage(std::string_view text, FileCodePage codePage);
// The message that refuses such a character.
std::string CharacterNotInCodePageMessage(std::string_view character, FileCodePage codePage);

}  // namespace korrin
