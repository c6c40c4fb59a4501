#pragma once

namespace korrin::standin {

// What the host does to the geometry of an IGES or STEP file it imports.
struct RepairOptions {
  bool healing = false;    // fix gaps, tolerances and face orientation
  bool stitching = false;  // sew loose faces into shells, closed shells into solids
};

}  // namespace korrin::standin
