#include "ModelFiles.h"

#include <fstream>
#include <system_error>

#include "host/ChannelFailures.h"
#include "host/HostCodes.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"

namespace korrin::testing {

ModelFile& ModelFiles::Describe(const std::string& fullFileName) { return files_[PathKey(fullFileName)]; }

ModelFile ModelFiles::Find(const std::string& fullFileName) const {
  auto found = files_.find(PathKey(fullFileName));
  return found == files_.end() ? ModelFile{} : found->second;
}

std::optional<Failure> ModelFiles::TakeOpenFailure(const std::string& fullFileName) {
  auto found = files_.find(PathKey(fullFileName));
  if (found == files_.end() || !found->second.openFailure) return std::nullopt;
  std::optional<Failure> failure = found->second.openFailure;
  if (found->second.opensFailing > 0 && --found->second.opensFailing == 0) found->second.openFailure.reset();
  return failure;
}

std::int32_t DocumentTypeOfFile(const std::string& fullFileName) {
  const std::size_t dot = fullFileName.find_last_of('.');
  const std::string extension = dot == std::string::npos ? "" : ToUpperAscii(fullFileName.substr(dot));
  if (extension == ".IPT") return host::kPartDocument;
  if (extension == ".IAM") return host::kAssemblyDocument;
  if (extension == ".IDW" || extension == ".DWG") return host::kDrawingDocument;
  if (extension == ".IPN") return host::kPresentationDocument;
  if (extension == ".IDE") return host::kDesignElementDocument;
  return host::kUnknownDocument;
}

bool ModelFileExists(const std::string& fullFileName) {
  std::error_code error;
  return std::filesystem::is_regular_file(PathFromText(fullFileName), error);
}

Status WriteModelFile(const std::string& fullFileName, const std::vector<std::string>& lines) {
  std::ofstream out(PathFromText(fullFileName), std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
  out.flush();
  if (!out) return Failure{host::kUnspecifiedFailure, "Could not write " + fullFileName};
  return {};
}

}  // namespace korrin::testing
