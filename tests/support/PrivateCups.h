#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/TemporaryFolder.h"

namespace korrin::testing {

// A CUPS server of one test's own: cupsd run as root from a temporary
// folder that holds its configuration, spool, logs and the queues' output,
// reachable only on a Unix socket in that folder (no network port, no
// browsing, no web interface). The test process must run as root.
//
// Any step that fails fails the test with the tool's words and returns
// false; the server is stopped with SIGTERM when the object goes away.
class PrivateCups {
 public:
  // Starts the server and waits until it answers, on a socket in its own
  // folder unless the test names one (where the process's libcups already
  // looks, for example).
  explicit PrivateCups(std::string socket = "");
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;
  ~PrivateCups();

  bool running() const { return running_; }
  // What libcups and the CUPS tools take as the server's name.
  const std::string& socket() const { return socket_; }
  // The environment entries ("NAME=value") a program needs to use this server.
  std::vector<std::string> Environment() const;

  // A queue printing PDF files into OutputPath(name), A4 unless a job asks
  // for another size; its driver offers "Letter", "A4" and their borderless
  // forms among others.
  bool AddPdfQueue(const std::string& name);
  bool SetDefault(const std::string& name);
  // Waits until the queue has no pending job, so its output is complete.
  bool WaitUntilIdle(const std::string& name);
  // How many jobs of the queue have completed (printed or not).
  int CompletedJobs(const std::string& name);
  // Each job overwrites the queue's one output file.
  std::string OutputPath(const std::string& name) const;
  std::string Output(const std::string& name) const;

 private:
  bool WriteConfiguration();
  bool StartServer();
  bool WaitUntilAnswering();
  // Runs a CUPS tool against this server; false (and a failed test) when it
  // cannot start or exits with a failure.
  bool RunTool(const std::string& program, const std::vector<std::string>& arguments, std::string* out = nullptr);

  TemporaryFolder folder_;
  std::string socket_;
  pid_t pid_ = -1;
  bool running_ = false;
};

}  // namespace korrin::testing
