#include "app/BatchCommandLineWords.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "app/BatchCommandLineOptions.h"

namespace korrin {

std::optional<std::string> GivenOptions::Value(std::string_view name) const {
  const auto found = values.find(name);
  if (found == values.end() || found->second.empty()) return std::nullopt;
  return found->second.front();
}

namespace {

struct WordsRead {
  std::vector<std::string> words;
  std::string problem;
};

// The arguments in CLI11's spelling: "-catalogue" as "--catalogue" (kept:
// scripts may spell the word options with one dash), while "-h" stays
// the short help and the value after an option is left as it is, however it
// starts ("--from -5" is refused as a number, not as an option). Also the
// two mistakes CLI11 would take quietly: a switch given a value (it reads
// "--recurse=0" as "not recursive") and an option's value missing at the end.
WordsRead CliWords(const std::vector<std::string>& arguments) {
  WordsRead read;
  bool optionsEnded = false;
  const std::string* valueOf = nullptr;  // the option that takes the next argument
  for (const std::string& argument : arguments) {
    if (valueOf != nullptr || optionsEnded || argument.size() < 2 || argument[0] != '-') {
      read.words.push_back(argument);
      valueOf = nullptr;
      continue;
    }
    if (argument == "--") optionsEnded = true;
    const std::string word = argument[1] == '-' || argument.size() == 2 ? argument : "-" + argument;
    const std::size_t equals = word.find('=');
    const std::string_view name = std::string_view(word).substr(2, equals - std::min(equals, std::size_t{2}));
    const BatchOption* option = FindBatchOption(name);
    if (option != nullptr && word.starts_with("--")) {
      if (!option->TakesValue() && equals != std::string::npos) {
        read.problem = "Unexpected value after '" + word.substr(0, equals) + "'.";
        return read;
      }
      if (option->TakesValue() && equals == std::string::npos) valueOf = &argument;
    }
    read.words.push_back(word);
  }
  if (valueOf != nullptr) read.problem = "Missing value after '" + *valueOf + "'.";
  return read;
}

// "--bogus=1" and "-x" as "bogus" and "x".
std::string OptionName(std::string_view word) {
  word.remove_prefix(std::min(word.find_first_not_of('-'), word.size()));
  return std::string(word.substr(0, word.find('=')));
}

struct CliOptions {
  CLI::App app;
  std::vector<std::pair<const BatchOption*, CLI::Option*>> declared;
  std::vector<std::string> paths;
};

void DeclareOptions(CliOptions& cli) {
  // Help and errors are ours; unknown options are collected, not thrown, so
  // the message can name them as users have always read them; and "/out" is
  // a folder on Windows too, not an option.
  cli.app.set_help_flag();
  cli.app.allow_extras();
  cli.app.allow_windows_style_options(false);
  for (const BatchOption& option : BatchOptions()) {
    std::string names = option.name == "help" ? "-h,--help" : "--" + std::string(option.name);
    CLI::Option* declared =
        option.TakesValue()
            ? cli.app.add_option(names)->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            : cli.app.add_flag(names);
    cli.declared.emplace_back(&option, declared);
  }
  cli.app.add_option("PATH", cli.paths);
}

GivenOptions Collect(CliOptions& cli) {
  GivenOptions given;
  given.paths = cli.paths;
  for (const auto& [option, declared] : cli.declared) {
    if (declared->count() == 0) continue;
    given.values[std::string(option->name)] =
        option->TakesValue() ? declared->results() : std::vector<std::string>(declared->count());
  }
  for (const CLI::Option* parsed : cli.app.parse_order()) {
    const auto named = std::find_if(cli.declared.begin(), cli.declared.end(),
                                    [parsed](const auto& entry) { return entry.second == parsed; });
    if (named != cli.declared.end()) given.order.emplace_back(named->first->name);
  }
  return given;
}

}  // namespace

GivenOptionsRead ReadBatchArguments(const std::vector<std::string>& arguments) {
  WordsRead words = CliWords(arguments);
  if (!words.problem.empty()) return {std::nullopt, words.problem};
  CliOptions cli;
  DeclareOptions(cli);
  // CLI11 takes the arguments last first.
  std::reverse(words.words.begin(), words.words.end());
  try {
    cli.app.parse(words.words);
  } catch (const CLI::ParseError& error) {
    return {std::nullopt, error.what()};
  }
  // CLI11 lists the "--" that ended the options among what it did not know.
  const std::vector<std::string> remaining = cli.app.remaining();
  const auto unknown = std::find_if(remaining.begin(), remaining.end(), [](const std::string& word) { return word != "--"; });
  if (unknown != remaining.end()) return {std::nullopt, "Unknown option '" + OptionName(*unknown) + "'."};
  return {Collect(cli), ""};
}

}  // namespace korrin
