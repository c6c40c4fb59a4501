#pragma once

#include <QPageSize>
#include <cstdint>

#include "ports/Result.h"

namespace korrin::standin {

// The paper a print manager's paper id names: a known paper, the custom
// size (kCustomPaperSize, width and height in centimetres), or the
// printer's default paper (kPrinterDefaultPaper). An unknown id, or a custom size without a width
// and height above zero, fails with a description saying which.
Result<QPageSize> PaperOf(std::int32_t paper, double customWidthCentimetres, double customHeightCentimetres,
                          const QPageSize& printerDefault);

}  // namespace korrin::standin
