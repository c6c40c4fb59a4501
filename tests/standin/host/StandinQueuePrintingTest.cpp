// Print managers printing on the system's print queues: none at all, and a
// private CUPS server whose queue writes what it gets into a PDF file.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "PrintingFixture.h"
#include "e2e/RunProgram.h"
#include "standin/host/PdfReading.h"
#include "standin/host/PrintTestEnvironment.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

extern char** environ;

namespace korrin {
namespace {

constexpr const char* kLpadmin = "/usr/sbin/lpadmin";
constexpr const char* kLpstat = "/usr/bin/lpstat";
// Given as a file: naming it as a model (-m) needs cups-driverd, which the
// server packages the tests install do not bring.
constexpr const char* kGenericPdfDriver = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

// A CUPS scheduler of the test's own, listening on a Unix socket only, with
// its configuration, spool and logs in a temporary folder. It runs from
// construction until destruction.
class PrivatePrintServer {
 public:
  explicit PrivatePrintServer(std::string socket) : socket_(std::move(socket)) {
    // The filters run as "lp" and must reach every folder.
    for (const char* folder : {"", "/spool", "/spool/tmp", "/cache", "/state", "/log", "/output"}) {
      std::filesystem::create_directories(folder_.string() + folder);
      ::chmod((folder_.string() + folder).c_str(), 0755);
    }
    WriteConfiguration();
    std::vector<std::string> arguments = {"/usr/sbin/cupsd", "-f", "-c", Path("cupsd.conf"), "-s",
                                          Path("cups-files.conf")};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, Path("log/cupsd.out").c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    ::posix_spawn_file_actions_destroy(&actions);
  }

  ~PrivatePrintServer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }

  PrivatePrintServer(const PrivatePrintServer&) = delete;
  PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

  bool WaitUntilReady() const {
    return pid_ > 0 && testing::WaitUntil([&] {
             return testing::RunProgram(kLpstat, {"-h", socket_, "-r"}).out.find("scheduler is running") !=
                    std::string::npos;
           });
  }

  // A queue that writes each job's PDF into its file (replacing the last
  // one's), on A4 paper; the server's default queue when asked.
  testing::ProgramRun AddPdfQueue(const std::string& name, bool asDefault) {
    testing::ProgramRun run = testing::RunProgram(
        kLpadmin, {"-h", socket_, "-p", name, "-v", "file://" + OutputOf(name), "-P", kGenericPdfDriver, "-o",
                   "PageSize=A4", "-o", "printer-error-policy=abort-job", "-E"});
    if (run.exitCode == 0 && asDefault) run = testing::RunProgram(kLpadmin, {"-h", socket_, "-d", name});
    return run;
  }

  std::string OutputOf(const std::string& queue) const { return Path("output/" + queue + ".pdf"); }

  // The file appears when a job starts: it is complete once the queue is empty.
  bool WaitUntilPrinted(const std::string& queue) const {
    return testing::WaitUntil([&] {
      return std::filesystem::exists(OutputOf(queue)) &&
             testing::RunProgram(kLpstat, {"-h", socket_, "-o", queue}).out.empty();
    });
  }

  std::string Log() const {
    std::ifstream in(Path("log/error_log"));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  void WriteConfiguration() const {
    const std::string root = folder_.string();
    std::ofstream(Path("cups-files.conf")) << "ServerRoot " << root << "\nRequestRoot " << root
                                            << "/spool\nTempDir " << root << "/spool/tmp\nCacheDir " << root
                                            << "/cache\nStateDir " << root << "/state\nErrorLog " << root
                                            << "/log/error_log\nAccessLog " << root << "/log/access_log\nPageLog "
                                            << root << "/log/page_log\nPrintcap " << root
                                            << "/printcap\nUser lp\nGroup lp\nSystemGroup root\nFileDevice Yes\n";
    std::ofstream(Path("cupsd.conf")) << "Listen " << socket_
                                       << "\nBrowsing No\nBrowseLocalProtocols none\nWebInterface No\n"
                                          "DefaultAuthType None\nLogLevel warn\n"
                                          "<Location />\n  Order allow,deny\n  Allow localhost\n</Location>\n"
                                          "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                          "</Policy>\n";
  }

  std::string socket_;
  testing::TemporaryFolder folder_;
  pid_t pid_ = -1;
};

class StandinQueuePrintingTest : public testing::PrintingFixture {};

TEST_F(StandinQueuePrintingTest, WithoutAQueueNothingIsPrinted) {
  // No server listens on the tests' print server socket.
  const host::PrintManagerHandle manager = Manager(Open(WriteDrawing("plate.idw", {A4Sheet()})));
  const struct {
    std::string printer;
    std::string description;
  } cases[] = {
      {"Nowhere", "The system has no print queue named \"Nowhere\"."},
      {"Default", "The system has no print queue."},
      {"", "The system has no print queue."},
  };
  for (const auto& test : cases) {
    ASSERT_TRUE(Printing().SetPrinter(manager, test.printer).ok());
    const Status printed = Printing().SubmitPrint(manager);
    ASSERT_FALSE(printed.ok()) << test.printer;
    EXPECT_EQ(printed.failure().description, test.description);
  }
  EXPECT_TRUE(Standin().printSubmissions().empty());
}

TEST_F(StandinQueuePrintingTest, AJobOnAPrivateQueueArrivesAsOneA4Page) {
  PrivatePrintServer server(testing::PrivatePrintServerSocket());
  ASSERT_TRUE(server.WaitUntilReady()) << server.Log();
  const testing::ProgramRun added = server.AddPdfQueue("korrin-a4", true);
  ASSERT_EQ(added.exitCode, 0) << added.err;

  WriteSpacerPart();
  const host::DocumentHandle drawing = Open(WriteDrawing("drawings/plate.idw", {A4Sheet()}, {"../parts/spacer.ipt"}));
  const host::DocumentHandle part = Open((folder_ / "parts/spacer.ipt").string());
  const struct {
    host::DocumentHandle document;
    std::string printer;
    std::string text;  // found on the page
  } cases[] = {{drawing, "Default", "plate"}, {part, "korrin-a4", ""}};
  for (const auto& test : cases) {
    std::filesystem::remove(server.OutputOf("korrin-a4"));
    const host::PrintManagerHandle manager = Manager(test.document);
    ASSERT_TRUE(Printing().SetPrinter(manager, test.printer).ok());
    ASSERT_TRUE(Printing().SetPaperSize(manager, 14341).ok());  // A4
    const Status printed = Printing().SubmitPrint(manager);
    ASSERT_TRUE(printed.ok()) << printed.failure().description;
    ASSERT_TRUE(server.WaitUntilPrinted("korrin-a4")) << server.Log();
    const testing::PdfInfo info = testing::ReadPdfInfo(server.OutputOf("korrin-a4"));
    EXPECT_EQ(info.pages, "1") << test.printer;
    EXPECT_EQ(info.pageSize, "595 x 842 pts (A4)") << test.printer;
    EXPECT_NE(testing::PdfText(server.OutputOf("korrin-a4")).find(test.text), std::string::npos) << test.printer;
    EXPECT_EQ(Standin().printSubmissions().back().destination, "korrin-a4");
    EXPECT_FALSE(Standin().printSubmissions().back().toFile);
  }

  const host::PrintManagerHandle manager = Manager(drawing);
  ASSERT_TRUE(Printing().SetPrinter(manager, "korrin-a3").ok());
  const Status unknown = Printing().SubmitPrint(manager);
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.failure().description, "The system has no print queue named \"korrin-a3\".");
  EXPECT_EQ(Standin().printSubmissions().size(), 2u);
}

}  // namespace
}  // namespace korrin
