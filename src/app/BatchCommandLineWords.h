#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korrin {

// The options and paths of a command line as given, before any of them is
// checked against the others.
struct GivenOptions {
  // Every value of each option given, by its long name; a switch has one
  // empty value for each time it was given.
  std::map<std::string, std::vector<std::string>, std::less<>> values;
  // The long names in the order given, once for each time.
  std::vector<std::string> order;
  std::vector<std::string> paths;

  bool Has(std::string_view name) const { return values.contains(name); }
  // The first value of the option, or none when it was not given.
  std::optional<std::string> Value(std::string_view name) const;
};

// The arguments read into options and paths, or the problem: an unknown
// option, a value missing or given to a switch. A word option may start with
// one dash (-catalogue); "--" ends the options.
struct GivenOptionsRead {
  std::optional<GivenOptions> given;
  std::string problem;
};
GivenOptionsRead ReadBatchArguments(const std::vector<std::string>& arguments);

}  // namespace korrin
