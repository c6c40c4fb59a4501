#include "app/BatchCommandLineHelp.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/BatchCommandLineOptions.h"

namespace korrin {
namespace {

// Terminals of 80 columns show the lines whole, without a break at the edge.
constexpr std::size_t kLineWidth = 79;
constexpr std::string_view kIndent = "  ";
constexpr std::string_view kWhatItDoes =
    "Converts CAD documents in batches: collects the documents of PATH (documents, folders, list files), exports "
    "each to the chosen format, logs every step on standard output.";

struct HelpEntry {
  std::string names;
  std::string_view description;
};

std::vector<HelpEntry> Entries() {
  std::vector<HelpEntry> entries;
  for (const BatchOption& option : BatchOptions()) {
    std::string names = option.name == "help" ? "-h, --help" : "--" + std::string(option.name);
    if (option.TakesValue()) names += " <" + std::string(option.valueName) + ">";
    entries.push_back({names, option.description});
  }
  return entries;
}

// The description's words in lines of at most `width` characters; a word
// longer than that stands on a line of its own.
std::vector<std::string> WrappedWords(std::string_view description, std::size_t width) {
  std::vector<std::string> lines(1);
  std::size_t start = 0;
  while (start < description.size()) {
    const std::size_t end = std::min(description.find(' ', start), description.size());
    const std::string_view word = description.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    std::string& line = lines.back();
    if (line.empty()) {
      line = word;
    } else if (line.size() + 1 + word.size() <= width) {
      line += ' ';
      line += word;
    } else {
      lines.emplace_back(word);
    }
  }
  return lines;
}

std::string Section(const std::string& title, const std::vector<HelpEntry>& entries, std::size_t namesWidth) {
  std::string text = title + ":\n";
  const std::size_t column = kIndent.size() + namesWidth;
  for (const HelpEntry& entry : entries) {
    const std::vector<std::string> lines = WrappedWords(entry.description, kLineWidth - column);
    for (std::size_t index = 0; index < lines.size(); ++index) {
      std::string line(kIndent);
      line += index == 0 ? entry.names : "";
      line.resize(column, ' ');
      text += line + lines[index] + "\n";
    }
  }
  return text;
}

}  // namespace

std::string BatchHelpText() {
  const std::vector<HelpEntry> options = Entries();
  const std::vector<HelpEntry> arguments{{"PATH", "A document, a folder, or a text file listing documents."}};
  std::size_t namesWidth = 0;
  for (const HelpEntry& entry : options) namesWidth = std::max(namesWidth, entry.names.size());
  namesWidth += 2;  // the gap before the descriptions
  std::string text = "Usage: korrin-batch [options] PATH...\n";
  for (const std::string& line : WrappedWords(kWhatItDoes, kLineWidth)) text += line + "\n";
  return text + "\n" + Section("Options", options, namesWidth) + "\n" + Section("Arguments", arguments, namesWidth);
}

std::string BatchVersionLine() {
  return std::string("korrin-batch ") + KORRIN_VERSION + " (" + KORRIN_PLATFORM + ")\n";
}

}  // namespace korrin
