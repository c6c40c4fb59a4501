#pragma once

#include <functional>
#include <map>
#include <string>

#include "HandleTable.h"
#include "documents/StandinDocument.h"
#include "host/Apprentice.h"

namespace korrin::standin {

// The stand-in's document reader: reads stand-in document files without a
// host, read-only, as the host's own reader does.
class StandinApprentice final : public host::Apprentice {
 public:
  using ProjectLookup = std::function<Result<std::string>()>;

  StandinApprentice(StandinRelease softwareVersion, ProjectLookup activeProject);

  Result<host::DocumentHandle> Open(const std::string& fullFileName) override;
  Status CloseAll() override;
  Result<host::Release> SoftwareVersion() override;
  Result<std::string> ActiveProjectFile() override;
  Result<bool> NeedsMigrating(host::DocumentHandle document) override;
  Result<std::int32_t> ComputeStatus(host::DocumentHandle document) override;
  Result<host::Release> CreatingRelease(host::DocumentHandle document) override;
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle document) override;
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle descriptor) override;
  Result<std::int32_t> SheetCount(host::DocumentHandle drawing) override;
  Result<double> SheetWidth(host::DocumentHandle drawing, std::int32_t number) override;
  Result<double> SheetHeight(host::DocumentHandle drawing, std::int32_t number) override;
  Result<std::int32_t> SheetSizeCode(host::DocumentHandle drawing, std::int32_t number) override;

 private:
  struct ReadDocument {
    StandinDocument model;
    std::string fullFileName;
  };
  struct DescriptorPlace {
    host::DocumentHandle document;
    std::size_t index = 0;
  };

  Result<const StandinSheet*> FindSheet(host::DocumentHandle drawing, std::int32_t number);
  Result<host::DocumentHandle> Load(const std::string& path);

  StandinRelease softwareVersion_;
  ProjectLookup activeProject_;
  std::uint64_t counter_ = 0;
  HandleTable<host::DocumentHandle, ReadDocument> documents_{counter_, "document"};
  HandleTable<host::DescriptorHandle, DescriptorPlace> descriptors_{counter_, "file descriptor"};
};

}  // namespace korrin::standin
