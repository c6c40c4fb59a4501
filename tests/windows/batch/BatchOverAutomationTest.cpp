// korrin-batch.exe converting documents as a site runs it: the host's keys
// in the registry, its automation class served by a program named
// Inventor.exe in the host's program folder (the model host), the document
// reader served in korrin-batch's own process.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/EntrySteps.h"
#include "host/ChannelFailures.h"
#include "host/HostCodes.h"
#include "platform/windows/MessageEventPump.h"
#include "platform/windows/automation/ComHostConnector.h"
#include "platform/windows/WideText.h"
#include "platform/windows/automation/ServerProcess.h"
#include "support/TemporaryFolder.h"
#include "support/windows/TestPrograms.h"
#include "support/windows/TestServerClasses.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr const wchar_t* kVersionKey = L"SOFTWARE\\Autodesk\\Inventor\\Current Version";
constexpr const wchar_t* kAppPathsKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Inventor.exe";
constexpr const wchar_t* kUserKey =
    L"Software\\Autodesk\\Inventor\\RegistryVersion11.0\\System\\Preferences\\External References";
// Longer than any run here takes; a run that outlasts it hung.
constexpr DWORD kRunMilliseconds = 120000;

std::string Text(const fs::path& path) { return TextFromWide(path.wstring()); }

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A console's lines, CR LF read as one end.
Lines SplitLines(const std::string& text) {
  Lines lines;
  std::size_t from = 0;
  for (std::size_t end = text.find('\n', from); end != std::string::npos; end = text.find('\n', from)) {
    lines.push_back(text.substr(from, end - from - (end > from && text[end - 1] == '\r' ? 1 : 0)));
    from = end + 1;
  }
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

fs::path ThisProgramsFolder() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(std::wstring(self, length)).parent_path();
}

bool SetValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  return ::RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void EndHosts() { testing::EndProcessesNamed(L"Inventor.exe"); }

struct BatchRun {
  int status = 0;
  Lines output;  // standard output and error together, in the order written
};

class BatchOverAutomationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    hostFolder_ = std::make_unique<testing::TemporaryFolder>();
    const fs::path built = ThisProgramsFolder();
    const fs::path bin = hostFolder_->path() / "Bin";
    fs::create_directories(bin);
    fs::copy_file(built / testing::kTestServerImage, bin / "Inventor.exe");
    fs::copy_file(built / testing::kTestReaderLibrary, bin / testing::kTestReaderLibrary);
    ASSERT_EQ(testing::RunAndWait({(bin / "Inventor.exe").wstring(), L"/RegServer", L"model"}), 0);
    ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"RegistryVersion", L"RegistryVersion11.0"));
    ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, kAppPathsKey, L"Path", bin.wstring()));
    HKEY created = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(created);
  }

  static void TearDownTestSuite() {
    EndHosts();
    EXPECT_EQ(testing::RunAndWait({(hostFolder_->path() / "Bin" / "Inventor.exe").wstring(), L"/UnregServer"}), 0);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kVersionKey);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kAppPathsKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Autodesk\\Inventor\\RegistryVersion11.0");
    hostFolder_.reset();
  }

  // The program with its shipped files beside it and a logo.ipt of the
  // site's own for the reader's self-test, parts to convert and an empty
  // output folder.
  void SetUp() override {
    const fs::path built = ThisProgramsFolder();
    fs::create_directories(Home());
    for (const char* file : {"korrin-batch.exe", "KorrinExportTemplate.INI", "papersizes.ini"}) {
      fs::copy_file(built / file, Home() / file);
    }
    Write(Home() / "logo.ipt", "part\n");
    fs::create_directories(In());
    fs::create_directories(Out());
    Write(In() / "Default.ipj", "");
  }

  void TearDown() override { EndHosts(); }

  fs::path Home() const { return folder_ / "program"; }
  fs::path In() const { return folder_ / "in"; }
  fs::path Out() const { return folder_ / "out"; }
  static void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

  std::string Part(const std::string& name, const std::string& text = "part\n") const {
    Write(In() / name, text);
    return Text(In() / name);
  }

  // Parts to STEP files in the output folder, with a summary and a report.
  BatchRun Convert(std::vector<std::wstring> extra = {}) const { return Export(L"*.STP", std::move(extra)); }

  BatchRun Export(const std::wstring& format, std::vector<std::wstring> extra = {},
                  const std::wstring& imported = L"*.IPT") const {
    std::vector<std::wstring> arguments{(Home() / "korrin-batch.exe").wstring(),
                                        L"--import",
                                        imported,
                                        L"--export",
                                        format,
                                        L"--export-folder",
                                        Out().wstring(),
                                        L"--summary",
                                        (folder_ / "summary.csv").wstring(),
                                        L"--report",
                                        (folder_ / "report.txt").wstring(),
                                        L"--project",
                                        (In() / "Default.ipj").wstring(),
                                        L"--yes"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back(In().wstring());
    const fs::path log = folder_ / "output.txt";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE output = ::CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(output, INVALID_HANDLE_VALUE);
    BatchRun run;
    run.status = testing::RunAndWait(arguments, output, kRunMilliseconds);
    ::CloseHandle(output);
    run.output = SplitLines(Read(log));
    return run;
  }

  // The summary without its last column, the seconds each entry took.
  std::string Summary() const {
    std::string kept;
    for (const std::string& line : SplitLines(Read(folder_ / "summary.csv"))) {
      kept += line.substr(0, line.rfind(',')) + "\n";
    }
    return kept;
  }
  std::string OutPath(const std::string& name) const { return Text(Out() / name); }

  // What the model's STEP translator writes for a document, with the
  // shipped template's options, naming the document as the run opened it.
  static std::string StepFile(const std::string& source) {
    return "Autodesk STEP Translator\ndocument: " + NameToOpen(source) +
           "\nApplicationProtocolType=5\nAuthor=Model User\nAuthorization=\nDescription=\nOrganization=\n";
  }

  // The server that met a fault planted in the document, as its marker
  // names it; 0 when none did.
  DWORD ServerThatMet(const char* document, const char* fault) const {
    const std::string id = Read(In() / (std::string(document) + "." + fault));
    return id.empty() ? 0 : static_cast<DWORD>(std::stoul(id));
  }

  static Lines Converted(const std::string& source, const std::string& output) {
    return {"Opening: " + source, "Checking document references...", "Exporting document: " + output,
            "Closing document(s)"};
  }

  static inline std::unique_ptr<testing::TemporaryFolder> hostFolder_;
  testing::TemporaryFolder folder_;
};

// The watcher is a site's own program: none is installed beside the test's
// copy, and the run says so and goes on.
const Lines kStarted{"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                     "Inventor started",
                     "Watcher could not be enabled. This may cause user intervention when converting files"};

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(BatchOverAutomationTest, ConvertsPartsThroughTheInstalledHostsAutomationServer) {
  const std::string a = Part("a.ipt");
  const std::string b = Part("b.ipt");
  const BatchRun run = Convert();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Joined({kStarted, Converted(a, OutPath("a.STP")), Converted(b, OutPath("b.STP")),
                                {"Ready", "Summary: 2 converted, 0 skipped, 0 failed"}}));
  EXPECT_EQ(Read(Out() / "a.stp"), StepFile(a));
  EXPECT_EQ(Read(Out() / "b.stp"), StepFile(b));
  // The bytes are the document's, which the progress counts.
  EXPECT_EQ(Summary(), "path,outcome,reason,outputs,bytes\n" + a + ",converted,," + OutPath("a.stp") + ",5\n" + b +
                           ",converted,," + OutPath("b.stp") + ",5\n");
  EXPECT_EQ(SplitLines(Read(folder_ / "report.txt")), Lines(run.output.begin(), run.output.end() - 1));
  // The host stays running for the next run, as a user's host does.
  EXPECT_EQ(ProcessesNamed(L"Inventor.exe").size(), 1u);
}

// A server that dies inside an open, and one that stops answering in it:
// the run replaces the server, reopens the document and goes on. Wine does
// not cancel a call whose deadline passed, so the program ends the hung
// server itself.
TEST_F(BatchOverAutomationTest, AServerThatDiesOrHangsInAnOpenIsReplacedAndTheDocumentReopened) {
  const struct {
    const char* fault;
    const char* marker;
    std::vector<std::wstring> options;
    std::string reason;
  } cases[] = {{"crash-first-open", "crashed", {}, "The RPC server is unavailable."},
               {"hang-first-open", "hung", {L"--host-timeout", L"3", L"--call-timeout", L"3"},
                "The host did not answer within 3 s"}};
  for (const auto& planted : cases) {
    SCOPED_TRACE(planted.fault);
    EndHosts();
    fs::remove_all(In());
    fs::remove_all(Out());
    fs::create_directories(In());
    fs::create_directories(Out());
    Write(In() / "Default.ipj", "");
    const std::string a = Part("a.ipt");
    const std::string b = Part("b.ipt", std::string("part\n") + planted.fault + "\n");
    const std::string c = Part("c.ipt");
    const BatchRun run = Convert(planted.options);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Joined({kStarted, Converted(a, OutPath("a.STP")),
                                  {"Opening: " + b, "Error opening: " + b + "  " + planted.reason,
                                   "Retrying to reactivate Inventor...", "Error closing Inventor gracefully...",
                                   planted.reason, "Trying to reopen last failed document..",
                                   "Checking document references...", "Exporting document: " + OutPath("b.STP"),
                                   "Closing document(s)"},
                                  Converted(c, OutPath("c.STP")), {"Ready", "Summary: 3 converted, 0 skipped, 0 failed"}}));
    const DWORD met = ServerThatMet("b.ipt", planted.marker);
    ASSERT_NE(met, 0u) << "no server met the fault";
    const std::set<DWORD> serving = ProcessesNamed(L"Inventor.exe");
    EXPECT_EQ(serving.size(), 1u);
    EXPECT_EQ(serving.count(met), 0u) << "the server that met the fault still runs";
    for (const char* name : {"a", "b", "c"}) {
      EXPECT_EQ(Read(Out() / (std::string(name) + ".stp")), StepFile(Text(In() / (std::string(name) + ".ipt"))));
    }
  }
}

// A drawing's DWG finished in AutoCAD, reached through its own automation
// class: each file the export wrote is opened there, its lineweights
// hidden, updated and saved.
TEST_F(BatchOverAutomationTest, DwgFilesAreFinishedInAutocadThroughItsAutomationClass) {
  const std::string drawing = Part("b.idw");
  const BatchRun run = Export(L"*.DWG", {L"--strip-lineweights"}, L"*.IDW");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Joined({kStarted, Converted(drawing, OutPath("b.DWG")),
                                {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  EXPECT_EQ(Read(Out() / "b.dwg"), "Autodesk DWG Translator\ndocument: " + NameToOpen(drawing) +
                                       "\nExport_Acad_IniFile=\nlineweight-display off\nupdated-before-save yes\n"
                                       "saved-by AutoCAD\n");
  EXPECT_EQ(ProcessesNamed(L"Inventor.exe").size(), 2u);  // the host's server and AutoCAD's
}

// Printing is the host's: the run gives it the system's printer and the
// paper, and the host prints, here into files. The printer is a queue of a
// CUPS server of the test's own, which Wine lists as the system's printer.
TEST_F(BatchOverAutomationTest, PrintsThroughTheHostOnTheSystemsPrinter) {
  const char* queue = std::getenv("KORRIN_TEST_PRINTER");
  if (queue == nullptr) GTEST_SKIP() << "no printer of the test's own (tests/windows/with-private-cups, as root)";
  const std::string printer = queue;
  const auto setOption = [this](const std::string& shipped, const std::string& value) {
    std::string settings = Read(Home() / "KorrinExportTemplate.INI");
    const std::size_t at = settings.find(shipped);
    ASSERT_NE(at, std::string::npos) << shipped;
    settings.replace(at, shipped.size(), shipped.substr(0, shipped.find('=') + 1) + value);
    Write(Home() / "KorrinExportTemplate.INI", settings);
  };
  setOption("PrinterPrintToFile=0", "1");
  setOption("PrinterPrinter=Default", printer);
  setOption("PrinterPapersize=A3", "A4");
  const std::string part = Part("a.ipt");

  BatchRun run = Export(L"Printer");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Joined({kStarted,
                                {"Opening: " + part, "Checking document references...", "Printing: " + OutPath("a"),
                                 "Print no: 1 finished", "Closing document(s)", "Ready",
                                 "Summary: 1 converted, 0 skipped, 0 failed"}}));
  EXPECT_EQ(Read(Out() / "a.prn"), "model print of: " + NameToOpen(part) + "\nsheet: 0\nprinter: " + printer + "\n");

  // A paper the printer's driver does not offer (the system names its
  // papers; this driver has no A3) stops the print before the host prints.
  fs::remove(Out() / "a.prn");
  setOption("PrinterPapersize=A4", "A3");
  run = Export(L"Printer");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            Joined({kStarted,
                    {"Opening: " + part, "Checking document references...", "Printing: " + OutPath("a"),
                     "Custom papersize: ( A3 ) not supported on this printer: " + printer, "Closing document(s)",
                     "Ready", "Summary: 0 converted, 0 skipped, 1 failed"}}));
  EXPECT_FALSE(fs::exists(Out() / "a.prn"));
}

// The calls the run makes on a view's window, as the installed host answers
// them: its window is a window of the host's process, placed and shown by
// the system, and its camera turned through the host's own camera object.
TEST_F(BatchOverAutomationTest, AViewsWindowIsTheHostsOwnPlacedAndShownThroughTheSystem) {
  const std::string part = Part("a.ipt");
  ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  {
    MessageEventPump pump;
    ComHostConnector connector;
    connector.SetCallWaits(&pump, host::CallDeadlines{std::chrono::seconds(20), std::chrono::seconds(5)});
    Result<std::shared_ptr<host::Application>> created = connector.Create();
    ASSERT_TRUE(created) << created.failure().description;
    host::Application& application = *created.value();
    ASSERT_TRUE(application.OpenDocument(part, true));
    Result<host::ViewHandle> view = application.ActiveView();
    ASSERT_TRUE(view) << view.failure().description;
    Result<host::WindowHandle> window = application.ViewWindow(view.value());
    ASSERT_TRUE(window) << window.failure().description;
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window.value().value));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(handle, &owner);
    EXPECT_EQ(ProcessesNamed(L"Inventor.exe"), std::set<DWORD>{owner});

    // Sized for a bitmap of 640 by 480, as the bitmap export sizes it, then
    // shown.
    Result<host::WindowPlacement> placement = application.GetWindowPlacement(window.value());
    ASSERT_TRUE(placement) << placement.failure().description;
    EXPECT_EQ(placement.value(), (host::WindowPlacement{0, SW_SHOWNORMAL, 100, 100, 500, 400}));
    // The extents come back through four integers passed by reference: the
    // window's top, left, height and width.
    Result<host::ViewExtents> extents = application.ViewWindowExtents(view.value());
    ASSERT_TRUE(extents) << extents.failure().description;
    EXPECT_EQ(extents.value(), (host::ViewExtents{100, 100, 300, 400}));
    Result<host::ViewExtents> ofNoView = application.ViewWindowExtents(host::ViewHandle{host::kApplicationObject.value});
    ASSERT_FALSE(ofNoView);
    EXPECT_EQ(ofNoView.failure(), (Failure{host::kMemberNotFound, "Member not found."}));
    host::WindowPlacement sized = placement.value();
    sized.right = sized.left + 640 + 12;
    sized.bottom = sized.top + 480 + 31;
    sized.flags = host::kPlacementRestoreToMaximized;
    // Wine 8 places no window of another process (its SetWindowPlacement
    // answers FALSE and sets no error), which Windows does for any window:
    // the call says so instead of claiming it placed the window.
    EXPECT_EQ(application.SetWindowPlacement(window.value(), sized).failure(),
              (Failure{host::kUnspecifiedFailure, "The system did not place the host's window"}));
    EXPECT_TRUE(application.ShowWindow(window.value(), host::kShowWindow));
    EXPECT_TRUE(application.ShowWindow(window.value(), host::kRestoreWindow));
    for (int wait = 0; wait < 100 && !::IsWindowVisible(handle); ++wait) ::Sleep(20);
    EXPECT_TRUE(::IsWindowVisible(handle));

    EXPECT_TRUE(application.SetCameraOrientation(view.value(), host::kIsometricViewOrientation));

    // A handle that names no window is refused by the system, not sent on.
    const host::WindowHandle none{0x7FFF0000};
    Result<host::WindowPlacement> nothing = application.GetWindowPlacement(none);
    ASSERT_FALSE(nothing);
    EXPECT_EQ(nothing.failure().number, ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(application.SetWindowPlacement(none, sized).failure(), nothing.failure());
    EXPECT_EQ(application.ShowWindow(none, host::kShowWindow).failure(), nothing.failure());
  }
  ::CoUninitialize();
}

}  // namespace
}  // namespace korrin
