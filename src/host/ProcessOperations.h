#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/ProcessTable.h"
#include "ports/WindowLink.h"

namespace korrin {

// The CAD host's processes, in the order KillHostProcesses ends them: the
// host, its bridge under its short and its long name, its background helper.
inline constexpr std::array<std::string_view, 4> kHostProcessNames{"Inventor.exe", "DBXBRI~1.EXE", "DBXBRIDGE.EXE",
                                                                   "BackAHL.exe"};

// The companion watcher: its program file, and the window and box class it
// takes notifications in.
inline constexpr std::string_view kWatcherProgram = "Tembrel.exe";
inline constexpr std::string_view kWatcherWindowTitle = "TMB";
inline constexpr std::string_view kWatcherBoxClass = "ThunderRT6TextBox";

// Each operation below takes one snapshot and walks it first to last. A
// process matches a name when its image name, cut at its first NUL and with
// ASCII case ignored, ends with the name: "BackAHL.exe" matches both
// "BackAHL.exe" and "C:\Program Files\X\backahl.exe".

// How many processes match.
std::int16_t CountProcesses(const ProcessTable& table, std::string_view name);
// Ends every matching process; one that cannot be ended is skipped. True when
// a process matched.
bool KillProcesses(ProcessTable& table, std::string_view name);
// Ends every host process, name by name in kHostProcessNames' order.
void KillHostProcesses(ProcessTable& table);
// Gives every matching process the priority named "REALTIME", "HIGH" or
// "NORMAL" (case ignored); a process the system refuses the change for is
// skipped, and an unknown name changes nothing. True when a process matched.
bool SetProcessPriority(ProcessTable& table, std::string_view name, std::string_view priorityName);

// Starts the watcher from the program folder, minimized and not activated,
// unless one runs already. True when a watcher runs or was started.
bool StartWatcher(ProcessTable& table, std::string_view programFolder);
// Hands the text to the watcher's empty box. A watcher that is missing or
// busy misses the notification, silently.
void NotifyWatcher(WindowLink& link, const std::string& text);

}  // namespace korrin
