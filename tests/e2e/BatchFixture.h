#pragma once

// What the tests of korrin-batch runs share: a stand-in host installed with
// its samples into a folder of the test's own, a program folder holding what
// the program ships, and the lines a run writes.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <filesystem>
#include <thread>
#include <regex>
#include <string>
#include <vector>

#include "platform/linux/ProcFiles.h"
#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

inline const Lines kStarted = {"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                        "Inventor started", "Watcher started"};

inline Lines SplitLines(const std::string& text) {
  Lines lines;
  std::size_t from = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    lines.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

inline Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The lines of one converted entry.
inline Lines Converted(const std::string& source, const std::string& output) {
  return {"Opening: " + source, "Checking document references...", "Exporting document: " + output,
          "Closing document(s)"};
}

inline std::string Document(const std::string& type, const std::string& extra = "") {
  return "KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype " + type + "\r\nrelease 7 0\r\n" + extra;
}

// Each test installs the stand-in host and writes its samples into a
// folder of its own, with a program folder holding what the program ships.
class BatchFixture : public ::testing::Test {
 protected:
  BatchFixture() {
    fs::create_directories(folder_ / "home");
    fs::create_directories(folder_ / "out");
    fs::create_directories(folder_ / "tmp");
    for (const char* shipped : {"KorrinExportTemplate.INI", "logo.ipt", "papersizes.ini", "Tembrel.exe"}) {
      fs::copy_file(BuiltProgram(shipped), folder_ / "home" / shipped);
    }
    const std::string standin = BuiltProgram("korrin-standin");
    EXPECT_EQ(RunProgram(standin, {"install", "--root", (folder_ / "host").string()}).exitCode, 0);
    EXPECT_EQ(RunProgram(standin, {"samples", (folder_ / "samples").string()}).exitCode, 0);
  }
  // A run leaves its host running, as a user's run does; the test's hosts
  // end with the test, so the next one starts with none.
  ~BatchFixture() override { EndHosts(); }

  void EndHosts() const {
    // Only live ones: a socket left by a process that ended may name a
    // process id taken since.
    std::vector<pid_t> running = LiveHosts();
    for (const pid_t pid : LiveAcads()) running.push_back(pid);
    for (const pid_t pid : running) ::kill(pid, SIGKILL);
    for (const pid_t pid : running) {
      for (int turn = 0; turn < 1000; ++turn) {
        const auto status = ReadProcessStatus(pid);
        if (!status || IsEndedState(status->state)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }
  std::string HostsFolder() const { return (folder_ / "hosts").string(); }
  std::string AcadsFolder() const { return (folder_ / "hosts" / "acad").string(); }
  // The hosts that run, by their sockets.
  std::vector<pid_t> LiveHosts() const { return Live(Hosts(), "Inventor.exe"); }
  // The AutoCAD processes that run, by their sockets.
  std::vector<pid_t> LiveAcads() const { return Live(Hosts(AcadsFolder()), "acad.exe"); }
  // The processes named by the sockets in a hosts folder (the test's hosts
  // folder unless told), live or not.
  std::vector<pid_t> Hosts(const std::string& folder = {}) const {
    std::vector<pid_t> hosts;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? HostsFolder() : folder, error)) {
      if (auto pid = ProcessIdNamed(entry.path().filename().string())) hosts.push_back(*pid);
    }
    std::sort(hosts.begin(), hosts.end());
    return hosts;
  }

  static std::vector<pid_t> Live(const std::vector<pid_t>& pids, const std::string& image) {
    std::vector<pid_t> live;
    for (const pid_t pid : pids) {
      const auto status = ReadProcessStatus(pid);
      if (status && !IsEndedState(status->state) && status->commandName == image) live.push_back(pid);
    }
    return live;
  }

  Lines BatchEnvironment() const {
    Lines environment = {"KORRIN_HOME=" + (folder_ / "home").string(),
                         "KORRIN_REGISTRY=" + (folder_ / "host" / "registry").string(),
                         "TEMP=" + (folder_ / "tmp").string(), "KORRIN_HOSTS=" + HostsFolder()};
    environment.insert(environment.end(), moreEnvironment_.begin(), moreEnvironment_.end());
    return environment;
  }
  ProgramRun Batch(const Lines& arguments, const std::string& interruptAfter = "") const {
    return RunProgram(BuiltProgram("korrin-batch"), arguments, BatchEnvironment(), interruptAfter);
  }
  // Runs korrin-batch and acts once its output holds the text.
  ProgramRun BatchActing(const Lines& arguments, const std::string& after,
                         const std::function<void(pid_t)>& action) const {
    return RunProgramActing(BuiltProgram("korrin-batch"), arguments, BatchEnvironment(), after, action);
  }
  // Exports to the output folder.
  ProgramRun Export(const std::string& import, const std::string& format, Lines paths,
                             const Lines& more = {}) const {
    Lines arguments = {"--import", import, "--export", format, "--export-folder", Out(""), "--summary",
                       (folder_ / "summary.csv").string()};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    return Batch(arguments);
  }

  // Changes one line of the export template the program ships.
  void SetOption(const std::string& key, const std::string& value) {
    const std::string text = folder_.Read("home/KorrinExportTemplate.INI");
    const std::regex line("(^|\n)" + key + "=[^\r\n]*");
    const std::string changed = std::regex_replace(text, line, "$1" + key + "=" + value);
    ASSERT_NE(changed, text) << key;
    folder_.Write("home/KorrinExportTemplate.INI", changed);
  }

  std::string Sample(const std::string& name) const { return (folder_ / "samples" / name).string(); }
  std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }
  // The summary's first three columns (path, outcome, reason), which most
  // tests check; the later ones hold sizes and times.
  std::string Summary() const { return FirstThreeColumns(FullSummary()); }
  std::string FullSummary() const { return folder_.Read("summary.csv"); }
  static std::string FirstThreeColumns(const std::string& csv) {
    std::string kept;
    bool quoted = false;
    int commas = 0;
    for (std::size_t i = 0; i < csv.size(); ++i) {
      const char c = csv[i];
      if (c == '"') quoted = !quoted;
      if (!quoted && c == ',') ++commas;
      if (!quoted && c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') commas = 0;
      if (commas < 3) kept += c;
    }
    return kept;
  }
  std::string Read(const std::string& path) const { return folder_.Read(fs::relative(path, folder_.path()).string()); }

  TemporaryFolder folder_;
  // Entries ("NAME=value") every korrin-batch of the test gets besides.
  Lines moreEnvironment_;
};

}  // namespace korrin::testing
