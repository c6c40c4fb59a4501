#include "engine/BatchRun.h"

#include "engine/AcadPostProcessing.h"
#include "engine/DrawingReadiness.h"
#include "engine/EntryOutputs.h"
#include "engine/EntrySteps.h"
#include "engine/ExportContext.h"
#include "engine/FormatExport.h"
#include "engine/ImportPreparation.h"
#include "engine/RunLog.h"
#include "engine/SourceFile.h"
#include "engine/TranslatorExport.h"
#include "engine/TranslatorPreparation.h"
#include "filelist/ImportFilter.h"
#include "formats/FormatCatalogue.h"
#include "host/FileExists.h"
#include "host/HostCodes.h"
#include "host/HostGone.h"
#include "host/HostInstallation.h"
#include "host/HostSession.h"
#include "host/ProcessOperations.h"
#include "ports/NoPrinters.h"
#include "print/PaperSizeFile.h"
#include "print/PrintRun.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"
#include "verify/DocumentChecks.h"

namespace korrin {
namespace {

constexpr const char* kHostProgram = "Inventor.exe";

bool IsOneOf(const std::string& pattern, std::initializer_list<const char*> patterns) {
  for (const char* candidate : patterns) {
    if (pattern == candidate) return true;
  }
  return false;
}

// The run of one StartRun call: its state and its steps, in the order the
// run takes them.
class BatchRun {
 public:
  BatchRun(const ConversionList& list, RunInputs& inputs, RunEnvironment& environment)
      : list_(list), inputs_(inputs), env_(environment), log_(environment.view, environment.events),
        importPattern_(PatternOf(inputs.importCaption)), exportPattern_(PatternOf(inputs.exportCaption)) {
    for (std::size_t row = 0; row < list.Count(); ++row) result_.entries.push_back({std::string(list.At(row)), EntryOutcome::NotReached, "", {}, 0, {}});
  }

  RunResult Run() {
    if (!Prepare()) return result_;
    if (!ended_) Loop();
    End();
    return result_;
  }

 private:
  enum class Way { Continue, NextEntry, NoClosing, End, Exit };

  // --- A. Preparation ----------------------------------------------------

  // False when the run leaves at once; sets ended_ when it ends in order.
  bool Prepare() {
    log_.LogLine("Checking Inventor Application, Export Formats and Settings");
    if (!PrepareHost({env_.connector, env_.processes, env_.dialogs, env_.events})) {
      env_.dialogs.ShowMessage("Inventor could not be prepared to start conversion properly");
      return false;
    }
    if (!PrepareTranslators()) {
      ended_ = true;
      return true;
    }
    log_.LogLine("Starting Inventor");
    if (!GetOrStartHost(env_.connector, host_)) {
      env_.dialogs.ShowMessage("Could not start Inventor");
      return false;
    }
    ApplyStartUpSettings();
    log_.LogLine("Inventor started");
    StartTheWatcher();
    // The caller keeps the project as applied: a shortcut's target.
    if (!SetHostProject(env_.registry, env_.registryVersionTag, inputs_.projectFile)) {
      env_.dialogs.ShowMessage("Error changing Inventor Project...");
      ended_ = true;
      return true;
    }
    return StoreImportIniNames(env_.registry, env_.registryVersionTag, env_.dialogs, importPattern_,
                               inputs_.importIniFile) == IniNamesStored::Done;
  }

  // The translator settings the host reads only when it starts, and the
  // import's own check; false ends the run before the host is started.
  bool PrepareTranslators() {
    const TranslatorPreparation preparation{env_.registry, env_.registryVersionTag, env_.dialogs, env_.processes,
                                            env_.connector, env_.events, env_.options};
    if (ExportTagOf(inputs_.exportCaption) == "STL" && !PrepareStlResolution(preparation)) return false;
    if (importPattern_ == "*.DWG" &&
        !CheckImportProject(env_.dialogs, inputs_.importIniFile, inputs_.projectFile, inputs_.exportFolder)) {
      return false;
    }
    if (IsOneOf(importPattern_, {"*.IGS", "*.IGE", "*.IGES"}) && !PrepareIgesImport(preparation)) return false;
    if (IsOneOf(importPattern_, {"*.STP", "*.STE", "*.STEP"}) && !PrepareStepImport(preparation)) return false;
    return true;
  }

  void ApplyStartUpSettings() {
    (void)host_->SetStartUpSetting(host::StartUpSetting::First, true);
    (void)host_->SetStartUpSetting(host::StartUpSetting::Second, true);
  }

  void StartTheWatcher() {
    if (CountProcesses(env_.processes, kWatcherProgram) > 0) return;
    if (StartWatcher(env_.processes, env_.programFolder)) {
      WaitForTheWatchersWindow();
      log_.LogLine("Watcher started");
    } else {
      log_.LogLine("Watcher could not be enabled. This may cause user intervention when converting files");
    }
  }

  // A watcher just started takes a moment to open its window; the names of
  // the first prints would be lost if the run went on at once.
  void WaitForTheWatchersWindow() {
    if (env_.watcher == nullptr) return;
    constexpr std::chrono::seconds kLongestWatcherStart{5};
    const auto deadline = env_.waitLimit.now() + kLongestWatcherStart;
    while (env_.watcher->SetTextOfEmptyBox(std::string(kWatcherWindowTitle), std::string(kWatcherBoxClass), "") ==
               TextDelivery::NoWindow &&
           env_.waitLimit.now() < deadline) {
      env_.events.Pause();
    }
  }

  // --- B. Loop set-up and C. one entry -------------------------------------

  void Loop() {
    start_ = env_.now();
    log_.ShowStatus("Resolving filesize of selected files");
    totalBytes_ = TotalFileSize(list_);
    std::size_t first = 0;
    if (inputs_.selected && *inputs_.selected >= 1 && *inputs_.selected < list_.Count() &&
        env_.dialogs.AskYesNo(kContinueQuestion)) {
      first = *inputs_.selected;
    }
    for (index_ = first; index_ < list_.Count(); ++index_) {
      entryStart_ = env_.now();
      const Way way = Entry();
      if (way == Way::Exit) return ExitInEntry();
      if (way != Way::NoClosing && way != Way::End && !Close()) return ExitInEntry();
      EndRecord();
      Progress();
      if (way == Way::End || env_.abort.IsRaised()) return;
    }
  }

  EntryRecord& Record() { return result_.entries[index_]; }

  // An entry counts as converted from its start on; one the run exits in
  // was not written, unless it had already failed or been skipped.
  void ExitInEntry() {
    exited_ = true;
    if (Record().outcome == EntryOutcome::Converted) {
      Record().outcome = EntryOutcome::Failed;
      Record().reason = log_.lastLine();
    }
    EndRecord();
  }

  // What the entry took, and what a converted one wrote.
  void EndRecord() {
    EntryRecord& record = Record();
    record.took = std::chrono::duration_cast<std::chrono::milliseconds>(env_.now() - entryStart_);
    if (record.outcome == EntryOutcome::Converted) record.outputs = ExistingOutputs(outputBase_, outputExtension_);
  }

  Way Skip(const std::string& line, EntryOutcome outcome = EntryOutcome::Skipped) {
    log_.LogLine(line);
    Record().outcome = outcome;
    Record().reason = line;
    return Way::NextEntry;
  }

  Way Entry() {
    env_.events.Yield();
    name_ = std::string(list_.At(index_));
    document_.reset();
    context_.reset();
    Record().bytes = FileSizeOf(name_);
    doneBytes_ += Record().bytes;
    inputs_.selected = index_;
    env_.view.SelectEntry(index_);
    env_.view.ShowFileCounter(std::to_string(index_ + 1) + " of " + std::to_string(list_.Count()) + " Files");
    Record().outcome = EntryOutcome::Converted;
    outputExtension_.clear();

    if (const std::string problem = SourceFileProblem(name_); !problem.empty()) {
      return Skip("Error opening: " + name_ + "  " + problem, EntryOutcome::Failed);
    }
    if (!CheckFileVersion(Reader(), name_, env_.hostVersionNumber).empty()) {
      return Skip("Unrecognized Inventorversion, skipping...");
    }
    if (ToUpperAscii(name_).find(std::string(1, kNativeSeparator) + "OLDVERSIONS" + kNativeSeparator) !=
        std::string::npos) {
      return Skip("Backup of " + name_ + ".  Skipping...");
    }
    if (inputs_.skipExisting) {
      const OutputBase base = OutputBasePath(name_, inputs_.useExportFolder, inputs_.exportFolder, "");
      if (std::vector<std::string> done = UpToDateOutputs(name_, base.path, exportPattern_); !done.empty()) {
        Record().outputs = done;
        return Skip("Up to date: " + done.front(), EntryOutcome::UpToDate);
      }
    }
    env_.events.Yield();
    log_.LogLine("Opening: " + name_);
    if (Way opened = Open(); opened != Way::Continue) return opened;
    return ConvertOpenDocument();
  }

  // One document reader serves the version checks of the whole run: making
  // one costs far more than reading a small file with it.
  host::Apprentice* Reader() {
    if (!reader_) {
      if (auto made = env_.connector.NewApprentice()) reader_ = std::move(made).value();
    }
    return reader_.get();
  }

  Way Open() {
    if (importPattern_ == "*.DWG") return ImportDwg();
    auto opened = host_->OpenDocument(NameToOpen(name_), true);
    if (opened) {
      document_ = opened.value();
      return Way::Continue;
    }
    return Recover(opened.failure());
  }

  Way ImportDwg() {
    const std::string failure = ImportDwgThroughTranslator(Context(), inputs_.importIniFile, NameToOpen(name_), document_);
    if (!failure.empty()) return Skip(failure, EntryOutcome::Failed);
    if (!document_) {
      // Without the host's DWG translator nothing was opened; the entry
      // fails on the line that said so rather than run on without a document.
      Record().outcome = EntryOutcome::Failed;
      Record().reason = log_.lastLine();
      return Way::NextEntry;
    }
    if (std::optional<Failure>& pending = Context().pending) {
      const Failure failure = *pending;
      pending.reset();
      document_.reset();
      return Recover(failure);
    }
    return Way::Continue;
  }

  // --- F. Recovery after a failed open --------------------------------------

  Way Recover(const Failure& failure) {
    log_.LogLine("Error opening: " + name_ + "  " + failure.description + "\rRetrying to reactivate Inventor...");
    if (Status quit = host_->Quit(); !quit) {
      log_.LogLine("Error closing Inventor gracefully...\r" + quit.failure().description);
      KillProcesses(env_.processes, kHostProgram);
    }
    // The export steps' context speaks to the host that is gone.
    context_.reset();
    host_.reset();
    if (!GetOrStartHost(env_.connector, host_)) {
      log_.LogLine("Could not restart Inventor, exiting");
      return Way::Exit;
    }
    ApplyStartUpSettings();
    log_.LogLine("Trying to reopen last failed document..");
    auto reopened = host_->OpenDocument(NameToOpen(name_), true);
    if (!reopened) {
      log_.LogLine("Error reopening. Exiting... " + reopened.failure().description);
      Record().outcome = EntryOutcome::Failed;
      Record().reason = "Error reopening. Exiting... " + reopened.failure().description;
      return Way::Exit;
    }
    document_ = reopened.value();
    return Way::Continue;
  }

  ExportContext& Context() {
    if (!context_) {
      context_.emplace(ExportContext{*host_, env_.registry, env_.dialogs, log_, env_.abort, env_.processes,
                                     env_.options, env_.registryVersionTag, env_.hostVersionNumber, importPattern_,
                                     inputs_.exportIniFile, inputs_.skipReferenceCheck, env_.waitLimit, std::nullopt});
    }
    return *context_;
  }

  Way ConvertOpenDocument() {
    if (IsOneOf(importPattern_, {"*.IPT", "*.IAM", "*.IDW", "*.IPN"})) {
      log_.LogLine("Checking document references...");
      auto active = host_->ActiveDocument();
      const auto logLine = [this](const std::string& line) { log_.LogLine(line); };
      if (!active) {
        // Without the document nothing can be checked; the failure is the
        // open's, reported below.
        if (!Context().pending) Context().pending = active.failure();
      } else if (!CheckReferencesResolve(*host_, active.value(), logLine, Context().pending)) {
        return Skip("Error fully resolving document, skipping...");
      }
    }
    env_.events.Yield();
    if (std::optional<Failure>& pending = Context().pending) {
      const std::string line = "Error opening: " + name_ + ":   " + pending->description;
      pending.reset();
      Skip(line, EntryOutcome::Failed);
      return Way::NoClosing;
    }
    auto type = host_->ActiveDocumentType();
    if (type && type.value() == host::kDrawingDocument) {
      DrawingCheck check{*host_, log_, env_.processes, env_.hostVersionNumber, inputs_.skipReferenceCheck,
                         env_.waitLimit};
      if (std::string problem = CheckDrawingReady(check); !problem.empty()) return Skip(problem);
    }
    return Export(type ? type.value() : 0);
  }

  Way Export(std::int32_t activeType) {
    auto fullName = host_->documents().FullFileName(*document_);
    const OutputBase base = OutputBasePath(name_, inputs_.useExportFolder, inputs_.exportFolder,
                                           fullName ? fullName.value() : std::string());
    if (base.exportFolderField) inputs_.exportFolder = *base.exportFolderField;
    std::string pattern = exportPattern_;
    if (pattern == "*.IAM") {
      pattern = activeType == host::kPartDocument      ? "*.IPT"
                : activeType == host::kDrawingDocument ? "*.IDW"
                                                       : "*.IAM";
    } else if (pattern == "*.AMP") {
      pattern = activeType == host::kPartDocument ? "*.PTP" : "*.AMP";
    }
    outputBase_ = base.path;
    outputExtension_ = OutputExtension(pattern);
    if (inputs_.exportCaption == kPrinterCaption) {
      log_.LogLine("Printing: " + base.path);
    } else {
      log_.LogLine("Exporting document: " + base.path + "." + std::string(LastThree(pattern)));
    }
    const FormatExport format = ExportByFormat(Context(), pattern, base.path, *document_);
    if (format.next == FormatExport::Next::EndRun) {
      // The format step stopped the run at this entry (an aborted bitmap, a
      // SAT version the registry refused): nothing was written for it.
      Record().outcome = EntryOutcome::Failed;
      Record().reason = "The run ended while exporting this document";
      return Way::End;
    }
    if (format.next == FormatExport::Next::NextEntry) {
      Record().outcome = EntryOutcome::Skipped;
      Record().reason = log_.lastLine();
      return Way::NextEntry;
    }
    if (context_ && context_->pending) {
      // A save the host refused is a failed document, not a converted one.
      Skip("Error saving: " + context_->pending->description, EntryOutcome::Failed);
      context_->pending.reset();
    }
    const DrawingFinish finish = DecideDrawingFinish(Context(), AcadSetup());
    if (!format.directSave) {
      const std::string failure =
          ExportThroughTranslator(Context(), *document_, format.outputBase + "." + ToLowerAscii(format.translatorTag));
      if (!failure.empty()) Skip("Error saving: " + failure, EntryOutcome::Failed);
    }
    if (inputs_.printDocuments || exportPattern_ == kPrinterPattern) Print(format.outputBase);
    if (finish.stripLineweights && WaitForDwgFile(Context(), format.outputBase, finish.sheetCount)) {
      // The drawing was written; what kept its lineweights is said, and
      // the entry stays converted.
      const std::string kept =
          CleanAcadDrawing(env_.connector, env_.events, env_.abort, format.outputBase, finish.sheetCount);
      if (!kept.empty()) log_.LogLine(kept);
    }
    return WaitForIdleHost();
  }

  // Step 16: prints the document; a print that stopped or failed fails the
  // entry. A PDF printer's file is waited for.
  void Print(const std::string& outputBase) {
    std::string printer;
    env_.options.GetExportOption("PrinterPrinter", printer);
    const NoPrinters none;
    PrintSetup setup{*host_,
                     env_.connector,
                     env_.options,
                     env_.printers != nullptr ? *env_.printers : none,
                     env_.dialogs,
                     env_.abort,
                     PaperSizeFilePath(env_.programFolder),
                     env_.registryVersionTag,
                     PrintServices{[this](const std::string& line) { log_.LogLine(line); },
                                   [this] { env_.events.Yield(); },
                                   [this] {
                                     DrawingCheck check{*host_, log_, env_.processes, env_.hostVersionNumber,
                                                        inputs_.skipReferenceCheck, env_.waitLimit};
                                     return CheckDrawingReady(check);
                                   },
                                   [this](const std::string& name) {
                                     if (env_.watcher != nullptr) NotifyWatcher(*env_.watcher, name);
                                   }}};
    const PrintOutcome printed = PrintDocument(setup, outputBase);
    if (!printed.problem.empty() || printed.failure) {
      Record().outcome = EntryOutcome::Failed;
      Record().reason = !printed.problem.empty() ? printed.problem : "Printing failed: " + printed.failure->description;
    }
    if (printer.find("Acrobat") != std::string::npos) WaitForPdfPrint(outputBase + ".PRN.PDF");
  }

  void WaitForPdfPrint(const std::string& file) {
    const auto deadline = env_.waitLimit.DeadlineFromNow();
    while (!FileExists(file) && !env_.abort.IsRaised()) {
      if (env_.waitLimit.Passed(deadline)) {
        Skip("Waited " + std::to_string(env_.waitLimit.limit.count()) + " s for " + file, EntryOutcome::Failed);
        return;
      }
      env_.events.Pause();
    }
  }

  AcadTemplateSetup& AcadSetup() { return env_.acadSetup != nullptr ? *env_.acadSetup : defaultAcadSetup_; }

  // Step 18: the host finishes what it does before the document closes.
  Way WaitForIdleHost() {
    const auto deadline = env_.waitLimit.DeadlineFromNow();
    while (true) {
      auto state = host_->CommandState();
      if (state && state.value() == host::kCommandStateIdle) return Way::NextEntry;
      if (!state && host::HostIsGone(state.failure())) {
        Skip("Inventor could not be asked whether it is idle (" + state.failure().description +
                 "); restarting it before the next document",
             EntryOutcome::Failed);
        restartHost_ = true;
        return Way::NextEntry;
      }
      env_.events.Pause();
      if (env_.abort.IsRaised()) return Way::End;
      if (env_.waitLimit.Passed(deadline)) {
        Skip("Waited " + std::to_string(env_.waitLimit.limit.count()) +
                 " s for Inventor to become idle; restarting it before the next document",
             EntryOutcome::Failed);
        restartHost_ = true;
        return Way::NextEntry;
      }
    }
  }

  // --- H. Closing and I. progress -----------------------------------------

  // False when the host had to be restarted and could not be: the run exits.
  bool Close() {
    CloseEntryDocuments(*host_, document_, name_, log_);
    if (context_) context_->pending.reset();
    if (IsOneOf(importPattern_, {"*.DWG", "*.DXF"}) || IsOneOf(exportPattern_, {"*.DWG", "*.DXF"})) {
      const std::string left = CloseAcadDocuments(env_.connector, env_.abort);
      if (!left.empty() && left != kAcadNotRunning) {
        log_.LogLine("Inventor left files open in AutoCAD/MDT, which couldn't be closed");
        log_.LogLine(left);
      }
    }
    if (context_ && context_->hostGone) restartHost_ = true;
    return !restartHost_ || RestartHost();
  }

  // As in the recovery: without a host the next entry has nothing to open with.
  bool RestartHost() {
    restartHost_ = false;
    if (!host_->Quit()) KillProcesses(env_.processes, kHostProgram);
    context_.reset();
    host_.reset();
    if (!GetOrStartHost(env_.connector, host_)) {
      log_.LogLine("Could not restart Inventor, exiting");
      return false;
    }
    ApplyStartUpSettings();
    return true;
  }

  void Progress() {
    inputs_.selected.reset();
    env_.view.DeselectEntry(index_);
    const auto elapsed = ElapsedSeconds(start_, env_.now());
    if (!elapsed) return;
    if (auto display = ProgressAfterEntry(*elapsed, doneBytes_, totalBytes_, env_.decimalSeparator)) {
      env_.view.ShowProgress(display->barValue, display->percentText, display->timeLeftText);
    }
  }

  // --- E. End of run ------------------------------------------------------

  void End() {
    if (exited_) return;
    if (env_.abort.IsRaised() && index_ < list_.Count()) {
      inputs_.selected = index_;
    } else {
      inputs_.selected.reset();
    }
    env_.abort.Lower();
    log_.ShowStatus("Ending conversion");
    log_.LogLine("Ready");
    host_.reset();
    KillProcesses(env_.processes, kWatcherProgram);
    result_.orderlyEnd = true;
  }

  const ConversionList& list_;
  RunInputs& inputs_;
  RunEnvironment& env_;
  RunLog log_;
  std::string importPattern_;
  std::string exportPattern_;
  RunResult result_;
  std::shared_ptr<host::Application> host_;
  std::unique_ptr<host::Apprentice> reader_;
  std::optional<host::DocumentHandle> document_;
  std::optional<ExportContext> context_;
  AcadTemplateSetup defaultAcadSetup_;
  std::string name_;
  // Where the entry's export writes: its output base and extension (none
  // for printing or before the export).
  std::string outputBase_;
  std::string outputExtension_;
  WallClock::time_point entryStart_;
  std::size_t index_ = 0;
  WallClock::time_point start_;
  std::int64_t totalBytes_ = 0;
  std::int64_t doneBytes_ = 0;
  bool ended_ = false;
  bool exited_ = false;
  bool restartHost_ = false;
};

}  // namespace

RunResult StartRun(const ConversionList& list, RunInputs& inputs, RunEnvironment& environment) {
  return BatchRun(list, inputs, environment).Run();
}

}  // namespace korrin
