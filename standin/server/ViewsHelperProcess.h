#pragma once

#include <sys/types.h>

#include <string>

#include "ViewsHelper.h"

namespace korrin::standin {

// The views' helper as a real child process: the host program itself,
// installed beside it as "BackAHL.exe" and started in its helper mode, so
// the system's process list holds it under that name while views compute.
// It ends when it is no longer needed, and with the host if the host dies.
class ViewsHelperProcess final : public ViewsHelper {
 public:
  explicit ViewsHelperProcess(std::string program) : program_(std::move(program)) {}
  ViewsHelperProcess(const ViewsHelperProcess&) = delete;
  ViewsHelperProcess& operator=(const ViewsHelperProcess&) = delete;
  ~ViewsHelperProcess() override { SetNeeded(false); }

  void SetNeeded(bool needed) override;

 private:
  std::string program_;
  pid_t pid_ = 0;
};

// The helper mode's arguments: "--views-helper" and the host's process id.
inline constexpr const char* kViewsHelperArgument = "--views-helper";

// The helper's life: it ends with the host whose id it was given (at once
// when that host is gone already), and does nothing meanwhile.
int RunViewsHelper(pid_t host);

}  // namespace korrin::standin
