#include "app/BatchCommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

namespace korrin {
namespace {

std::string Text(const QString& text) { return text.toStdString(); }

std::optional<std::string> ValueOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
  if (!parser.isSet(option)) return std::nullopt;
  return Text(parser.value(option));
}

// A whole number from 1 to the largest; none for anything else.
std::optional<long long> PositiveNumber(const QString& text, long long largest) {
  bool ok = false;
  const long long number = text.toLongLong(&ok);
  if (!ok || number < 1 || number > largest || text.trimmed() != text || text.startsWith('+')) return std::nullopt;
  return number;
}

BatchCommandLine UsageError(const std::string& what) {
  return {std::nullopt, "korrin-batch: " + what + "\nTry 'korrin-batch --help' for more information.\n",
          kUsageErrorStatus};
}

// The option's seconds into seconds; a problem when it holds no such number.
std::optional<std::string> ReadTimeout(const QCommandLineParser& parser, const QCommandLineOption& option,
                                       int& seconds) {
  if (!parser.isSet(option)) return std::nullopt;
  const std::optional<int> read = TimeoutSeconds(Text(parser.value(option)));
  if (!read) return TimeoutProblem("--" + Text(option.names().front()), Text(parser.value(option)));
  seconds = *read;
  return std::nullopt;
}

}  // namespace

BatchCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments, HostTimeouts timeouts) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Converts CAD documents in batches: collects the documents of PATH (documents, folders, list files),\n"
      "exports each to the chosen format, logs every step on standard output.");
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  const QCommandLineOption catalogue("catalogue",
                                     "Print the import formats, the export formats offered for each, and the "
                                     "export option sets of the export template.");
  const QCommandLineOption verify("verify",
                                  "Check the documents instead of converting them: each one's state and its whole "
                                  "reference tree, on standard output.");
  const QCommandLineOption validate("validate",
                                    "Check the documents instead of converting them: a table of each one's release, "
                                    "status marks and remark (with --summary, as CSV).");
  const QCommandLineOption recurse("recurse", "Walk the subfolders of every folder given.");
  const QCommandLineOption importFormat("import", "The import format: a caption or a pattern such as *.IPT.",
                                        "FORMAT");
  const QCommandLineOption exportFormat("export",
                                        "The export format: a caption, a pattern such as *.STP, or Printer.",
                                        "FORMAT");
  const QCommandLineOption exportFolder("export-folder", "Write the exported files into DIR.", "DIR");
  const QCommandLineOption besideSource("beside-source", "Write the exported files beside their sources.");
  const QCommandLineOption exportIni("export-ini", "The export settings file.", "FILE");
  const QCommandLineOption importIni("import-ini", "The import settings file.", "FILE");
  const QCommandLineOption project("project", "The Inventor project file.", "FILE");
  const QCommandLineOption print("print", "Print the documents too.");
  const QCommandLineOption refcheck("refcheck", "Check the references of drawings before exporting them.");
  const QCommandLineOption skipExisting("skip-existing",
                                        "Skip every document whose output files are all newer than it.");
  const QCommandLineOption dryRun("dry-run",
                                  "List each document and the file its export would write, without starting the host.");
  const QCommandLineOption from("from", "Continue from the N-th entry of the sorted list.", "N");
  const QCommandLineOption yes("yes", "Answer Yes (or OK) to every question.");
  const QCommandLineOption no("no", "Answer No (or Cancel) to every question (the default).");
  const QCommandLineOption report("report", "Save the run log to FILE.", "FILE");
  const QCommandLineOption summary("summary", "Write the outcome of every entry to FILE as CSV.", "FILE");
  const QCommandLineOption saveSettings("save-settings", "Keep the choices of this run in the program settings.");
  const QCommandLineOption hostTimeout("host-timeout",
                                       "The time limit of each host call that does work (open, save, export, "
                                       "print, quit) and of each wait on the host (default 600, or "
                                       "KORRIN_HOST_TIMEOUT).",
                                       "SECONDS");
  const QCommandLineOption callTimeout("call-timeout",
                                       "The time limit of every other host call (default 30, or "
                                       "KORRIN_CALL_TIMEOUT).",
                                       "SECONDS");
  const QCommandLineOption stripLineweights(
      "strip-lineweights",
      "After a DWG export, open every file it wrote (one per sheet of a drawing of several) in AutoCAD and switch "
      "its lineweights off.");
  const QCommandLineOption replaceTitleBlocks(
      "replace-title-blocks",
      "With --strip-lineweights: delete the active sheet's border and title block before the export and point the "
      "DWG translator at the AutoCAD template of that sheet's size.");
  const QCommandLineOption acadTemplates("acad-templates",
                                         "The folder of the AutoCAD templates for --replace-title-blocks (default "
                                         "KORRIN_ACAD_TEMPLATES).",
                                         "DIR");
  parser.addOptions({help, catalogue, recurse, importFormat, exportFormat, exportFolder, besideSource, exportIni,
                     importIni, project, print, refcheck, skipExisting, dryRun, from, yes, no, report, summary, saveSettings,
                     hostTimeout, callTimeout, stripLineweights, replaceTitleBlocks, acadTemplates, verify, validate});
  parser.addPositionalArgument("PATH", "A document, a folder, or a text file listing documents.", "PATH...");

  QStringList list{"korrin-batch"};
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  if (!parser.parse(list)) return UsageError(Text(parser.errorText()));
  if (parser.isSet(help)) return {std::nullopt, Text(parser.helpText()), 0};

  BatchRequest request;
  request.catalogue = parser.isSet(catalogue);
  for (const QString& path : parser.positionalArguments()) request.paths.push_back(Text(path));
  if (request.catalogue) {
    if (!request.paths.empty() || parser.optionNames().size() != 1) {
      return UsageError("--catalogue takes no other argument");
    }
    return {request, "", 0};
  }
  if (request.paths.empty()) return UsageError("no PATH given");
  if (parser.isSet(exportFolder) && parser.isSet(besideSource)) {
    return UsageError("--export-folder and --beside-source exclude each other");
  }
  if (parser.isSet(yes) && parser.isSet(no)) return UsageError("--yes and --no exclude each other");
  for (const QString& name : parser.optionNames()) {
    if (parser.optionNames().count(name) > 1) return UsageError("--" + Text(name) + " is given twice");
  }
  if (parser.isSet(verify) && parser.isSet(validate)) return UsageError("--verify and --validate exclude each other");
  if (parser.isSet(dryRun) && (parser.isSet(verify) || parser.isSet(validate))) {
    return UsageError("--dry-run converts nothing; it does not check documents either");
  }
  request.verify = parser.isSet(verify);
  request.validate = parser.isSet(validate);
  if (parser.isSet(replaceTitleBlocks) && !parser.isSet(stripLineweights)) {
    return UsageError("--replace-title-blocks needs --strip-lineweights");
  }
  request.recurse = parser.isSet(recurse);
  request.stripLineweights = parser.isSet(stripLineweights);
  request.replaceTitleBlocks = parser.isSet(replaceTitleBlocks);
  request.acadTemplateFolder = ValueOf(parser, acadTemplates);
  request.importFormat = ValueOf(parser, importFormat);
  request.exportFormat = ValueOf(parser, exportFormat);
  request.exportFolder = ValueOf(parser, exportFolder);
  request.besideSource = parser.isSet(besideSource);
  request.exportIniFile = ValueOf(parser, exportIni);
  request.importIniFile = ValueOf(parser, importIni);
  request.projectFile = ValueOf(parser, project);
  request.print = parser.isSet(print);
  request.referenceCheck = parser.isSet(refcheck);
  request.skipExisting = parser.isSet(skipExisting);
  request.dryRun = parser.isSet(dryRun);
  request.answerYes = parser.isSet(yes);
  request.reportFile = ValueOf(parser, report);
  request.summaryFile = ValueOf(parser, summary);
  request.saveSettings = parser.isSet(saveSettings);
  if (parser.isSet(from)) {
    const auto number = PositiveNumber(parser.value(from), 1LL << 40);
    if (!number) return UsageError("--from needs a whole number from 1: " + Text(parser.value(from)));
    request.from = static_cast<std::size_t>(*number);
  }
  request.timeouts = timeouts;
  if (auto problem = ReadTimeout(parser, hostTimeout, request.timeouts.hostSeconds)) return UsageError(*problem);
  if (auto problem = ReadTimeout(parser, callTimeout, request.timeouts.callSeconds)) return UsageError(*problem);
  return {request, "", 0};
}

}  // namespace korrin
