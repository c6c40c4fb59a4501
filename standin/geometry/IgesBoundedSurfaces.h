#pragma once

#include <IGESData_IGESEntity.hxx>
#include <IGESData_IGESModel.hxx>
#include <vector>

#include "ports/Result.h"

namespace korrin::standin {

// Open CASCADE writes faces only as trimmed surfaces (144). This makes a
// bounded surface (143) of each 144 in the model: the same surface, with a
// boundary (141) per contour holding the contour's model space curve and its
// parameter space curve, as a reader of 143 expects. A face with no outer
// contour gives a failure (kGeometryFailed).
Result<std::vector<Handle(IGESData_IGESEntity)>> BoundedSurfacesOf(const Handle(IGESData_IGESModel) & trimmedModel);

}  // namespace korrin::standin
