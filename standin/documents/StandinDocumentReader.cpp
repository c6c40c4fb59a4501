#include "documents/StandinDocumentReader.h"

#include "documents/DocumentLines.h"
#include "documents/DocumentParser.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

Failure NamingPath(const std::filesystem::path& path, const Failure& failure) {
  return {failure.number, path.string() + ": " + failure.description};
}

}  // namespace

Result<StandinDocument> ParseStandinDocument(std::string_view text) {
  const std::vector<std::string> lines = SplitDocumentLines(text);
  return DocumentParser(lines).Parse();
}

Result<StandinDocument> ReadStandinDocument(const std::filesystem::path& path) {
  const TextFileRead read = ReadTextFile(path);
  if (!read.complete()) return NamingPath(path, read.failure);
  Result<StandinDocument> document = DocumentParser(read.lines).Parse();
  if (!document) return NamingPath(path, document.failure());
  return document;
}

}  // namespace korrin::standin
