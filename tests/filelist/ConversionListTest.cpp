#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "filelist/ConversionList.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

TEST(ConversionList, KeepsPathsSortedIgnoringCaseAndUniqueByTheRuleForLetterCase) {
  const struct {
    FileNameCase names;
    std::vector<std::string> entries;
  } rules[] = {{FileNameCase::Ignored, {"C:\\a.ipt", "C:\\z.ipt", "D:\\b.ipt"}},
               {FileNameCase::Distinct, {"C:\\a.ipt", "c:\\A.IPT", "C:\\z.ipt", "D:\\b.ipt"}}};
  for (const auto& rule : rules) {
    const bool ignored = rule.names == FileNameCase::Ignored;
    ConversionList list(rule.names);
    EXPECT_TRUE(list.Add("D:\\b.ipt"));
    EXPECT_TRUE(list.Add("C:\\z.ipt"));
    EXPECT_TRUE(list.Add("C:\\a.ipt"));
    EXPECT_EQ(list.Add("c:\\A.IPT"), !ignored);
    EXPECT_FALSE(list.Add("C:\\a.ipt"));
    EXPECT_EQ(list.Entries(), rule.entries);
    EXPECT_EQ(list.Contains("d:\\B.ipt"), ignored);
    EXPECT_TRUE(list.Contains("D:\\b.ipt"));
    EXPECT_FALSE(list.Contains("D:\\b.ip"));
    EXPECT_EQ(list.At(rule.entries.size() - 2), "C:\\z.ipt");
  }

  // Folders that differ only in case hold two files on this platform.
  ConversionList native;
  EXPECT_TRUE(native.Add("/data/proj/a.ipt"));
  EXPECT_EQ(native.Add("/data/Proj/a.ipt"), kNativeFileNameCase == FileNameCase::Distinct);
  EXPECT_EQ(native.Contains("/data/PROJ/a.ipt"), kNativeFileNameCase == FileNameCase::Ignored);
}

TEST(ConversionList, RefusesTextLongerThanAnyPath) {
  ConversionList list;
  EXPECT_TRUE(list.Add(std::string(ConversionList::kLongestPath, 'p')));
  EXPECT_FALSE(list.Add(std::string(ConversionList::kLongestPath + 1, 'q')));
  EXPECT_EQ(list.Count(), 1u);
}

TEST(ConversionList, KeepsTheSpellingOfTheFirstAddWhereCaseIsIgnored) {
  ConversionList list(FileNameCase::Ignored);
  list.Add("c:\\a\\X.IDW");
  EXPECT_FALSE(list.Add("C:\\A\\x.idw"));
  EXPECT_EQ(list.Entries(), std::vector<std::string>{"c:\\a\\X.IDW"});
}

// Paths of many shapes: shared and diverging prefixes, prefixes of one
// another, other letter cases, bytes above 127.
std::string RandomPath(std::mt19937& random) {
  static const char* const roots[] = {"/srv/cad/projects/", "/srv/cad/", "/home/a/", "C:\\Parts\\", "", "\xC3\xA9/"};
  std::string path = roots[random() % 6];
  const int parts = static_cast<int>(random() % 4);
  for (int i = 0; i < parts; ++i) path += std::string(1, static_cast<char>('a' + random() % 3)) + "/";
  path += std::to_string(random() % 300);
  if (random() % 2) path += ".IPT";
  if (random() % 3 == 0) path = ToUpperAscii(path);
  return path;
}

// Many entries span many blocks: the order, the rows and the lookups must
// agree with a plain sorted list at every step, by either rule.
TEST(ConversionList, AgreesWithASortedListAcrossManyBlocks) {
  for (const FileNameCase names : {FileNameCase::Ignored, FileNameCase::Distinct}) {
    // Sorted upper-cased; paths equal but for case are one file or two.
    const auto key = [names](const std::string& path) { return std::pair{ToUpperAscii(path), PathKey(path, names)}; };
    std::mt19937 random(7);
    std::map<std::pair<std::string, std::string>, std::string> reference;  // key -> path as first added
    ConversionList list(names);
    for (int i = 0; i < 8000; ++i) {
      std::string path = RandomPath(random);
      const bool added = reference.emplace(key(path), path).second;
      ASSERT_EQ(list.Add(path), added) << path;
      ASSERT_TRUE(list.Contains(path)) << path;
      ASSERT_EQ(list.Contains(ToUpperAscii(path)), reference.contains(key(ToUpperAscii(path)))) << path;
    }
    std::vector<std::string> expected;
    for (const auto& [order, path] : reference) expected.push_back(path);
    ASSERT_EQ(list.Entries(), expected);

    for (int i = 0; i < 3000; ++i) {
      const std::size_t row = random() % expected.size();
      ASSERT_EQ(list.At(row), expected[row]);
      list.RemoveAt(row);
      reference.erase(key(expected[row]));
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
      if (i % 3 == 0) {  // adds between removals keep the index honest
        std::string path = RandomPath(random);
        if (reference.emplace(key(path), path).second) {
          ASSERT_TRUE(list.Add(path));
          expected.insert(std::lower_bound(expected.begin(), expected.end(), path,
                                           [&](const std::string& a, const std::string& b) { return key(a) < key(b); }),
                          path);
        }
      }
    }
    EXPECT_EQ(list.Entries(), expected);
    for (const std::string& entry : expected) EXPECT_TRUE(list.Contains(entry)) << entry;
    EXPECT_FALSE(list.Contains("/not/there"));
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.Add("/again.ipt"));
  }
}

TEST(ConversionList, SortedAndReversedAddsEndInTheSameOrder) {
  std::vector<std::string> paths;
  for (int i = 0; i < 3000; ++i) paths.push_back("/p/" + std::to_string(100000 + i) + ".ipt");
  ConversionList ascending, descending;
  for (const std::string& path : paths) ascending.Add(path);
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) descending.Add(*it);
  EXPECT_EQ(ascending.Entries(), paths);
  EXPECT_EQ(descending.Entries(), paths);
  EXPECT_FALSE(descending.Add("/p/100000.ipt"));
  EXPECT_TRUE(descending.Add("/p/1"));  // a shorter path diverging early goes first
  EXPECT_EQ(descending.At(0), "/p/1");

  // Appended in order, blocks fill up; paths then added between every two
  // entries, in shuffled order, still land in their places.
  std::vector<std::string> between;
  for (const std::string& path : paths) between.push_back(path.substr(0, path.size() - 4) + "b.ipt");
  std::shuffle(between.begin(), between.end(), std::mt19937(3));
  for (const std::string& path : between) ASSERT_TRUE(ascending.Add(path)) << path;
  for (const std::string& path : paths) ASSERT_FALSE(ascending.Add(path)) << path;
  std::vector<std::string> expected = paths;
  expected.insert(expected.end(), between.begin(), between.end());
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    return ToUpperAscii(a) < ToUpperAscii(b);
  });
  EXPECT_EQ(ascending.Entries(), expected);
  for (const std::string& path : between) EXPECT_TRUE(ascending.Contains(path)) << path;
}

class RecordingListener : public ConversionList::Listener {
 public:
  std::vector<std::string> events;
  void BeforeInsert(std::size_t row) override { events.push_back("insert " + std::to_string(row)); }
  void AfterInsert() override { events.push_back("inserted"); }
  void BeforeRemove(std::size_t row) override { events.push_back("remove " + std::to_string(row)); }
  void AfterRemove() override { events.push_back("removed"); }
  void BeforeClear() override { events.push_back("clear"); }
  void AfterClear() override { events.push_back("cleared"); }
};

TEST(ConversionList, TellsItsListenerTheRowOfEveryChange) {
  ConversionList list;
  RecordingListener listener;
  list.SetListener(&listener);
  list.Add("/b");
  list.Add("/a");
  list.Add("/a");  // already listed: nothing happens
  list.Add("/c");
  list.RemoveAt(1);
  list.Clear();
  EXPECT_EQ(listener.events, (std::vector<std::string>{"insert 0", "inserted", "insert 0", "inserted", "insert 2",
                                                       "inserted", "remove 1", "removed", "clear", "cleared"}));
}

}  // namespace
}  // namespace korrin
