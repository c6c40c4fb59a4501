// The stand-in host's tests run with a QGuiApplication, offscreen, as its
// printing lays out text through the fonts one provides; and with a print
// server address of their own (PrivatePrintServerSocket).
#include "standin/host/PrintTestEnvironment.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QGuiApplication>
#include <filesystem>
#include <memory>

#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

class PrintTestEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    folder_ = std::make_unique<TemporaryFolder>();
    // The print server's filters run as another user and need to reach the
    // folders below this one.
    ::chmod(folder_->string().c_str(), 0755);
    // Qt wants a runtime folder of the user's alone.
    if (::getenv("XDG_RUNTIME_DIR") == nullptr) {
      const std::filesystem::path runtime = *folder_ / "runtime";
      std::filesystem::create_directory(runtime);
      ::chmod(runtime.c_str(), 0700);
      ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    socket_ = (*folder_ / "cups.sock").string();
    // Set before Qt first asks CUPS anything: CUPS reads it once.
    ::setenv("CUPS_SERVER", socket_.c_str(), 1);
    application_ = std::make_unique<QGuiApplication>(argumentCount_, arguments_);
  }

  void TearDown() override {
    application_.reset();
    folder_.reset();
  }

  static std::string socket_;

 private:
  int argumentCount_ = 1;
  char programName_[32] = "korrin_standin_host_tests";
  char* arguments_[2] = {programName_, nullptr};
  std::unique_ptr<TemporaryFolder> folder_;
  std::unique_ptr<QGuiApplication> application_;
};

std::string PrintTestEnvironment::socket_;

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new PrintTestEnvironment);

}  // namespace

std::string PrivatePrintServerSocket() { return PrintTestEnvironment::socket_; }

}  // namespace korrin::testing
