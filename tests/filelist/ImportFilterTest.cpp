#include <gtest/gtest.h>

#include "filelist/ImportFilter.h"

namespace korrin {
namespace {

TEST(ImportFilter, MatchesOnTheLastThreeCharactersAndVersionedNames) {
  const struct {
    const char* name;
    const char* filter;
    bool matches;
  } cases[] = {
      {"Bracket.idw", "*.IDW", true},
      {"BRACKET.IDW", "*.IDW", true},
      {"bracket.ipt", "*.IDW", false},
      {"hole.iges", "*.IGES", true},
      {"anything_GES", "*.IGES", true},  // only the last three characters count
      {"hole.igs", "*.IGES", false},
      {"shaft.step", "*.STEP", true},
      {"bracket.prt.12", "*.PRT*", true},
      {"bracket.PRT.3", "*.PRT*", true},
      {"bracket.prt.3b", "*.PRT*", true},  // the number is the leading digits
      {"bracket.prt.0", "*.PRT*", false},
      {"bracket.prt", "*.PRT*", false},
      {"bracket.prt.x1", "*.PRT*", false},
      {"frame.asm.2", "*.ASM*", true},
      {"frame.asm.2", "*.PRT*", false},
      {"bracket.prt.12", "*.ASM*", false},
      {"a.b", "*.IDW", false},
      {"", "*.IDW", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesImportFilter(c.name, c.filter), c.matches) << c.name << " against " << c.filter;
  }
}

}  // namespace
}  // namespace korrin
