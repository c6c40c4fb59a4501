#include "settings/RunOptions.h"

#include <gtest/gtest.h>

#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(RunOptions, AreKeptInAFileOfTheirOwnAndOnlyWhatTheProgramWritesCounts) {
  const testing::TemporaryFolder folder;
  EXPECT_FALSE(ReadRunOptions(folder.string()).skipExisting);

  ASSERT_TRUE(WriteRunOptions(folder.string(), {true}));
  EXPECT_EQ(folder.Read("KorrinRunOptions.ini"), "[Korrin run options]\r\nSkipDocumentsAlreadyConverted=1\r\n");
  EXPECT_TRUE(ReadRunOptions(folder.string()).skipExisting);
  EXPECT_FALSE(folder.Exists("Korrin.ini"));

  const struct {
    const char* text;
    bool skip;
  } files[] = {{"skipdocumentsalreadyconverted=1\n", true},
               {"SkipDocumentsAlreadyConverted=yes\r\n", false},
               {"SkipDocumentsAlreadyConverted= 1\r\n", false},
               {"SkipDocumentsAlreadyConverted=1\r\nSkipDocumentsAlreadyConverted=0\r\n", false},
               {"\x01\xff garbage", false}};
  for (const auto& file : files) {
    folder.Write("KorrinRunOptions.ini", file.text);
    EXPECT_EQ(ReadRunOptions(folder.string()).skipExisting, file.skip) << file.text;
  }
}

}  // namespace
}  // namespace korrin
