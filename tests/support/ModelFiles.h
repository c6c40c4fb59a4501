#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/HostCodes.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::testing {

// One sheet of a model drawing: size in centimetres and the host's size
// code, its border and title block, whether it prints.
struct ModelSheet {
  double width = 29.7;
  double height = 21.0;
  std::int32_t sizeCode = 0;
  bool border = true;
  bool titleBlock = true;
  bool excludedFromPrinting = false;
  // Reads of the sheet's status word that answer "views computing" first.
  int computingReads = 0;
};

// What the model host and its document reader know about one document file
// beyond its name. A file nobody described gets these defaults: the type
// from its extension, the host's own release, one A4 sheet for a drawing,
// no references.
struct ModelFile {
  // The host's opening it fails with this (the file need not exist then):
  // the first opensFailing opens, or every open while that is 0. The
  // document reader has a failure of its own.
  std::optional<Failure> openFailure;
  int opensFailing = 0;
  std::optional<Failure> readerOpenFailure;
  std::optional<host::Release> release;
  std::vector<ModelSheet> sheets{ModelSheet{}};
  // Full file names as the document stores them; one that names no existing
  // file does not resolve.
  std::vector<std::string> references;
  bool needsMigrating = false;
  std::int32_t computeStatus = host::kStatusUpToDate;
  // Exports of it through a translator fail with this.
  std::optional<Failure> exportFailure;
};

// The documents a test describes, by full file name (its letter case
// ignored where the platform's file names ignore it); shared by the host,
// its document reader and AutoCAD so all three see the same files.
class ModelFiles {
 public:
  ModelFile& Describe(const std::string& fullFileName);
  // The description, or the defaults when none was given.
  ModelFile Find(const std::string& fullFileName) const;
  // The failure the next open of the file meets, counting it.
  std::optional<Failure> TakeOpenFailure(const std::string& fullFileName);

 private:
  std::map<std::string, ModelFile> files_;
};

// The document type by the file's extension (.ipt, .iam, .idw, .ipn, .ide,
// .dwg, any case); kUnknownDocument for any other.
std::int32_t DocumentTypeOfFile(const std::string& fullFileName);

// A document or medium file must be there to be opened.
bool ModelFileExists(const std::string& fullFileName);

// Writes the lines, each ended by "\n", replacing the file; a failure names
// the file.
Status WriteModelFile(const std::string& fullFileName, const std::vector<std::string>& lines);

}  // namespace korrin::testing
