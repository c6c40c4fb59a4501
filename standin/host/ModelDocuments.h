#pragma once

#include <string>
#include <vector>

#include "GeometryExchange.h"
#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// Saves the components of an assembly model as documents of their own in
// the folder: parts as "<name>.ipt", subassemblies as "<name>.iam" with
// their own components; a component used twice is one file. Returns the
// assembly's references to them, placements included, in order.
Result<std::vector<StandinReference>> WriteComponentDocuments(const ModelNode& assembly, const std::string& folder,
                                                              const StandinRelease& release);

}  // namespace korrin::standin
