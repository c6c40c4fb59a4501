#pragma once

#include <string>
#include <string_view>

namespace korrin {

// Path text helpers. The separator is a parameter so the Windows form of each
// rule ("\") stays testable; the program passes the native one.
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// Whether two paths that differ only in letter case name one file. Windows'
// file systems ignore case; those of Linux tell "Proj" from "proj", so there
// such paths name two files. A rule of the platform, not of each mount.
enum class FileNameCase { Distinct, Ignored };
#ifdef _WIN32
inline constexpr FileNameCase kNativeFileNameCase = FileNameCase::Ignored;
#else
inline constexpr FileNameCase kNativeFileNameCase = FileNameCase::Distinct;
#endif

// True when both paths name the same file by the rule (ASCII case only).
bool SamePath(std::string_view a, std::string_view b, FileNameCase names = kNativeFileNameCase);
// A text equal for two paths exactly when SamePath holds: upper-cased where
// case is ignored, the path itself where it is not.
std::string PathKey(std::string_view path, FileNameCase names = kNativeFileNameCase);

// The text with the separator appended unless it already ends with one; an
// empty text gives the separator alone.
std::string WithTrailingBackslash(std::string_view text, char separator = kNativeSeparator);
// The text up to and including its last separator; "" when it has none.
std::string FolderOfPath(std::string_view path, char separator = kNativeSeparator);
// The text after the last separator; "" when the path ends with one.
std::string FileNameOfPath(std::string_view path, char separator = kNativeSeparator);
// Folder and file name joined by exactly one separator, also when the folder
// is a root that already ends with one.
std::string JoinPath(std::string_view folder, std::string_view name, char separator = kNativeSeparator);
// A path that names its place from the root. With the backslash: a drive
// path ("C:\...") or a share ("\\server\share..."); with "/": an absolute path.
bool IsFullPath(std::string_view path, char separator = kNativeSeparator);

}  // namespace korrin
