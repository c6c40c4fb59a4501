#include "geometry/FilePrecisionReading.h"

#include <Interface_Static.hxx>
#include <Precision.hxx>

namespace korrin::standin {
namespace {

// The translators take the larger of this limit and the file's precision.
constexpr const char* kWidestToleranceSetting = "read.maxprecision.val";
// 0 lets a fix pass the limit when it sees no other way; 1 never does.
constexpr const char* kToleranceModeSetting = "read.maxprecision.mode";
constexpr int kLimitNeverPassed = 1;

}  // namespace

FilePrecisionReading::FilePrecisionReading()
    : widestTolerance_(Interface_Static::RVal(kWidestToleranceSetting)),
      toleranceMode_(Interface_Static::IVal(kToleranceModeSetting)) {
  Interface_Static::SetRVal(kWidestToleranceSetting, Precision::Confusion());
  Interface_Static::SetIVal(kToleranceModeSetting, kLimitNeverPassed);
}

FilePrecisionReading::~FilePrecisionReading() {
  Interface_Static::SetRVal(kWidestToleranceSetting, widestTolerance_);
  Interface_Static::SetIVal(kToleranceModeSetting, toleranceMode_);
}

}  // namespace korrin::standin
