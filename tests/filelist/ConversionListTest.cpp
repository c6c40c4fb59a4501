#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "filelist/ConversionList.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

TEST(ConversionList, KeepsPathsSortedAndUniqueIgnoringCase) {
  ConversionList list;
  EXPECT_TRUE(list.Add("D:\\b.ipt"));
  EXPECT_TRUE(list.Add("C:\\z.ipt"));
  EXPECT_TRUE(list.Add("C:\\a.ipt"));
  EXPECT_FALSE(list.Add("c:\\A.IPT"));
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"C:\\a.ipt", "C:\\z.ipt", "D:\\b.ipt"}));
  EXPECT_TRUE(list.Contains("d:\\B.ipt"));
  EXPECT_FALSE(list.Contains("D:\\b.ip"));
  EXPECT_EQ(list.At(1), "C:\\z.ipt");
}

TEST(ConversionList, RefusesTextLongerThanAnyPath) {
  ConversionList list;
  EXPECT_TRUE(list.Add(std::string(ConversionList::kLongestPath, 'p')));
  EXPECT_FALSE(list.Add(std::string(ConversionList::kLongestPath + 1, 'q')));
  EXPECT_EQ(list.Count(), 1u);
}

TEST(ConversionList, KeepsTheSpellingOfTheFirstAdd) {
  ConversionList list;
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
// agree with a plain sorted list at every step.
TEST(ConversionList, AgreesWithASortedListAcrossManyBlocks) {
  std::mt19937 random(7);
  std::map<std::string, std::string> reference;  // upper-cased path -> path as first added
  ConversionList list;
  for (int i = 0; i < 8000; ++i) {
    std::string path = RandomPath(random);
    const bool added = reference.emplace(ToUpperAscii(path), path).second;
    ASSERT_EQ(list.Add(path), added) << path;
    ASSERT_TRUE(list.Contains(ToUpperAscii(path))) << path;
  }
  std::vector<std::string> expected;
  for (const auto& [key, path] : reference) expected.push_back(path);
  ASSERT_EQ(list.Entries(), expected);

  for (int i = 0; i < 3000; ++i) {
    const std::size_t row = random() % expected.size();
    ASSERT_EQ(list.At(row), expected[row]);
    list.RemoveAt(row);
    reference.erase(ToUpperAscii(expected[row]));
    expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
    if (i % 3 == 0) {  // adds between removals keep the index honest
      std::string path = RandomPath(random);
      if (reference.emplace(ToUpperAscii(path), path).second) {
        ASSERT_TRUE(list.Add(path));
        expected.insert(std::lower_bound(expected.begin(), expected.end(), path,
                                         [](const std::string& a, const std::string& b) {
                                           return CompareIgnoringCase(a, b) < 0;
                                         }),
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

TEST(ConversionList, SortedAndReversedAddsEndInTheSameOrder) {
  std::vector<std::string> paths;
  for (int i = 0; i < 3000; ++i) paths.push_back("/p/" + std::to_string(100000 + i) + ".ipt");
  ConversionList ascending, descending;
  for (const std::string& path : paths) ascending.Add(path);
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) descending.Add(*it);
  EXPECT_EQ(ascending.Entries(), paths);
  EXPECT_EQ(descending.Entries(), paths);
  EXPECT_FALSE(descending.Add("/P/100000.IPT"));
  EXPECT_TRUE(descending.Add("/p/1"));  // a shorter path diverging early goes first
  EXPECT_EQ(descending.At(0), "/p/1");
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
  list.Add("/A");  // already listed: nothing happens
  list.Add("/c");
  list.RemoveAt(1);
  list.Clear();
  EXPECT_EQ(listener.events, (std::vector<std::string>{"insert 0", "inserted", "insert 0", "inserted", "insert 2",
                                                       "inserted", "remove 1", "removed", "clear", "cleared"}));
}

}  // namespace
}  // namespace korrin
