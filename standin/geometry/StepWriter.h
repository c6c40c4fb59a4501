#pragma once

#include <filesystem>
#include <string>

#include "geometry/ProductNode.h"
#include "ports/Result.h"

namespace korrin::standin {

// The application protocol a STEP file follows; it decides the FILE_SCHEMA.
enum class StepProtocol {
  ConfigurationControlledDesign,  // AP203: CONFIG_CONTROL_DESIGN
  AutomotiveDesign,               // AP214 (international standard): AUTOMOTIVE_DESIGN
};

// What a STEP file's header says besides the schema. Empty texts are written
// as empty strings.
struct StepOptions {
  StepProtocol protocol = StepProtocol::AutomotiveDesign;
  std::string author;
  std::string organization;
  std::string authorization;
  std::string description;
  std::string originatingSystem;
};

// Writes the product as a STEP file: a part becomes one product named after
// it; an assembly becomes a product structure with every name and placement
// kept, a part used twice written once. The file appears whole or not at all.
// Open CASCADE's translation settings are process-wide: call from one thread
// at a time.
Status WriteStep(const ProductNode& product, const std::filesystem::path& path, const StepOptions& options);

}  // namespace korrin::standin
