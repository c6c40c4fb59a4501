#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "documents/LineTokens.h"
#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// Reads the lines of a document file (line ends removed) into the model,
// line by line and without recursion, so any input ends in a document or a
// failure that names the line and the problem.
class DocumentParser {
 public:
  explicit DocumentParser(const std::vector<std::string>& lines) : lines_(lines) {}
  explicit DocumentParser(std::vector<std::string>&&) = delete;  // the lines must outlive the parser

  Result<StandinDocument> Parse();

 private:
  using KeyRead = Status (DocumentParser::*)(LineTokens& line);
  struct KeyReader {
    std::string_view key;
    bool repeatable;
    KeyRead read;
  };
  static const KeyReader* FindKeyReader(std::string_view key);

  Status ReadSignature();
  Status ReadFormatVersion();
  Status ReadKeyLines();
  Status ReadKeyLine(LineTokens& line);
  Status CheckRequiredLines() const;
  Status CheckContentsFitType() const;

  Status ReadType(LineTokens& line);
  Status ReadRelease(LineTokens& line);
  Status ReadStatus(LineTokens& line);
  Status ReadNeedsMigrating(LineTokens& line);
  Status ReadEnvironment(LineTokens& line);
  Status ReadDescription(LineTokens& line);
  Status ReadReference(LineTokens& line);
  Status ReadSheet(LineTokens& line);
  Status ReadFailFirstOpen(LineTokens& line);
  Status ReadFailEveryOpen(LineTokens& line);
  Status ReadFailEverySave(LineTokens& line);
  Status ReadCrashFirstOpen(LineTokens& line);
  Status ReadCrashEveryOpen(LineTokens& line);
  Status ReadCrashEverySave(LineTokens& line);
  Status ReadHangFirstOpen(LineTokens& line);
  Status ReadHangEveryOpen(LineTokens& line);
  Status ReadHangEverySave(LineTokens& line);
  Status ReadExitFirstOpen(LineTokens& line);
  Status ReadBusyAfterOpen(LineTokens& line);
  Status ReadBusyAfterSave(LineTokens& line);
  Status ReadGeometry(LineTokens& line);

  static StandinPlacement ReadPlacement(LineTokens& line);
  static void CheckReferencePath(LineTokens& line, const std::string& path);
  static StandinFault ReadFault(LineTokens& line);
  static StandinHang ReadHang(LineTokens& line);
  Status ReadGeometryLines(std::size_t startLine);
  Failure TypeMismatch(std::size_t line, std::string_view rule) const;

  const std::vector<std::string>& lines_;
  std::size_t next_ = 0;  // index of the next line to read
  StandinDocument document_;
  // The line of each key read so far; the first one for repeatable keys.
  std::map<std::string_view, std::size_t> keyLines_;
  std::size_t firstPlacementLine_ = 0;
};

}  // namespace korrin::standin
