#pragma once

#include <memory>

#include "host/Acad.h"
#include "host/ChannelCalls.h"

namespace korrin::host {

// AutoCAD behind a dispatch channel. Each call walks AutoCAD's own objects
// from the application, fetched anew on every use as a late-bound client
// does: the documents collection to count and open, the active document to
// close, its preferences for the lineweight display, the state object for
// the idle query. Opening and a saving close get the deadline of work.
class ChannelAcad : public Acad {
 public:
  ChannelAcad(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines);

  Status SetVisible(bool visible) override;
  Result<bool> IsQuiescent() override;
  Result<std::int32_t> DocumentCount() override;
  Status OpenDocument(const std::string& fullFileName) override;
  Status SetLineweightDisplay(bool on) override;
  Status Update() override;
  Status CloseActiveDocument(bool saveChanges) override;

 private:
  ChannelCalls calls_;
};

}  // namespace korrin::host
