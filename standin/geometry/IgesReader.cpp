#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Reader.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <string_view>

#include "geometry/FilePrecisionReading.h"
#include "geometry/GeometryFailure.h"
#include "geometry/ImportRepairs.h"
#include "geometry/ModelFile.h"
#include "geometry/ModelReaders.h"
#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

// IGES files are 80-column records; column 73 names the section, and a file
// opens with its start section (S) or, when that is empty, its global
// section (G).
constexpr std::size_t kSectionColumn = 72;
constexpr std::size_t kRecordLength = 80;

// The last record of a whole file is its terminate section (T).
bool EndsWithTerminateRecord(const std::string& tail) {
  const std::size_t end = tail.find_last_not_of(" \r\n\x1a");
  if (end == std::string::npos) return false;
  const std::size_t start = tail.find_last_of("\r\n", end);
  const std::size_t recordStart = start == std::string::npos ? 0 : start + 1;
  return end - recordStart + 1 >= kSectionColumn + 1 && tail[recordStart + kSectionColumn] == 'T';
}

bool OpensAsIges(const std::string& head) {
  const std::size_t lineEnd = head.find_first_of("\r\n");
  const std::size_t length = lineEnd == std::string::npos ? head.size() : lineEnd;
  if (length != kRecordLength) return false;
  return head[kSectionColumn] == 'S' || head[kSectionColumn] == 'G';
}

// The global section's resolution, the smallest distance the file tells
// apart, in millimetres.
double DeclaredPrecision(const IGESData_GlobalSection& global) { return global.Resolution() * global.UnitValue(); }

Result<ImportedModel> Translate(const std::filesystem::path& path, const RepairOptions& repair) {
  IGESControl_Controller::Init();
  const FilePrecisionReading filePrecision;
  IGESControl_Reader reader;
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    return ModelFileFailure(path, kModelFileBroken, "the IGES file cannot be parsed");
  }
  reader.TransferRoots();
  if (reader.NbShapes() == 0) {
    return ModelFileFailure(path, kModelFileBroken, "the IGES file holds no geometry that can be translated");
  }
  ImportedModel model;
  model.shape = reader.OneShape();
  const double precision = DeclaredPrecision(reader.IGESModel()->GlobalSection());
  if (Status repaired = RepairImportedModel(model, repair, precision); !repaired) {
    return ModelFileFailure(path, repaired.failure().number, repaired.failure().description);
  }
  return model;
}

}  // namespace

Result<ImportedModel> ReadIges(const std::filesystem::path& path, const RepairOptions& repair) {
  const Result<ModelFileSample> sample = SampleModelFile(path);
  if (!sample) return sample.failure();
  if (!OpensAsIges(sample.value().head)) {
    return ModelFileFailure(path, kModelFileWrongKind,
                            "not an IGES file: it does not open with an 80-column S or G record");
  }
  if (!EndsWithTerminateRecord(sample.value().tail)) {
    return ModelFileFailure(path, kModelFileBroken, "the IGES file is cut short: the terminate record is missing");
  }
  return Guarded("reading " + path.string(), [&] { return Translate(path, repair); });
}

}  // namespace korrin::standin
