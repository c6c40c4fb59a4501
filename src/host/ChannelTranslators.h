#pragma once

#include "host/ChannelCalls.h"
#include "host/Documents.h"

namespace korrin::host {

// The translator add-ins of a host behind a dispatch channel.
class ChannelTranslators : public Translators {
 public:
  explicit ChannelTranslators(ChannelCalls& calls) : calls_(calls) {}

  Result<bool> HasSaveCopyAsOptions(AddInHandle translator, DocumentHandle document, ContextHandle context,
                                    OptionMapHandle options) override;
  Status SaveCopyAs(AddInHandle translator, DocumentHandle document, ContextHandle context, OptionMapHandle options,
                    DataMediumHandle medium) override;
  Result<bool> HasOpenOptions(AddInHandle translator, DataMediumHandle medium, ContextHandle context,
                              OptionMapHandle options) override;
  Result<DocumentHandle> Open(AddInHandle translator, DataMediumHandle medium, ContextHandle context,
                              OptionMapHandle options) override;

 private:
  ChannelCalls& calls_;
};

}  // namespace korrin::host
