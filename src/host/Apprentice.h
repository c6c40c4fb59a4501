#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::host {

// The host's document reader: reads document files without the host
// running. The program makes a new reader for every use.
class Apprentice {
 public:
  virtual ~Apprentice() = default;

  // Opens a document file read-only.
  virtual Result<DocumentHandle> Open(const std::string& fullFileName) = 0;
  // Closes every document this reader opened.
  virtual Status CloseAll() = 0;
  virtual Result<Release> SoftwareVersion() = 0;
  // The active project file of the host's project manager.
  virtual Result<std::string> ActiveProjectFile() = 0;

  virtual Result<bool> NeedsMigrating(DocumentHandle document) = 0;
  virtual Result<std::int32_t> ComputeStatus(DocumentHandle document) = 0;
  virtual Result<Release> CreatingRelease(DocumentHandle document) = 0;
  virtual Result<std::vector<ReferencedFile>> ReferencedFiles(DocumentHandle document) = 0;
  // The document a descriptor refers to; fails when it does not resolve.
  virtual Result<DocumentHandle> ReferencedDocument(DescriptorHandle descriptor) = 0;

  // A drawing's sheets, counted from 1, with their size in centimetres.
  virtual Result<std::int32_t> SheetCount(DocumentHandle drawing) = 0;
  virtual Result<double> SheetWidth(DocumentHandle drawing, std::int32_t number) = 0;
  virtual Result<double> SheetHeight(DocumentHandle drawing, std::int32_t number) = 0;
  virtual Result<std::int32_t> SheetSizeCode(DocumentHandle drawing, std::int32_t number) = 0;
};

}  // namespace korrin::host
