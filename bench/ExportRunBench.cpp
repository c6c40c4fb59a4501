// A whole export run on the stand-in host against the host work alone.
// 2,000 small parts are saved as native copies, once by a run (every check,
// log line and progress step the engine takes) and once by a bare loop of
// the same opens, saves and closes through the host interface, each with the
// host inside this process and with the host program in its own process.
// Targets: inside, the run takes at most 1.5 times the bare loop, so the
// engine's own cost per document stays small beside the host's; with the
// host in its own process, where each of the run's extra calls is a round
// trip, at most 1.15 times the bare loop through the same host.

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "AgreeingDialogs.h"
#include "ProcessHostConnector.h"
#include "StandinConnector.h"
#include "install/HostPrograms.h"
#include "platform/SystemPaths.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "engine/BatchRun.h"
#include "formats/OptionSets.h"
#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kParts = 2'000;
constexpr double kLongestRatio = 1.5;
constexpr double kLongestRatioOutOfProcess = 1.15;

// Where the host runs: inside this process, or as the host program.
enum class Hosting { InProcess, OwnProcess };
constexpr const char* kVersionTag = "RegistryVersion7.0";
constexpr const char* kVersionNumber = "7.0";

// A process list with nothing running in which nothing can be started: the
// run must not start the real watcher program from a benchmark.
class EmptyProcessTable final : public korrin::ProcessTable {
 public:
  std::vector<korrin::ProcessEntry> Snapshot() const override { return {}; }
  korrin::Status Terminate(std::int64_t) override { return korrin::Failure{3, "No such process"}; }
  korrin::Status SetPriorityClass(std::int64_t, korrin::PriorityClass) override {
    return korrin::Failure{3, "No such process"};
  }
  korrin::Result<std::int64_t> Start(const std::string&, const std::vector<std::string>&, korrin::StartStyle) override {
    return korrin::Failure{1, "Starting programs is not allowed here"};
  }
};

using korrin::bench::AgreeingDialogs;

class NoEvents final : public korrin::EventPump {
 public:
  void Yield() override {}
};

// Keeps the log as a window's list would; keeping it is part of what a run
// costs.
class LineKeepingView final : public korrin::RunView {
 public:
  void AppendLogLine(const std::string& line) override { lines.push_back(line); }
  void ShowStatusText(const std::string& text) override { status = text; }
  void ShowFileCounter(const std::string& text) override { fileCounter = text; }
  void ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) override {
    bar = barValue;
    percent = percentText;
    timeLeft = timeLeftText;
  }

  std::vector<std::string> lines;
  std::string status;
  std::string fileCounter;
  int bar = 0;
  std::string percent;
  std::string timeLeft;
};

std::string LowerHex(std::uint64_t number) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(number));
  return text;
}

// A folder of its own under the system's temporary folder, removed with
// everything in it at the end. Its name is lower case: the run hands the
// host lower-cased paths, and the stand-in would search every folder of a
// path it does not find as given, which is no cost of the engine.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate =
          base / ("korrin-bench-export-run-" + std::to_string(::getpid()) + "-" + LowerHex(random()));
      std::error_code error;
      if (fs::create_directory(candidate, error)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("no temporary folder could be made under " + base.string());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// The parts, the installed stand-in's registry and the export folder both
// benchmarks share.
class ExportSetting {
 public:
  ExportSetting() {
    fs::create_directories(sources());
    fs::create_directories(outputs());
    korrin::standin::StandinDocument part;
    part.type = korrin::standin::DocumentType::Part;
    part.release = {7, 0};
    part.environment = "Part";
    for (std::size_t i = 0; i < kParts; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "part-%04zu", i + 1);
      const fs::path source = sources() / (std::string(name) + ".ipt");
      if (korrin::Status written = korrin::standin::WriteStandinDocument(source, part); !written) {
        throw std::runtime_error(written.failure().description);
      }
      list_.Add(source.string());
      work_.push_back({source.string(), (outputs() / (std::string(name) + ".ipt")).string()});
    }
    // Installed as a host installs itself, with the user key the active
    // project is written to.
    (void)registry_.CreateRegistryKey(korrin::RegistryRoot::LocalMachine, korrin::kHostVersionKey, "");
    (void)registry_.WriteRegistryValue(korrin::RegistryRoot::LocalMachine, korrin::kHostVersionKey, "RegistryVersion",
                                       std::string(kVersionTag));
    (void)registry_.CreateRegistryKey(korrin::RegistryRoot::CurrentUser,
                                      korrin::HostUserKey(kVersionTag, korrin::kExternalReferencesKey), "");
    std::FILE* project = std::fopen(projectFile().c_str(), "w");
    if (project == nullptr) throw std::runtime_error("no project file could be written");
    std::fclose(project);
    // The host program in the installation's program folder, which it reads
    // from this registry; its socket in a folder of the benchmark's own.
    const fs::path programs = scratch_.path() / "bin";
    fs::create_directories(programs);
    auto placed = korrin::standin::PlaceHostPrograms(
        (korrin::system_paths::ExecutablePath().parent_path() / "korrin-host").string(), programs.string());
    if (!placed) throw std::runtime_error(placed.failure().description);
    (void)registry_.CreateRegistryKey(korrin::RegistryRoot::LocalMachine, korrin::kHostAppPathsKey, "");
    (void)registry_.WriteRegistryValue(korrin::RegistryRoot::LocalMachine, korrin::kHostAppPathsKey,
                                       korrin::kHostAppPathValueName, programs.string());
    ::setenv("KORRIN_REGISTRY", (scratch_.path() / "registry").c_str(), 1);
    ::setenv("KORRIN_HOSTS", (scratch_.path() / "hosts").c_str(), 1);
  }

  fs::path sources() const { return scratch_.path() / "in"; }
  fs::path outputs() const { return scratch_.path() / "out"; }
  std::string projectFile() const { return (scratch_.path() / "default.ipj").string(); }
  const korrin::ConversionList& list() const { return list_; }
  // Each part with the file its native copy goes to.
  const std::vector<std::pair<std::string, std::string>>& work() const { return work_; }
  korrin::SqliteRegistry& registry() { return registry_; }
  const korrin::ExportTemplateLines& options() const { return options_; }

  // Both benchmarks start each pass with an empty export folder, so both
  // write new files.
  void EmptyOutputs() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(outputs())) fs::remove_all(entry.path());
  }

  // How many native part copies the export folder holds; empty when one of
  // them does not read back as a part.
  std::optional<std::size_t> CountPartCopies() const {
    std::size_t count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(outputs())) {
      if (entry.path().extension() != ".ipt") continue;
      ++count;
      if (count == 1 || count == kParts) {
        auto read = korrin::standin::ReadStandinDocument(entry.path());
        if (!read || read.value().type != korrin::standin::DocumentType::Part) return std::nullopt;
      }
    }
    return count;
  }

 private:
  ScratchFolder scratch_;
  korrin::ConversionList list_;
  std::vector<std::pair<std::string, std::string>> work_;
  korrin::SqliteRegistry registry_{(scratch_.path() / "registry").string()};
  korrin::ExportTemplateLines options_ = korrin::DefaultTemplateLines();
};

ExportSetting& Setting() {
  static ExportSetting setting;
  return setting;
}

bool CheckOutputs(benchmark::State& state, const ExportSetting& setting) {
  const auto copies = setting.CountPartCopies();
  if (!copies) {
    state.SkipWithError("an output does not read back as a part");
    return false;
  }
  if (*copies != kParts) {
    const std::string message = std::to_string(*copies) + " outputs written, not " + std::to_string(kParts);
    state.SkipWithError(message.c_str());
    return false;
  }
  return true;
}

// Whatever went wrong in a run, as one text; empty when every part converted.
std::string RunProblem(const korrin::RunResult& result, const AgreeingDialogs& dialogs) {
  if (!dialogs.messages.empty()) return "the run showed a message: " + dialogs.messages.front();
  if (!result.orderlyEnd) return "the run did not end in order";
  if (result.entries.size() != kParts) return std::to_string(result.entries.size()) + " entries in the result";
  for (const korrin::EntryRecord& entry : result.entries) {
    if (entry.outcome != korrin::EntryOutcome::Converted) return entry.path + " was not converted: " + entry.reason;
  }
  return "";
}

// A new host each pass, as the bare loop has.
std::unique_ptr<korrin::host::HostConnector> NewConnector(Hosting hosting, ExportSetting& setting) {
  if (hosting == Hosting::InProcess) {
    return std::make_unique<korrin::standin::StandinConnector>(setting.registry(), nullptr);
  }
  return std::make_unique<korrin::standin::ProcessHostConnector>(setting.registry());
}

// A host program outlives what drove it; each pass ends its own.
void QuitHost(korrin::host::HostConnector& connector) {
  if (auto running = connector.GetRunning()) (void)running.value()->Quit();
}

void ExportRun(benchmark::State& state, Hosting hosting) {
  ExportSetting& setting = Setting();
  EmptyProcessTable processes;
  NoEvents events;
  korrin::AbortFlag abort;
  std::unique_ptr<korrin::host::HostConnector> connector;
  std::optional<AgreeingDialogs> dialogs;
  std::optional<LineKeepingView> view;
  for (auto _ : state) {
    state.PauseTiming();
    setting.EmptyOutputs();
    connector = NewConnector(hosting, setting);
    dialogs.emplace();
    view.emplace();
    korrin::RunInputs inputs;
    inputs.importCaption = "Inventor Part Files (*.IPT)";
    // The native export: under it the run saves a part as a copy in the
    // part format.
    inputs.exportCaption = "Inventor Assemblyfile (*.IAM)";
    inputs.useExportFolder = true;
    inputs.exportFolder = setting.outputs().string() + "/";
    inputs.projectFile = setting.projectFile();
    // The watcher's program folder goes unused: the process table starts
    // nothing.
    korrin::RunEnvironment environment{*connector, processes,         setting.registry(),
                                       *dialogs,   events,            *view,
                                       abort,      setting.options(), kVersionTag,
                                       kVersionNumber, setting.sources().string(), korrin::HostWaitLimit{}};
    state.ResumeTiming();

    const korrin::RunResult result = korrin::StartRun(setting.list(), inputs, environment);

    state.PauseTiming();
    QuitHost(*connector);
    benchmark::DoNotOptimize(view->lines.data());
    if (const std::string problem = RunProblem(result, *dialogs); !problem.empty()) {
      state.SkipWithError(problem.c_str());
      break;
    }
    if (!CheckOutputs(state, setting)) break;
    state.ResumeTiming();
  }
}

void BareLoop(benchmark::State& state, Hosting hosting) {
  ExportSetting& setting = Setting();
  std::unique_ptr<korrin::host::HostConnector> connector;
  for (auto _ : state) {
    state.PauseTiming();
    setting.EmptyOutputs();
    connector = NewConnector(hosting, setting);
    state.ResumeTiming();

    auto created = connector->Create();
    if (!created) {
      state.SkipWithError(created.failure().description.c_str());
      break;
    }
    korrin::host::Application& host = *created.value();
    std::string failure;
    for (const auto& [source, output] : setting.work()) {
      auto opened = host.OpenDocument(source, true);
      if (!opened) {
        failure = opened.failure().description;
        break;
      }
      korrin::Status saved = host.documents().SaveAs(opened.value(), output, true);
      korrin::Status closed = host.documents().Close(opened.value(), true);
      if (!saved || !closed) {
        failure = !saved ? saved.failure().description : closed.failure().description;
        break;
      }
    }

    state.PauseTiming();
    QuitHost(*connector);
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      break;
    }
    if (!CheckOutputs(state, setting)) break;
    state.ResumeTiming();
  }
}

// Medians of several repetitions, since one pass on a shared machine can be
// slowed by its neighbours; file work makes wall time the time that counts.
BENCHMARK_CAPTURE(ExportRun, InProcess, Hosting::InProcess)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BareLoop, InProcess, Hosting::InProcess)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ExportRun, OwnProcess, Hosting::OwnProcess)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BareLoop, OwnProcess, Hosting::OwnProcess)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Collects the medians, and any failure, so the target can be judged after
// the runs.
class TargetReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medianMilliseconds;
  std::string failure;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        if (failure.empty()) failure = run.run_name.function_name + ": " + run.error_message;
        continue;
      }
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      medianMilliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TargetReporter reporter;
  try {
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } catch (const std::exception& error) {
    std::printf("export run of 2,000 parts: could not be set up: %s\n", error.what());
    return 1;
  }
  benchmark::Shutdown();

  if (!reporter.failure.empty()) {
    std::printf("export run of 2,000 parts: %s: NOT MET\n", reporter.failure.c_str());
    return 1;
  }
  bool met = true;
  const struct {
    const char* name;
    const char* words;
    double longestRatio;
  } kJudged[] = {{"InProcess", "host inside the process", kLongestRatio},
                 {"OwnProcess", "host in its own process", kLongestRatioOutOfProcess}};
  for (const auto& judged : kJudged) {
    const auto run = reporter.medianMilliseconds.find(std::string("ExportRun/") + judged.name);
    const auto bare = reporter.medianMilliseconds.find(std::string("BareLoop/") + judged.name);
    if (run == reporter.medianMilliseconds.end() || bare == reporter.medianMilliseconds.end()) {
      continue;  // filtered out: nothing to judge
    }
    const double ratio = run->second / bare->second;
    const bool within = bare->second > 0 && ratio <= judged.longestRatio;
    std::printf("export run of 2,000 parts, %s: %.1f ms; bare loop: %.1f ms; ratio %.2f (target: at most %.2f): %s\n",
                judged.words, run->second, bare->second, ratio, judged.longestRatio, within ? "met" : "NOT MET");
    met = met && within;
  }
  return met ? 0 : 1;
}
