#pragma once

#include <string>
#include <vector>

#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// Writes a realistic set of stand-in documents for runs, demos and tests:
//   parts/          a dozen parts with real geometry, a part of an older
//                   release, one of a newer release, one that fails its first
//                   open, and OLDVERSIONS/ holding a backup copy
//   assemblies/     a two-level assembly tree, and an assembly whose
//                   reference is broken
//   drawings/       drawings of one and of three sheets in ISO and ANSI sizes,
//                   one with a sheet excluded from printing, one whose views
//                   take a while to compute
//   presentations/, features/   a presentation and an iFeature
//   import/         STEP and IGES files of some of the parts and of the
//                   assembly, files on which the host's import repair shows
//                   (loose faces, a corner off its edges, several solids in
//                   one part), a versioned Pro/ENGINEER-style file, a DWG and
//                   a DXF export of two drawings, and a damaged DWG
//   conversion-list.txt         a list file naming some of the documents
//   verify/         for verification runs: a part of each compute status,
//                   one that needs migrating, one of a newer minor release,
//                   tree/ (five levels with shared subassemblies), a cycle
//                   of two assemblies, an assembly with a missing reference
//                   and one whose only references are iFeatures
// Returns the full names of the files written, in the order written.
Result<std::vector<std::string>> WriteSampleSet(const std::string& folder, const StandinRelease& release);

}  // namespace korrin::standin
