#pragma once

#include <string>
#include <vector>

#include "ports/Result.h"

namespace korrin::standin {

// The image name the host program runs under in its installation, as the
// program looks for it among the system's processes.
inline constexpr const char* kHostImageName = "Inventor.exe";
// The host's helper that computes drawing views: the same program in
// another mode, under its own name.
inline constexpr const char* kViewsHelperImageName = "BackAHL.exe";
// The stand-in AutoCAD: the same program again, started with --acad.
inline constexpr const char* kAcadImageName = "acad.exe";
inline constexpr const char* kAcadArgument = "--acad";

// Puts the host program into the installation's program folder as
// "Inventor.exe" and "BackAHL.exe": each a hard link where the folders share a file system, else a
// copy, never a symbolic link, so the process runs under that name and its
// executable lies in the installation. A program already there is replaced
// in one step, so a host that runs keeps its own file. Returns the lines
// that say where they went, for the user to read.
Result<std::vector<std::string>> PlaceHostPrograms(const std::string& hostProgram, const std::string& programFolder);
// Puts the host program into AutoCAD's program folder, made when missing, as
// "acad.exe", the same way. Returns the line that says where.
Result<std::string> PlaceAcadProgram(const std::string& hostProgram, const std::string& acadFolder);

}  // namespace korrin::standin
