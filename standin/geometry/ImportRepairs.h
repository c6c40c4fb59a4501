#pragma once

#include <TopoDS_Shape.hxx>

#include "geometry/ModelReaders.h"
#include "geometry/RepairOptions.h"
#include "ports/Result.h"

namespace korrin::standin {

// The tolerances a repair works to, in millimetres: the precision the file
// declares, and the widest gap the repair may close (by widening a tolerance
// or by sewing two edges into one).
struct RepairTolerances {
  double precision = 0;
  double widestGap = 0;
};

// The tolerances for a file whose whole shape this is: its declared
// precision (at least Open CASCADE's confusion distance), and gaps up to a
// thousandth of the shape's size, so a small part is not sewn across its
// own features and a large one still closes its seams. Fails
// (kGeometryFailed) when Open CASCADE cannot size the shape.
Result<RepairTolerances> RepairTolerancesFor(const TopoDS_Shape& whole, double declaredPrecision);

// Heals the shape (Open CASCADE's shape fixing), then stitches it: faces not
// already in a solid are sewn, and every closed shell becomes a solid with
// its matter inside (positive volume); solids already there are left as
// they are. With both options off the shape comes back untouched. A step
// Open CASCADE aborts gives a failure (kGeometryFailed) naming it.
Result<TopoDS_Shape> RepairShape(const TopoDS_Shape& shape, const RepairOptions& options,
                                 const RepairTolerances& tolerances);

// Repairs what a file gave, in place, to the tolerances of its whole shape
// and declared precision: the shape of each part below its products (and
// the whole shape, rebuilt from them), or the whole shape when the file has
// no products. With both options off nothing is touched.
Status RepairImportedModel(ImportedModel& model, const RepairOptions& options, double declaredPrecision);

}  // namespace korrin::standin
