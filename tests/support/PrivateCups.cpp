#include "support/PrivateCups.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "support/ChildProcesses.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"

extern char** environ;

namespace korrin::testing {
namespace {

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kLpstat = "/usr/bin/lpstat";
constexpr const char* kLpadmin = "/usr/sbin/lpadmin";
// Given as a file: "-m" would need cups-driverd, which only the full "cups"
// package installs.
constexpr const char* kPdfDriver = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

// cupsd answers well within a second; the bounds leave room for a loaded
// machine and still end a broken run long before the test's time limit.
constexpr int kStartPolls = 400;
constexpr int kIdlePolls = 1200;
constexpr std::chrono::milliseconds kPollPause{25};

// The filters run as lp and must reach the spool and output folders: the
// 0700 of a fresh temporary folder makes every job end with an empty file.
constexpr std::filesystem::perms kOpenFolder =
    std::filesystem::perms::owner_all | std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
    std::filesystem::perms::others_read | std::filesystem::perms::others_exec;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

PrivateCups::PrivateCups(std::string socket)
    : socket_(socket.empty() ? (folder_ / "cups.sock").string() : std::move(socket)) {
  if (socket_.size() >= sizeof(sockaddr_un::sun_path)) {
    ADD_FAILURE() << "socket path too long for a Unix socket: " << socket_;
    return;
  }
  running_ = WriteConfiguration() && StartServer() && WaitUntilAnswering();
}

PrivateCups::~PrivateCups() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  const bool ended = WaitUntil([this] { return ::waitpid(pid_, nullptr, WNOHANG) == pid_; });
  if (!ended) {
    ADD_FAILURE() << "cupsd " << pid_ << " did not end after SIGTERM";
    EndChild(pid_);
  }
}

std::vector<std::string> PrivateCups::Environment() const { return {"CUPS_SERVER=" + socket_}; }

bool PrivateCups::WriteConfiguration() {
  const std::filesystem::path root = folder_.path();
  std::error_code error;
  std::filesystem::permissions(root, kOpenFolder, error);
  // The temporary folder must lie inside the spool, where cupsd gives it the
  // owner and mode the filters need; it must exist before cupsd reads the
  // configuration.
  for (const char* name :
       {"server", "server/ppd", "server/ssl", "spool", "spool/tmp", "cache", "state", "log", "out"}) {
    std::filesystem::create_directories(root / name, error);
    std::filesystem::permissions(root / name, kOpenFolder, error);
    if (error) {
      ADD_FAILURE() << "cannot prepare " << (root / name) << ": " << error.message();
      return false;
    }
  }
  const std::string r = root.string();
  const std::pair<const char*, std::string> files[] = {
      {"ServerRoot", r + "/server"},
      {"RequestRoot", r + "/spool"},
      {"TempDir", r + "/spool/tmp"},
      {"CacheDir", r + "/cache"},
      {"StateDir", r + "/state"},
      {"ErrorLog", r + "/log/error_log"},
      {"AccessLog", r + "/log/access_log"},
      {"PageLog", r + "/log/page_log"},
      {"Printcap", r + "/printcap"},
      {"User", "lp"},
      {"Group", "lp"},
      {"SystemGroup", "root"},
      {"FileDevice", "Yes"},  // queues may print into files
  };
  std::string filesConf;
  for (const auto& [key, value] : files) filesConf += std::string(key) + ' ' + value + '\n';
  folder_.Write("cups-files.conf", filesConf);
  folder_.Write("cupsd.conf", "Listen " + socket_ + "\n" +
                                  "Browsing No\n"
                                  "BrowseLocalProtocols none\n"
                                  "WebInterface No\n"
                                  "DefaultAuthType None\n"
                                  "LogLevel warn\n"
                                  "<Location />\n  Order allow,deny\n  Allow localhost\n</Location>\n"
                                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  return true;
}

bool PrivateCups::StartServer() {
  const std::string r = folder_.string();
  std::vector<std::string> text{kCupsd, "-f", "-c", r + "/cupsd.conf", "-s", r + "/cups-files.conf"};
  std::vector<char*> argv;
  for (std::string& argument : text) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string output = r + "/log/cupsd.out";
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const int spawned = ::posix_spawn(&pid_, kCupsd, &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    ADD_FAILURE() << "cannot start " << kCupsd << ": " << std::strerror(spawned);
    return false;
  }
  return true;
}

bool PrivateCups::WaitUntilAnswering() {
  for (int poll = 0; poll < kStartPolls; ++poll) {
    if (RunProgram(kLpstat, {"-h", socket_, "-r"}).out == "scheduler is running\n") return true;
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      ADD_FAILURE() << "cupsd ended at its start:\n"
                    << ReadAll(folder_ / "log/cupsd.out") << ReadAll(folder_ / "log/error_log");
      return false;
    }
    std::this_thread::sleep_for(kPollPause);
  }
  ADD_FAILURE() << "cupsd did not answer on " << socket_ << ":\n" << ReadAll(folder_ / "log/error_log");
  return false;
}

bool PrivateCups::RunTool(const std::string& program, const std::vector<std::string>& arguments, std::string* out) {
  const ProgramRun run = RunProgram(program, arguments);
  if (out != nullptr) *out = run.out;
  if (run.exitCode == 0) return true;
  std::string command = program;
  for (const std::string& argument : arguments) command += " " + argument;
  ADD_FAILURE() << command << " failed with " << run.exitCode << ":\n"
                << run.out << run.err;
  return false;
}

bool PrivateCups::AddPdfQueue(const std::string& name) {
  return RunTool(kLpadmin, {"-h", socket_, "-p", name, "-v", "file://" + OutputPath(name), "-P", kPdfDriver, "-o",
                            "PageSize=A4", "-o", "printer-error-policy=abort-job", "-E"});
}

bool PrivateCups::SetDefault(const std::string& name) { return RunTool(kLpadmin, {"-h", socket_, "-d", name}); }

bool PrivateCups::WaitUntilIdle(const std::string& name) {
  for (int poll = 0; poll < kIdlePolls; ++poll) {
    std::string pending;
    if (!RunTool(kLpstat, {"-h", socket_, "-o", name}, &pending)) return false;
    if (pending.empty()) return true;
    std::this_thread::sleep_for(kPollPause);
  }
  ADD_FAILURE() << "the queue " << name << " still has jobs:\n" << ReadAll(folder_ / "log/error_log");
  return false;
}

int PrivateCups::CompletedJobs(const std::string& name) {
  std::string jobs;
  if (!RunTool(kLpstat, {"-h", socket_, "-W", "completed", "-o", name}, &jobs)) return -1;
  return static_cast<int>(std::count(jobs.begin(), jobs.end(), '\n'));
}

std::string PrivateCups::OutputPath(const std::string& name) const {
  return (folder_ / "out" / name).string() + ".pdf";
}

std::string PrivateCups::Output(const std::string& name) const { return ReadAll(OutputPath(name)); }

}  // namespace korrin::testing
