#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace korrin::testing {

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a built program directly (no shell, input from /dev/null) with the given arguments and
// extra environment entries ("NAME=value"), and collects what it printed.
// With interruptAfter, the program gets one SIGINT as soon as its output
// holds that text, as a user's Ctrl-C would reach it. A program that has
// not ended after 90 s (KORRIN_PROGRAM_DEADLINE) is killed and says so in err.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment = {}, const std::string& interruptAfter = "");

// Runs the program as RunProgram does and calls the action once, with the
// program's process id, as soon as its output holds the text.
ProgramRun RunProgramActing(const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, const std::string& after,
                            const std::function<void(pid_t)>& action);

// The path of a program built beside the tests.
std::string BuiltProgram(const std::string& name);

}  // namespace korrin::testing
