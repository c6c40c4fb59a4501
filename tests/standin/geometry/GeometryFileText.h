#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korrin::testing {

// How many entities of each type an IGES file's directory entry section
// lists (two 80-column D records an entity; the type in columns 1 to 8).
std::map<int, int> IgesEntityCounts(const std::string& fileText);

// The IGES global section's text, its records joined without their
// sequence columns.
std::string IgesGlobalSection(const std::string& fileText);

// The quoted strings of the first STEP header statement of that name, in
// order, with doubled quotes undone: for FILE_NAME the name, time stamp,
// authors, organizations, preprocessor, originating system, authorisation.
std::vector<std::string> StepHeaderStrings(const std::string& fileText, const std::string& statement);

// The names of the file's PRODUCT entities (their second argument), in order.
std::vector<std::string> StepProductNames(const std::string& fileText);

// What Debian's admesh reports of an STL file, read from its output.
struct AdmeshReport {
  std::string fileType;
  int facets = -1;
  int disconnectedFacets = -1;
  int degenerateFacets = -1;
  int parts = -1;
  int backwardsEdges = -1;
  double volume = 0;
  std::string output;
};

// Runs /usr/bin/admesh on the file; nothing when it cannot run or fails.
std::optional<AdmeshReport> RunAdmesh(const std::string& path);

// What Debian's assimp reports of a model file read without post-processing
// (`assimp info FILE -r`): each mesh once however often the scene shows it,
// three vertices to a triangle (it shares none), and the bounds of the
// vertices as the scene's nodes place them.
struct AssimpReport {
  int nodes = -1;
  int meshes = -1;
  int vertices = -1;
  int faces = -1;
  double minimum[3] = {0, 0, 0};
  double maximum[3] = {0, 0, 0};
  std::vector<int> meshFaces;  // each mesh's triangles, in the file's order
  std::string output;
};

// Runs /usr/bin/assimp on the file; nothing when it cannot run or fails.
std::optional<AssimpReport> RunAssimpInfo(const std::string& path);

}  // namespace korrin::testing
