#include "SampleSet.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "DrawingDxf.h"
#include "DrawingExport.h"
#include "ModelDocuments.h"
#include "OcctGeometryExchange.h"
#include "documents/SheetSizes.h"
#include "documents/StandinDocumentWriter.h"
#include "geometry/IgesWriter.h"
#include "geometry/SampleImportShapes.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "geometry/StepWriter.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

namespace fs = std::filesystem;

// The hole plate's corner lies this far off its edges along each axis, in
// millimetres: far beyond the file's precision, within what healing closes.
constexpr double kCornerOffset = 0.02;
constexpr int kWasherCount = 3;
constexpr double kWasherPitch = 30;

// A drawing sheet of a named size, ready at once unless views are slow.
StandinSheet SheetOf(const std::string& name, std::string_view size, std::int32_t computingReads = 0) {
  const SheetSize& known = SheetSizeNamed(size);
  StandinSheet sheet;
  sheet.name = name;
  sheet.widthCentimetres = known.widthCentimetres;
  sheet.heightCentimetres = known.heightCentimetres;
  sheet.sizeCode = known.sizeCode;
  sheet.computingReads = computingReads;
  return sheet;
}

class SampleWriter {
 public:
  SampleWriter(const std::string& folder, const StandinRelease& release) : root_(folder), release_(release) {}

  Result<std::vector<std::string>> Run() {
    for (Status (SampleWriter::*step)() : {&SampleWriter::Folders, &SampleWriter::Parts, &SampleWriter::Assemblies,
                                           &SampleWriter::Drawings, &SampleWriter::OtherDocuments,
                                           &SampleWriter::ImportFiles, &SampleWriter::DrawingExchangeFiles,
                                           &SampleWriter::ListFile, &SampleWriter::StatusParts,
                                           &SampleWriter::ReleaseParts, &SampleWriter::ReferenceTree,
                                           &SampleWriter::OddReferences}) {
      if (Status done = (this->*step)(); !done) return done.failure();
    }
    return written_;
  }

 private:
  StandinDocument Document(DocumentType type, const char* environment) const {
    StandinDocument document;
    document.type = type;
    document.release = release_;
    document.environment = environment;
    return document;
  }

  Status Save(const std::string& name, const StandinDocument& document) {
    const std::string path = (root_ / name).string();
    if (Status written = WriteStandinDocument(path, document); !written) return written;
    written_.push_back(path);
    return {};
  }

  Status Folders() {
    for (const char* folder :
         {"parts/OLDVERSIONS", "assemblies", "drawings", "presentations", "features", "import", "verify/tree"}) {
      std::error_code error;
      fs::create_directories(root_ / folder, error);
      if (error) return Failure{error.value(), "Cannot create " + (root_ / folder).string() + ": " + error.message()};
    }
    return {};
  }

  Status Parts() {
    auto parts = SampleParts();
    if (!parts) return parts.failure();
    for (const NamedShape& part : parts.value()) {
      StandinDocument document = Document(DocumentType::Part, "Part");
      document.geometry = BrepText(part.shape);
      if (Status saved = Save("parts/" + part.name + ".ipt", document); !saved) return saved;
      shapes_.push_back(part);
    }
    StandinDocument legacy = Document(DocumentType::Part, "Part");
    legacy.release = {5, 3};
    legacy.needsMigrating = true;
    legacy.computeStatus = ComputeStatus::OutOfDate;
    legacy.geometry = BrepText(shapes_[1].shape);
    legacy.description = "saved by an older release: needs migrating";
    StandinDocument future = Document(DocumentType::Part, "Part");
    future.release = {release_.majorNumber + 2, 0};
    future.geometry = BrepText(shapes_[9].shape);
    future.description = "saved by a newer release than the host";
    StandinDocument flaky = Document(DocumentType::Part, "Part");
    flaky.geometry = BrepText(shapes_[7].shape);
    flaky.faults.failFirstOpen = StandinFault{-2147467259, "The host stopped answering while opening the file."};
    flaky.description = "fails its first open, as a host that hangs would";
    StandinDocument backup = Document(DocumentType::Part, "Part");
    backup.geometry = BrepText(shapes_[0].shape);
    for (const auto& [name, document] : {std::pair{"parts/legacy-plate.ipt", legacy},
                                         std::pair{"parts/future-gear.ipt", future},
                                         std::pair{"parts/flaky-pin.ipt", flaky},
                                         std::pair{"parts/OLDVERSIONS/bracket.ipt", backup}}) {
      if (Status saved = Save(name, document); !saved) return saved;
    }
    return {};
  }

  Status Assemblies() {
    auto product = SampleAssembly();
    if (!product) return product.failure();
    assembly_ = product.value();
    auto references = WriteComponentDocuments(ModelOfProduct(assembly_), (root_ / "assemblies").string(), release_);
    if (!references) return references.failure();
    ListComponents(assembly_);
    StandinDocument unit = Document(DocumentType::Assembly, "Assembly");
    unit.references = std::move(references).value();
    StandinDocument broken = Document(DocumentType::Assembly, "Assembly");
    broken.references = {{"../parts/washer.ipt", std::nullopt}, {"../parts/missing-spacer.ipt", std::nullopt}};
    broken.description = "refers to a part that is not there";
    if (Status saved = Save("assemblies/drive-unit.iam", unit); !saved) return saved;
    return Save("assemblies/broken-reference.iam", broken);
  }

  // The component files of an assembly, each once, in the order written.
  void ListComponents(const ProductNode& assembly) {
    for (const ProductNode& child : assembly.children) {
      if (child.IsAssembly()) ListComponents(child);
      const std::string path = (root_ / "assemblies" / (child.name + (child.IsAssembly() ? ".iam" : ".ipt"))).string();
      if (std::find(written_.begin(), written_.end(), path) == written_.end()) written_.push_back(path);
    }
  }

  Status Drawings() {
    StandinDocument bracket = Document(DocumentType::Drawing, "Drawing");
    bracket.references = {{"../parts/bracket.ipt", std::nullopt}};
    bracket.sheets = {SheetOf("Sheet:1", "A4")};
    StandinDocument unit = Document(DocumentType::Drawing, "Drawing");
    unit.references = {{"../assemblies/drive-unit.iam", std::nullopt}, {"../parts/housing.ipt", std::nullopt}};
    unit.sheets = {SheetOf("Assembly", "A0"), SheetOf("Housing", "A1"), SheetOf("Details", "A2")};
    StandinDocument flange = Document(DocumentType::Drawing, "Drawing");
    flange.references = {{"../parts/flange.ipt", std::nullopt}};
    flange.sheets = {SheetOf("Sheet:1", "ANSI B"), SheetOf("Notes", "ANSI A")};
    flange.sheets[1].excludedFromPrinting = true;
    StandinDocument shaft = Document(DocumentType::Drawing, "Drawing");
    shaft.references = {{"../parts/stepped-shaft.ipt", std::nullopt}};
    shaft.sheets = {SheetOf("Sheet:1", "A3", 40)};
    shaft.description = "its views take a while to compute";
    for (const auto& [name, document] : {std::pair{"drawings/bracket.idw", bracket},
                                         std::pair{"drawings/drive-unit.idw", unit},
                                         std::pair{"drawings/flange.idw", flange},
                                         std::pair{"drawings/stepped-shaft.idw", shaft}}) {
      if (Status saved = Save(name, document); !saved) return saved;
      drawingSheets_[name] = document.sheets;
    }
    return {};
  }

  Status OtherDocuments() {
    StandinDocument presentation = Document(DocumentType::Presentation, "Presentation");
    presentation.references = {{"../assemblies/drive-unit.iam", std::nullopt}};
    StandinDocument feature = Document(DocumentType::DesignElement, "Part");
    feature.description = "a slot to place on parts";
    if (Status saved = Save("presentations/drive-unit.ipn", presentation); !saved) return saved;
    return Save("features/slot.ide", feature);
  }

  Status ImportFiles() {
    StepOptions step;
    step.originatingSystem = "Korrin stand-in samples";
    const std::vector<std::pair<std::string, const NamedShape*>> stepParts = {{"import/bracket.stp", &shapes_[0]},
                                                                             {"import/flange.stp", &shapes_[3]}};
    for (const auto& [name, part] : stepParts) {
      if (Status written = WriteStep(PlacedPart(*part), root_ / name, step); !written) return written;
      written_.push_back((root_ / name).string());
    }
    if (Status written = WriteStep(assembly_, root_ / "import/drive-unit.stp", step); !written) return written;
    written_.push_back((root_ / "import/drive-unit.stp").string());
    IgesOptions iges;
    iges.geometry = IgesGeometry::Solids;
    for (const auto& [name, part] : {std::pair{"import/stepped-shaft.igs", &shapes_[2]},
                                     std::pair{"import/washer.igs", &shapes_[4]}}) {
      if (Status written = WriteIges(part->shape, root_ / name, iges); !written) return written;
      written_.push_back((root_ / name).string());
    }
    if (Status written = RepairSamples(); !written) return written;
    // The host cannot read Pro/ENGINEER files; the sample shows that it says so.
    const std::string versioned = (root_ / "import/housing.prt.3").string();
    if (Status written = WriteTextFile(versioned, {"#UGC:2 PART 1234 1000 5 1 1 15 2500 2003160 000000a1",
                                                   "(a Pro/ENGINEER part: the stand-in host cannot read it)"});
        !written) {
      return written;
    }
    written_.push_back(versioned);
    return {};
  }

  // Drawings exported as the DWG and DXF translators write them, to be
  // imported again, and a DWG the host cannot read.
  Status DrawingExchangeFiles() {
    const char* drawing = "drawings/bracket.idw";
    ContainerContent content{"DWG", (root_ / drawing).string(), "drawing", {{kAcadSettingsOption, ""}}};
    const std::string path = (root_ / "import/bracket.dwg").string();
    if (Status written = WriteDrawingExport(TranslatorFormat::Dwg, content, drawingSheets_[drawing], path); !written) {
      return written;
    }
    written_.push_back(path);
    if (Status written = DriveUnitDxf(); !written) return written;
    const std::string damaged = (root_ / "import/damaged.dwg").string();
    if (Status written = WriteTextFile(damaged, {"AC1018", "(a DWG file cut short: the stand-in host cannot read it)"});
        !written) {
      return written;
    }
    written_.push_back(damaged);
    return {};
  }

  // The drive unit's drawing as the DXF translator writes it, its sheets'
  // frames, borders and title blocks; without the views, whose hidden lines
  // would make every writing of the samples a second slower.
  Status DriveUnitDxf() {
    const std::vector<StandinSheet>& sheets = drawingSheets_["drawings/drive-unit.idw"];
    std::vector<DrawingSheetPicture> pictures;
    for (std::size_t index = 0; index < sheets.size(); ++index) {
      pictures.push_back({"drive-unit", sheets[index], index + 1, sheets.size(), {}});
    }
    const std::string path = (root_ / "import/drive-unit.dxf").string();
    if (Status written = WriteDrawingDxf(path, pictures, DxfVersion::R2000); !written) return written;
    written_.push_back(path);
    return {};
  }

  // Files on which the host's import switches show: the cover plate as
  // loose faces (stitching makes it a solid), the hole plate with a corner
  // point off its edges (healing makes it valid), and three washers in one
  // part of the file (always an assembly of three parts).
  Status RepairSamples() {
    const NamedShape& holePlate = shapes_[1];
    const NamedShape& washer = shapes_[4];
    const NamedShape& coverPlate = shapes_[11];
    auto gap = WithCornerOffItsEdges(holePlate.shape, kCornerOffset);
    if (!gap) return gap.failure();
    auto washers = InARow(washer.shape, kWasherCount, kWasherPitch);
    if (!washers) return washers.failure();
    StepOptions step;
    step.originatingSystem = "Korrin stand-in samples";
    for (const auto& [name, part] : {std::pair{"import/hole-plate-gap.stp", NamedShape{holePlate.name, gap.value()}},
                                     std::pair{"import/washers.stp", NamedShape{"washers", washers.value()}}}) {
      if (Status written = WriteStep(PlacedPart(part), root_ / name, step); !written) return written;
      written_.push_back((root_ / name).string());
    }
    const std::string faces = (root_ / "import/cover-plate-faces.igs").string();
    if (Status written = WriteIges(coverPlate.shape, faces, IgesOptions{}); !written) return written;
    written_.push_back(faces);
    return {};
  }

  Status ListFile() {
    const std::vector<std::string> listed = {"parts/bracket.ipt", "parts/flange.ipt", "assemblies/drive-unit.iam",
                                             "drawings/bracket.idw", "drawings/drive-unit.idw"};
    std::vector<std::string> lines;
    for (const std::string& name : listed) lines.push_back((root_ / name).string());
    const std::string path = (root_ / "conversion-list.txt").string();
    if (Status written = WriteTextFile(path, lines); !written) return written;
    written_.push_back(path);
    return {};
  }

  // The documents below verify/ are for verification runs; they sit apart
  // so that runs over the other folders meet the same files as before.

  StandinDocument PartShaped(const NamedShape& shape) const {
    StandinDocument part = Document(DocumentType::Part, "Part");
    part.geometry = BrepText(shape.shape);
    return part;
  }

  StandinDocument AssemblyOf(std::vector<StandinReference> references) const {
    StandinDocument assembly = Document(DocumentType::Assembly, "Assembly");
    assembly.references = std::move(references);
    return assembly;
  }

  // One part per compute status, named after the status's word.
  Status StatusParts() {
    const std::pair<const char*, ComputeStatus> statuses[] = {
        {"up-to-date", ComputeStatus::UpToDate}, {"out-of-date", ComputeStatus::OutOfDate},
        {"driver-lost", ComputeStatus::DriverLost}, {"in-error", ComputeStatus::InError},
        {"deleted", ComputeStatus::Deleted}, {"cannot-compute", ComputeStatus::CannotCompute},
        {"unknown", ComputeStatus::Unknown}};
    for (const auto& [word, status] : statuses) {
      StandinDocument part = PartShaped(shapes_[4]);
      part.computeStatus = status;
      if (Status saved = Save("verify/status-" + std::string(word) + ".ipt", part); !saved) return saved;
    }
    return {};
  }

  // A part of the previous release that needs migrating, and one of a newer
  // minor release of the samples' own: the host opens both.
  Status ReleaseParts() {
    StandinDocument older = PartShaped(shapes_[6]);
    older.release = {release_.majorNumber - 1, 0};
    older.needsMigrating = true;
    older.description = "saved by the previous release: needs migrating";
    StandinDocument newerMinor = PartShaped(shapes_[8]);
    newerMinor.release = {release_.majorNumber, release_.minorNumber + 1};
    newerMinor.description = "saved by a service pack of the host's release";
    if (Status saved = Save("verify/needs-migrating.ipt", older); !saved) return saved;
    return Save("verify/newer-minor.ipt", newerMinor);
  }

  // Five levels, shared below the top: top -> frame and drive, which both
  // use the axle -> two hubs -> bearing and nut. Expanded, 22 occurrences
  // of 10 files.
  Status ReferenceTree() {
    const auto at = [](double z) { return StandinPlacement{{0, 0, z}, {0, 0, 1}, 0}; };
    const std::pair<const char*, StandinDocument> documents[] = {
        {"verify/tree/bearing.ipt", PartShaped(shapes_[5])},
        {"verify/tree/nut.ipt", PartShaped(shapes_[8])},
        {"verify/tree/shaft.ipt", PartShaped(shapes_[2])},
        {"verify/tree/plate.ipt", PartShaped(shapes_[11])},
        {"verify/tree/bolt.ipt", PartShaped(shapes_[7])},
        {"verify/tree/hub.iam", AssemblyOf({{"bearing.ipt", std::nullopt}, {"nut.ipt", std::nullopt}})},
        {"verify/tree/axle.iam",
         AssemblyOf({{"shaft.ipt", std::nullopt}, {"hub.iam", at(-40)}, {"hub.iam", at(40)}})},
        {"verify/tree/frame.iam", AssemblyOf({{"plate.ipt", std::nullopt}, {"axle.iam", std::nullopt}})},
        {"verify/tree/drive.iam", AssemblyOf({{"axle.iam", std::nullopt}, {"bolt.ipt", std::nullopt}})},
        {"verify/tree/top.iam",
         AssemblyOf({{"frame.iam", std::nullopt}, {"drive.iam", std::nullopt}, {"bolt.ipt", std::nullopt}})},
    };
    for (const auto& [name, document] : documents) {
      if (Status saved = Save(name, document); !saved) return saved;
    }
    return {};
  }

  // References a walk must survive: a cycle of two assemblies (the format
  // allows it), a missing file, and nothing but iFeatures.
  Status OddReferences() {
    StandinDocument cycleA = AssemblyOf({{"cycle-b.iam", std::nullopt}});
    cycleA.description = "uses cycle-b, which uses this one";
    StandinDocument cycleB = AssemblyOf({{"cycle-a.iam", std::nullopt}});
    StandinDocument missing = AssemblyOf({{"status-up-to-date.ipt", std::nullopt}, {"missing-part.ipt", std::nullopt}});
    missing.description = "refers to a part that is not there";
    StandinDocument rib = Document(DocumentType::DesignElement, "Part");
    rib.description = "a rib to place on parts";
    StandinDocument notch = Document(DocumentType::DesignElement, "Part");
    notch.description = "a notch to place on parts";
    StandinDocument featuresOnly = AssemblyOf({{"rib.ide", std::nullopt}, {"notch.ide", std::nullopt}});
    for (const auto& [name, document] : {std::pair{"verify/cycle-a.iam", cycleA}, std::pair{"verify/cycle-b.iam", cycleB},
                                         std::pair{"verify/missing-reference.iam", missing},
                                         std::pair{"verify/rib.ide", rib}, std::pair{"verify/notch.ide", notch},
                                         std::pair{"verify/features-only.iam", featuresOnly}}) {
      if (Status saved = Save(name, document); !saved) return saved;
    }
    return {};
  }

  fs::path root_;
  StandinRelease release_;
  std::vector<NamedShape> shapes_;
  ProductNode assembly_;
  std::map<std::string, std::vector<StandinSheet>> drawingSheets_;
  std::vector<std::string> written_;
};

}  // namespace

Result<std::vector<std::string>> WriteSampleSet(const std::string& folder, const StandinRelease& release) {
  return SampleWriter(folder, release).Run();
}

}  // namespace korrin::standin
