// The registry under load: two processes write many values into one key
// while this one enumerates it. No write or read may fail (SQLite's "database
// is locked" would show as a false here) and no value may be lost.
// KORRIN_REGISTRY_WRITES sets the values per writer (1,000).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/SqliteRegistry.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

constexpr const char* kLoadKey = "Software\\Korrin\\Load";

int WritesPerWriter() {
  const char* text = std::getenv("KORRIN_REGISTRY_WRITES");
  const int writes = text == nullptr ? 0 : std::atoi(text);
  return writes > 0 ? writes : 1000;
}

std::string ValueName(int writer, int index) { return "Writer" + std::to_string(writer) + "-" + std::to_string(index); }

// Ends with 0 when every write succeeded, 1 at the first that failed.
pid_t StartWriter(const std::string& folder, int writer, int writes) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  SqliteRegistry registry(folder);
  for (int i = 0; i < writes; ++i) {
    if (!registry.WriteRegistryValue(RegistryRoot::CurrentUser, kLoadKey, ValueName(writer, i),
                                     std::to_string(i))) {
      _exit(1);
    }
  }
  _exit(0);
}

bool Running(pid_t child, int& status) { return ::waitpid(child, &status, WNOHANG) == 0; }

TEST(RegistryLoad, TwoWritersAndAReaderLoseNothing) {
  testing::TemporaryFolder folder;
  {
    SqliteRegistry registry(folder.string());
    ASSERT_TRUE(registry.CreateRegistryKey(RegistryRoot::CurrentUser, kLoadKey, ""));
    // An enumeration of a key without values answers false too; with one
    // value there, false can only be a failure.
    ASSERT_TRUE(registry.WriteRegistryValue(RegistryRoot::CurrentUser, kLoadKey, "First", std::string("1")));
  }
  const int writes = WritesPerWriter();
  const pid_t first = StartWriter(folder.string(), 1, writes);
  const pid_t second = StartWriter(folder.string(), 2, writes);

  SqliteRegistry reader(folder.string());
  int enumerations = 0, firstStatus = 0, secondStatus = 0;
  bool firstRunning = true, secondRunning = true;
  std::size_t seenBefore = 0;
  while (firstRunning || secondRunning) {
    std::vector<std::string> names;
    ASSERT_TRUE(reader.EnumRegistryValues(RegistryRoot::CurrentUser, kLoadKey, names))
        << "enumeration " << enumerations << " failed while the writers ran";
    // Values only come, never go: each enumeration sees at least as many.
    ASSERT_GE(names.size(), seenBefore) << "enumeration " << enumerations;
    seenBefore = names.size();
    ++enumerations;
    if (firstRunning) firstRunning = Running(first, firstStatus);
    if (secondRunning) secondRunning = Running(second, secondStatus);
  }
  EXPECT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0) << "a write of the first writer failed";
  EXPECT_TRUE(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0) << "a write of the second writer failed";

  std::vector<std::string> names;
  ASSERT_TRUE(reader.EnumRegistryValues(RegistryRoot::CurrentUser, kLoadKey, names));
  const std::set<std::string> stored(names.begin(), names.end());
  int lost = 0;
  for (int writer = 1; writer <= 2; ++writer) {
    for (int i = 0; i < writes; ++i) lost += stored.count(ValueName(writer, i)) == 0;
  }
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(names.size(), static_cast<std::size_t>(2 * writes + 1));
  std::printf("registry under load: 2 writers x %d values, %d enumerations meanwhile, %d values lost, "
              "no failed call\n",
              writes, enumerations, lost);
}

}  // namespace
}  // namespace korrin
