#pragma once

namespace korrin::standin {

// The helper process a host runs while it computes drawing views in the
// background ("BackAHL.exe"), which a program driving the host raises to
// normal priority so the views are done sooner. The host says whether it
// needs the helper; the helper's owner starts or ends it.
class ViewsHelper {
 public:
  virtual ~ViewsHelper() = default;
  virtual void SetNeeded(bool needed) = 0;
};

}  // namespace korrin::standin
