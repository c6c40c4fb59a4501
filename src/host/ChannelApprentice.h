#pragma once

#include <memory>

#include "host/Apprentice.h"
#include "host/ChannelCalls.h"

namespace korrin::host {

// The host's document reader behind a dispatch channel whose application
// object is the reader's server object. Every call is a query but the open,
// which reads a whole file.
class ChannelApprentice final : public Apprentice {
 public:
  ChannelApprentice(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines)
      : calls_(std::move(channel), deadlines) {}

  Result<DocumentHandle> Open(const std::string& fullFileName) override;
  Status CloseAll() override;
  Result<Release> SoftwareVersion() override;
  Result<std::string> ActiveProjectFile() override;

  Result<bool> NeedsMigrating(DocumentHandle document) override;
  Result<std::int32_t> ComputeStatus(DocumentHandle document) override;
  Result<Release> CreatingRelease(DocumentHandle document) override;
  Result<std::vector<ReferencedFile>> ReferencedFiles(DocumentHandle document) override;
  Result<DocumentHandle> ReferencedDocument(DescriptorHandle descriptor) override;

  Result<std::int32_t> SheetCount(DocumentHandle drawing) override;
  Result<double> SheetWidth(DocumentHandle drawing, std::int32_t number) override;
  Result<double> SheetHeight(DocumentHandle drawing, std::int32_t number) override;
  Result<std::int32_t> SheetSizeCode(DocumentHandle drawing, std::int32_t number) override;

 private:
  Result<Release> ReleaseOf(ObjectReference version);
  Result<ObjectReference> Sheet(DocumentHandle drawing, std::int32_t number);

  ChannelCalls calls_;
};

}  // namespace korrin::host
