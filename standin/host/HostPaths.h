#pragma once

#include <string>

namespace korrin::standin {

// "IPT" for "/a/b.ipt"; empty without an extension.
std::string UpperExtension(const std::string& path);
// "b" for "/a/b.ipt" and for "/a/b.rev2.ipt": the name before its first full stop.
std::string FileStem(const std::string& path);
// The folder a file lies in.
std::string FolderOf(const std::string& path);

// A reference written relative to one folder, rewritten relative to another;
// the result uses "/" between names.
std::string RebasedReference(const std::string& reference, const std::string& fromFolder,
                             const std::string& toFolder);
// The full name a reference relative to a folder points to.
std::string ResolvedReference(const std::string& folder, const std::string& reference);

}  // namespace korrin::standin
