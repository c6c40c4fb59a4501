#include "app/BatchJob.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/CatalogueReport.h"
#include "app/ConsoleDialogs.h"
#include "app/ConsoleEventPump.h"
#include "app/ConsoleRunView.h"
#include "app/DryRunLines.h"
#include "app/InterruptRequests.h"
#include "engine/RunOutcomes.h"
#include "app/ValidationOutput.h"
#include "engine/BatchRun.h"
#include "filelist/ConversionList.h"
#include "filelist/DropCollection.h"
#include "filelist/ImportFilter.h"
#include "formats/FormatCatalogue.h"
#include "frontend/ProgramStart.h"
#include "frontend/RunChecks.h"
#include "frontend/StartUpSteps.h"
#include "host/ProcessOperations.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"
#include "settings/TextTokens.h"
#include "verify/DocumentVerification.h"
#include "verify/ValidationReport.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;

constexpr int kNotFinished = 2;

// The entry named by its caption or its pattern, ignoring case.
std::optional<std::string> FindFormat(const std::vector<std::string>& captions, const std::string& wanted) {
  for (const std::string& caption : captions) {
    if (EqualsIgnoringCase(caption, wanted) || EqualsIgnoringCase(TextInParentheses(caption), wanted)) return caption;
  }
  return std::nullopt;
}

std::string Listed(const std::vector<std::string>& captions) {
  std::string text;
  for (const std::string& caption : captions) text += "\n  " + caption;
  return text;
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  std::string full = fs::absolute(path, error).lexically_normal().string();
  if (error) return path;
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
}

// The job's state between its steps.
class BatchJob {
 public:
  BatchJob(const BatchRequest& request, BatchPorts& ports)
      : request_(request),
        ports_(ports),
        view_(ports.out, ports.err, ports.showProgress),
        dialogs_(ports.err, request.answerYes, [this](const std::string& question) { return FixedAnswer(question); }),
        events_(abort_, [this] { view_.AppendLogLine("Aborting..."); }, ports.systemEvents),
        acadSetup_(ports.acadTemplateFolder) {
    dialogs_.SetBeforeWrite([this] { view_.ClearProgressLine(); });
    // Host calls wait through this job's pump, so Ctrl-C is seen meanwhile.
    ports_.connector.SetCallWaits(&events_, request_.timeouts.Deadlines());
  }
  ~BatchJob() { ports_.connector.SetCallWaits(nullptr, {}); }
  BatchJob(const BatchJob&) = delete;
  BatchJob& operator=(const BatchJob&) = delete;

  int Run() {
    int usage = 0;
    std::optional<ProgramState> dryRun;
    auto state = StartProgram({ports_.registry, ports_.connector, ports_.processes, dialogs_, events_,
                               ports_.printers, ports_.place},
                              [&](ProgramState& chosen) {
                                if (!ChooseFormats(chosen, usage)) return false;
                                // A dry run ends the start before the host is looked at.
                                if (request_.dryRun) dryRun = chosen;
                                return !request_.dryRun;
                              });
    if (usage != 0) return usage;
    if (dryRun) return DryRun(*dryRun);
    if (!state) return kNotFinished;
    ApplyFields(*state);

    ConversionList list;
    if (!Collect(*state, list)) return kNotFinished;
    if (request_.verify || request_.validate) return Check(*state, list);
    RunInputs inputs = Inputs(*state);
    if (request_.from) {
      if (*request_.from > list.Count()) {
        return Usage("--from " + std::to_string(*request_.from) + ": the list has " + std::to_string(list.Count()) +
                     " entries");
      }
      inputs.selected = *request_.from - 1;
    }
    if (!CheckRunCanStart(inputs.useExportFolder ? inputs.exportFolder : "", list.IsEmpty(), inputs.projectFile,
                          dialogs_)) {
      return kNotFinished;
    }

    RunEnvironment environment{ports_.connector,
                               ports_.processes,
                               ports_.registry,
                               dialogs_,
                               events_,
                               view_,
                               abort_,
                               state->options,
                               state->version.registryVersionTag,
                               state->version.hostVersionNumber,
                               ports_.place.programFolder,
                               HostWaitLimit{std::chrono::seconds(request_.timeouts.hostSeconds)}};
    environment.acadSetup = &acadSetup_;
    environment.printers = &ports_.printers;
    environment.watcher = ports_.watcher;
    const RunResult result = StartRun(list, inputs, environment);
    // The program ends here, as closing the main window ends it: a run that
    // left on an exit path leaves its watcher behind.
    KillProcesses(ports_.processes, kWatcherProgram);
    view_.ClearProgressLine();
    int status = BatchExitStatus(result);
    if (!WriteResults(result, *state)) status = std::max(status, 1);
    ports_.out << "Summary: " << SummaryLine(result) << std::endl;
    return status;
  }

 private:
  std::optional<bool> FixedAnswer(const std::string& question) const {
    if (IsRecurseQuestion(question)) return request_.recurse;
    if (question == kContinueQuestion && request_.from) return true;
    return std::nullopt;
  }

  int Usage(const std::string& problem) {
    ports_.err << "korrin-batch: " << problem << "\n";
    return kUsageErrorStatus;
  }

  // The formats of the request, chosen as a user would pick them in the
  // format boxes; false, with the usage status set, for a format the
  // program does not offer.
  bool ChooseFormats(ProgramState& state, int& usage) {
    if (request_.importFormat) {
      const auto captions = FillImportList();
      const auto caption = FindFormat(captions, *request_.importFormat);
      if (!caption) {
        usage = Usage("--import " + *request_.importFormat + " is no import format; the import formats are:" +
                      Listed(captions));
        return false;
      }
      state.ChooseImportFormat(*caption);
    }
    if (state.importCaption.empty()) {
      usage = Usage("no import format is chosen: give --import");
      return false;
    }
    if (request_.exportFormat) {
      const auto caption = FindFormat(state.exportCaptions, *request_.exportFormat);
      if (!caption) {
        usage = Usage("--export " + *request_.exportFormat + " is not offered for " + state.importCaption +
                      "; the export formats offered are:" + Listed(state.exportCaptions));
        return false;
      }
      state.ChooseExportFormat(*caption);
    }
    if (state.exportCaption.empty()) {
      usage = Usage("no export format is offered for " + state.importCaption);
      return false;
    }
    acadSetup_.ExportPatternChanged(ToUpperAscii(TextInParentheses(state.exportCaption)));
    if (request_.stripLineweights && !acadSetup_.keepLineweight.enabled) {
      usage = Usage("--strip-lineweights needs the DWG export, not " + state.exportCaption);
      return false;
    }
    return true;
  }

  void ApplyFields(ProgramState& state) {
    acadSetup_.SetKeepLineweight(!request_.stripLineweights);
    acadSetup_.replaceTitleBlock.checked = request_.replaceTitleBlocks;
    if (request_.acadTemplateFolder) acadSetup_.SetFolder(WithTrailingBackslash(FullPath(*request_.acadTemplateFolder)));
    if (request_.exportFolder) state.SetExportFolder(FullPath(*request_.exportFolder));
    if (request_.besideSource) state.SetExportFolder(std::nullopt);
    if (request_.exportIniFile) state.SetExportIniFile(FullPath(*request_.exportIniFile));
    if (request_.importIniFile) state.SetImportIniFile(FullPath(*request_.importIniFile));
    if (request_.projectFile) state.projectFile = FullPath(*request_.projectFile);
    if (request_.print && state.printEnabled) state.printDocuments = true;
  }

  // The documents of the paths, as a drop from the file manager brings them.
  bool Collect(const ProgramState& state, ConversionList& list) {
    const std::string filter = TextInParentheses(state.importCaption);
    std::vector<std::string> items;
    for (const std::string& path : request_.paths) {
      const std::string full = FullPath(path);
      std::error_code error;
      const auto status = fs::status(full, error);
      if (!fs::exists(status)) {
        ports_.err << "korrin-batch: " << path << ": no such file or folder\n";
      } else if (!fs::is_directory(status) && !MatchesImportFilter(fs::path(full).filename().string(), filter) &&
                 !EndsWithIgnoringCase(full, "TXT")) {
        ports_.err << "korrin-batch: " << path << ": not a " << filter << " document nor a list file; left out\n";
      } else if (const Status regular = RegularFileStatus(status.type());
                 !fs::is_directory(status) && !MatchesImportFilter(fs::path(full).filename().string(), filter) &&
                 !regular) {
        // A document of that kind is listed and fails in the run with this
        // reason; a list file gives nothing, so it is said here.
        ports_.err << "korrin-batch: " << path << ": " << regular.failure().description << "; not read as a list file\n";
      } else {
        items.push_back(full);
      }
    }
    DropCollection collection(filter, dialogs_, events_, abort_, {});
    collection.SendPathsTo([&list](std::string&& path) { list.Add(path); });
    collection.AddDroppedItems(items);
    if (abort_.IsRaised() || InterruptCount() > 0) {
      abort_.Lower();
      ports_.err << "korrin-batch: interrupted while collecting the documents\n";
      return false;
    }
    return true;
  }

  // --dry-run: the list a run would convert, each entry with the file its
  // export writes, from the saved choices and the options alone.
  int DryRun(ProgramState& state) {
    state.exportFolder = ExportFolderAtStart(state.settings, ports_.place.tempFolder);
    ApplyFields(state);
    ConversionList list;
    if (!Collect(state, list)) return kNotFinished;
    const RunInputs inputs = Inputs(state);
    if (!CheckExportFolderExists(inputs.useExportFolder ? inputs.exportFolder : "", dialogs_)) return kNotFinished;
    const DryRunPlan plan{PatternOf(inputs.importCaption), PatternOf(inputs.exportCaption), inputs.useExportFolder,
                          inputs.exportFolder, inputs.skipExisting};
    std::size_t upToDate = 0;
    std::string lines;
    for (std::size_t row = 0; row < list.Count(); ++row) {
      bool done = false;
      lines += DryRunLine(std::string(list.At(row)), plan, done) + "\n";
      if (done) ++upToDate;
      // Written in blocks: a list of a hundred thousand entries is one
      // write per thousand.
      if (row % 1000 == 999) {
        ports_.out << lines;
        lines.clear();
      }
    }
    ports_.out << lines << "Dry run: " << list.Count() << (list.Count() == 1 ? " entry" : " entries");
    if (request_.skipExisting) ports_.out << ", " << upToDate << " up to date";
    ports_.out << "; nothing converted, the host not started" << std::endl;
    return 0;
  }

  RunInputs Inputs(const ProgramState& state) const {
    RunInputs inputs;
    inputs.importCaption = state.importCaption;
    inputs.exportCaption = state.exportCaption;
    inputs.useExportFolder = state.exportFolder.has_value();
    inputs.exportFolder = state.exportFolder.value_or("");
    inputs.exportIniFile = state.exportIniFile;
    inputs.importIniFile = state.importIniFile;
    inputs.projectFile = state.projectFile;
    inputs.printDocuments = state.printDocuments;
    inputs.skipReferenceCheck = !request_.referenceCheck;
    inputs.skipExisting = request_.skipExisting;
    return inputs;
  }

  // --verify and --validate: the documents are checked, not converted.
  int Check(const ProgramState& state, const ConversionList& list) {
    std::vector<std::string> files;
    for (std::size_t row = 0; row < list.Count(); ++row) files.emplace_back(list.At(row));
    VerificationPorts ports{ports_.connector, dialogs_, events_,
                            [this](const std::string& line) { view_.AppendLogLine(line); }, {}};
    const std::string pattern = ToUpperAscii(TextInParentheses(state.importCaption));
    int status = 0;
    std::string csv;
    if (request_.verify) {
      const VerificationOutcome outcome = VerifyDocuments(ports, files, pattern, state.projectFile);
      if (!outcome.started) return kNotFinished;
      status = outcome.failed == 0 ? 0 : 1;
      csv = "path,outcome\r\n";
      for (std::size_t file = 0; file < files.size(); ++file) {
        csv += CsvField(files[file]) + (outcome.fileClean[file] ? ",clean\r\n" : ",errors\r\n");
      }
      ports_.out << "Summary: " << outcome.clean << " verified cleanly, " << outcome.failed << " with errors"
                 << std::endl;
    } else {
      if (files.empty()) {
        dialogs_.ShowMessage("No files to check");
        return kNotFinished;
      }
      ValidationReport report;
      if (!ValidateDocumentsReport(ports, report, files, pattern, state.projectFile)) return kNotFinished;
      for (const std::string& line : ValidationTableLines(report)) view_.AppendLogLine(line);
      view_.AppendLogLine(report.status());
      const auto clean = static_cast<std::size_t>(
          std::count_if(report.rows().begin(), report.rows().end(), [](const ReportRow& row) { return IsCleanRow(row); }));
      status = clean == report.rows().size() ? 0 : 1;
      csv = ValidationCsv(report);
      ports_.out << "Summary: " << clean << " without findings, " << report.rows().size() - clean << " with findings"
                 << std::endl;
    }
    if (!WriteFiles(csv)) status = std::max(status, 1);
    return status;
  }

  // The report and the summary, when asked for; false when one could not
  // be written.
  bool WriteFiles(const std::string& csv) {
    bool written = true;
    const auto report = [&](const char* what, const std::string& path, const Status& outcome) {
      if (outcome) return;
      ports_.err << "korrin-batch: could not write the " << what << " " << path << ": "
                 << outcome.failure().description << "\n";
      written = false;
    };
    if (request_.reportFile) {
      report("report", *request_.reportFile, WriteTextFile(*request_.reportFile, view_.lines()));
    }
    if (request_.summaryFile) {
      auto replacement = FileReplacement::Start(*request_.summaryFile);
      report("summary", *request_.summaryFile,
             replacement ? replacement.value().CommitBytes(csv) : Status(replacement.failure()));
    }
    return written;
  }

  // False when a file that was asked for could not be written.
  bool WriteResults(const RunResult& result, const ProgramState& state) {
    bool written = WriteFiles(SummaryCsv(result));
    if (request_.saveSettings) {
      const std::string path = WithTrailingBackslash(ports_.place.programFolder) + kProgramSettingsFileName;
      if (Status saved = WriteProgramSettings(ports_.place, state.settings); !saved) {
        ports_.err << "korrin-batch: could not write the program settings " << path << ": "
                   << saved.failure().description << "\n";
        written = false;
      }
    }
    return written;
  }

  const BatchRequest& request_;
  BatchPorts& ports_;
  AbortFlag abort_;
  ConsoleRunView view_;
  ConsoleDialogs dialogs_;
  ConsoleEventPump events_;
  AcadTemplateSetup acadSetup_;
};

}  // namespace

int RunBatchJob(const BatchRequest& request, BatchPorts& ports) { return BatchJob(request, ports).Run(); }

int RunBatchCommand(const std::vector<std::string>& arguments, const std::string& programFolder, const Printers& printers,
                    const std::function<int(const BatchRequest&)>& run) {
  const HostTimeoutsRead environment = HostTimeoutsFromEnvironment();
  if (!environment.problem.empty()) {
    std::cerr << "korrin-batch: " << environment.problem << "\n";
    return kUsageErrorStatus;
  }
  const BatchCommandLine commandLine = ParseBatchCommandLine(arguments, environment.timeouts);
  if (!commandLine.request) {
    (commandLine.exitStatus == 0 ? std::cout : std::cerr) << commandLine.message;
    return commandLine.exitStatus;
  }
  if (commandLine.request->catalogue) {
    ConsoleDialogs dialogs(std::cerr, false);
    return PrintCatalogue(programFolder, std::cout, dialogs, printers) ? 0 : 1;
  }
  return run(*commandLine.request);
}

}  // namespace korrin
