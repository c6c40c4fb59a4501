#pragma once

#include <gtest/gtest.h>

#include <string>

#include "geometry/ShapeMeasures.h"

namespace korrin::testing {

// The measures of a shape, failing the test when it cannot be measured.
inline standin::ShapeMeasures MeasuresOf(const TopoDS_Shape& shape, const std::string& what) {
  const Result<standin::ShapeMeasures> measures = standin::Measure(shape);
  EXPECT_TRUE(measures.ok()) << what << ": " << (measures ? "" : measures.failure().description);
  return measures ? measures.value() : standin::ShapeMeasures{};
}

inline void ExpectBoxNear(const standin::BoundingBox& actual, const standin::BoundingBox& expected, double tolerance,
                          const std::string& what) {
  EXPECT_NEAR(actual.xMin, expected.xMin, tolerance) << what;
  EXPECT_NEAR(actual.yMin, expected.yMin, tolerance) << what;
  EXPECT_NEAR(actual.zMin, expected.zMin, tolerance) << what;
  EXPECT_NEAR(actual.xMax, expected.xMax, tolerance) << what;
  EXPECT_NEAR(actual.yMax, expected.yMax, tolerance) << what;
  EXPECT_NEAR(actual.zMax, expected.zMax, tolerance) << what;
}

}  // namespace korrin::testing
