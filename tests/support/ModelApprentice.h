#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "ModelFiles.h"
#include "host/Apprentice.h"

namespace korrin::testing {

// The model host's document reader: opens the files that exist (or fails
// as their description says), with the facts ModelFiles holds for them.
// The active project file is the test's to set.
class ModelApprentice final : public host::Apprentice {
 public:
  ModelApprentice(const ModelFiles& files, host::Release release, std::string activeProjectFile)
      : files_(files), release_(release), activeProjectFile_(std::move(activeProjectFile)) {}

  Result<host::DocumentHandle> Open(const std::string& fullFileName) override;
  Status CloseAll() override;
  Result<host::Release> SoftwareVersion() override { return release_; }
  Result<std::string> ActiveProjectFile() override { return activeProjectFile_; }
  Result<bool> NeedsMigrating(host::DocumentHandle document) override;
  Result<std::int32_t> ComputeStatus(host::DocumentHandle document) override;
  Result<host::Release> CreatingRelease(host::DocumentHandle document) override;
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle document) override;
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle descriptor) override;
  Result<std::int32_t> SheetCount(host::DocumentHandle drawing) override;
  Result<double> SheetWidth(host::DocumentHandle drawing, std::int32_t number) override;
  Result<double> SheetHeight(host::DocumentHandle drawing, std::int32_t number) override;
  Result<std::int32_t> SheetSizeCode(host::DocumentHandle drawing, std::int32_t number) override;

  std::size_t openCount() const { return documents_.size(); }

 private:
  struct Document {
    std::string fullFileName;
    ModelFile file;
  };

  Result<const Document*> Find(host::DocumentHandle document) const;
  Result<const ModelSheet*> FindSheet(host::DocumentHandle drawing, std::int32_t number) const;

  const ModelFiles& files_;
  host::Release release_;
  std::string activeProjectFile_;
  std::uint64_t lastHandle_ = 0;
  std::map<std::uint64_t, Document> documents_;
  std::map<std::uint64_t, std::string> descriptors_;
};

}  // namespace korrin::testing
