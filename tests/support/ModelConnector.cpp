#include "ModelConnector.h"

#include "ModelDispatchChannel.h"
#include "host/ChannelApplication.h"
#include "host/ChannelFailures.h"

namespace korrin::testing {

Result<std::shared_ptr<host::Application>> ModelConnector::GetRunning() {
  if (!host_ || host_->quit()) return host::OperationUnavailable();
  return served_;
}

Result<std::shared_ptr<host::Application>> ModelConnector::Create() {
  ++creates;
  if (createFailure) return *createFailure;
  host_ = std::make_shared<ModelHost>(files);
  served_ = host_;
  if (throughChannel) {
    served_ = std::make_shared<host::ChannelApplication>(std::make_shared<ModelDispatchChannel>(host_),
                                                         host::CallDeadlines{});
  }
  return served_;
}

Result<std::unique_ptr<host::Apprentice>> ModelConnector::NewApprentice() {
  const host::Release release = host_ ? host_->release : host::Release{7, 0};
  return std::unique_ptr<host::Apprentice>(std::make_unique<ModelApprentice>(files, release, activeProjectFile));
}

}  // namespace korrin::testing
