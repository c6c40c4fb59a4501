#include <Poly_Triangulation.hxx>
#include <RWStl.hxx>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "geometry/GeometryFailure.h"
#include "geometry/ModelFile.h"
#include "geometry/ModelReaders.h"
#include "geometry/OcctGuard.h"
#include "geometry/TriangleShell.h"

namespace korrin::standin {
namespace {

// Binary STL: an 80-byte header, a 32-bit little-endian triangle count, then
// 50 bytes a triangle.
constexpr std::size_t kBinaryHeaderSize = 80;
constexpr std::size_t kBinaryCountSize = 4;
constexpr std::uintmax_t kBinaryTriangleSize = 50;
constexpr std::string_view kAsciiStart = "solid";
constexpr std::string_view kAsciiFacet = "facet";
constexpr std::string_view kAsciiEnd = "endsolid";

bool IsBinaryStl(const ModelFileSample& sample) {
  if (sample.head.size() < kBinaryHeaderSize + kBinaryCountSize) return false;
  std::uint32_t count = 0;
  for (std::size_t byte = 0; byte < kBinaryCountSize; ++byte) {
    count |= static_cast<std::uint32_t>(static_cast<unsigned char>(sample.head[kBinaryHeaderSize + byte]))
             << (8 * byte);
  }
  return sample.size == kBinaryHeaderSize + kBinaryCountSize + kBinaryTriangleSize * count;
}

bool IsAsciiStl(const ModelFileSample& sample) {
  const std::size_t firstText = sample.head.find_first_not_of(" \t\r\n");
  return firstText != std::string::npos && sample.head.compare(firstText, kAsciiStart.size(), kAsciiStart) == 0 &&
         sample.head.find(kAsciiFacet) != std::string::npos;
}

Result<ImportedModel> Translate(const std::filesystem::path& path) {
  const Handle(Poly_Triangulation) mesh = RWStl::ReadFile(path.c_str());
  if (mesh.IsNull() || mesh->NbTriangles() == 0) {
    return ModelFileFailure(path, kModelFileBroken, "the STL file holds no triangles that can be read");
  }
  ImportedModel model;
  model.shape = ShapeFromTriangles(mesh);
  return model;
}

}  // namespace

Result<ImportedModel> ReadStl(const std::filesystem::path& path) {
  const Result<ModelFileSample> sample = SampleModelFile(path);
  if (!sample) return sample.failure();
  // A binary header may itself start with "solid": the size decides first.
  if (!IsBinaryStl(sample.value()) && !IsAsciiStl(sample.value())) {
    return ModelFileFailure(
        path, kModelFileWrongKind,
        "not an STL file: neither \"solid\" text with facets nor binary triangles that fill the file");
  }
  if (!IsBinaryStl(sample.value()) && sample.value().tail.find(kAsciiEnd) == std::string::npos) {
    return ModelFileFailure(path, kModelFileBroken, "the STL file is cut short: endsolid is missing");
  }
  return Guarded("reading " + path.string(), [&] { return Translate(path); });
}

}  // namespace korrin::standin
