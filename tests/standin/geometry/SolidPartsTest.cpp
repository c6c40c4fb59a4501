#include <gtest/gtest.h>

#include <BRepPrimAPI_MakeBox.hxx>
#include <TopExp_Explorer.hxx>

#include "geometry/OneShape.h"
#include "geometry/SampleImportShapes.h"
#include "geometry/SolidParts.h"

namespace korrin::standin {
namespace {

TEST(SolidParts, SeveralSolidsBecomeNumberedPartsInTheirOrderAndTheRestOneMore) {
  const TopoDS_Shape box = BRepPrimAPI_MakeBox(10, 10, 10).Shape();
  const TopoDS_Shape row = InARow(box, 3, 20).value();
  const TopoDS_Shape face = TopExp_Explorer(box, TopAbs_FACE).Current();
  const struct {
    const char* what;
    TopoDS_Shape shape;
    std::vector<std::pair<std::string, TopAbs_ShapeEnum>> parts;
  } cases[] = {
      {"three solids", row, {{"w_1", TopAbs_SOLID}, {"w_2", TopAbs_SOLID}, {"w_3", TopAbs_SOLID}}},
      {"solids nested, and a face", OneShape({OneShape({row}), face, box}),
       {{"w_1", TopAbs_SOLID},
        {"w_2", TopAbs_SOLID},
        {"w_3", TopAbs_SOLID},
        {"w_4", TopAbs_SOLID},
        {"w_5", TopAbs_FACE}}},
      {"one solid and a face", OneShape({box, face}), {}},
      {"nothing", TopoDS_Shape(), {}},
  };
  for (const auto& c : cases) {
    const std::vector<NamedShape> parts = SolidParts(c.shape, "w");
    ASSERT_EQ(parts.size(), c.parts.size()) << c.what;
    for (std::size_t index = 0; index < parts.size(); ++index) {
      EXPECT_EQ(parts[index].name, c.parts[index].first) << c.what;
      EXPECT_EQ(parts[index].shape.ShapeType(), c.parts[index].second) << c.what << " " << parts[index].name;
    }
  }
}

}  // namespace
}  // namespace korrin::standin
