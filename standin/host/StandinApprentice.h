#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "HandleTable.h"
#include "documents/StandinDocument.h"
#include "host/Apprentice.h"

namespace korrin::standin {

// The stand-in's document reader: reads stand-in document files without a
// host, read-only, as the host's own reader does.
//
// While its documents are open it reads each file from disk once, however
// often the file is opened or reached through references: a file it holds
// gives the same document handle again (a file that did not read fails
// again the same way). CloseAll forgets them all. Files are known by their
// full name, letter case included, as Linux tells them apart.
class StandinApprentice final : public host::Apprentice {
 public:
  using ProjectLookup = std::function<Result<std::string>()>;

  // `diskReads` counts every document file this reader reads from disk; a
  // connector shares one count among all the readers it makes.
  StandinApprentice(StandinRelease softwareVersion, ProjectLookup activeProject,
                    std::shared_ptr<std::size_t> diskReads = std::make_shared<std::size_t>(0));

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
    // Filled on the first ReferencedFiles call, then handed out again, so a
    // subassembly reached many times resolves its references once.
    std::vector<host::ReferencedFile> references;
    bool referencesListed = false;
  };
  struct DescriptorPlace {
    host::DocumentHandle document;
    std::size_t index = 0;
  };

  Result<const StandinSheet*> FindSheet(host::DocumentHandle drawing, std::int32_t number);
  // The file's document, read from disk only the first time it is asked for.
  Result<host::DocumentHandle> Read(const std::string& path);
  // The file's document, refused when a newer major release saved it.
  Result<host::DocumentHandle> Load(const std::string& path);

  StandinRelease softwareVersion_;
  ProjectLookup activeProject_;
  std::shared_ptr<std::size_t> diskReads_;
  std::uint64_t counter_ = 0;
  HandleTable<host::DocumentHandle, ReadDocument> documents_{counter_, "document"};
  HandleTable<host::DescriptorHandle, DescriptorPlace> descriptors_{counter_, "file descriptor"};
  // Every file read since the last CloseAll, by resolved full name.
  std::map<std::string, Result<host::DocumentHandle>> files_;
};

}  // namespace korrin::standin
