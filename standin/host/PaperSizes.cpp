#include "PaperSizes.h"

#include <QSizeF>
#include <array>
#include <cmath>
#include <string>

#include "PrintManagerState.h"
#include "StandinFailures.h"
#include "host/HostCodes.h"

namespace korrin::standin {
namespace {

constexpr double kMillimetresPerCentimetre = 10;

struct KnownPaper {
  std::int32_t id;
  QPageSize::PageSizeId size;
};

// The host's paper ids, and the paper each names. "A4Small" is A4 printed
// with wider margins, and "C", "D" and "E" are the ANSI sizes.
constexpr std::array<KnownPaper, 17> kKnownPapers{{
    {14337, QPageSize::Imperial10x14},
    {14339, QPageSize::A2},
    {14340, QPageSize::A3},
    {14341, QPageSize::A4},
    {14342, QPageSize::A4Small},
    {14343, QPageSize::A5},
    {14344, QPageSize::B4},
    {14345, QPageSize::B5},
    {14346, QPageSize::AnsiC},
    {14347, QPageSize::AnsiD},
    {14348, QPageSize::AnsiE},
    {14349, QPageSize::Executive},
    {14350, QPageSize::Folio},
    {14351, QPageSize::Ledger},
    {14352, QPageSize::Legal},
    {14353, QPageSize::Letter},
    {14354, QPageSize::Quarto},
}};

}  // namespace

Result<QPageSize> PaperOf(std::int32_t paper, double customWidthCentimetres, double customHeightCentimetres,
                          const QPageSize& printerDefault) {
  if (paper == kPrinterDefaultPaper) return printerDefault;
  if (paper == host::kCustomPaperSize) {
    if (!(customWidthCentimetres > 0) || !(customHeightCentimetres > 0) || !std::isfinite(customWidthCentimetres) ||
        !std::isfinite(customHeightCentimetres)) {
      return InvalidArgument("The custom paper size needs a width and a height above zero.");
    }
    return QPageSize(QSizeF(customWidthCentimetres * kMillimetresPerCentimetre,
                            customHeightCentimetres * kMillimetresPerCentimetre),
                     QPageSize::Millimeter, QStringLiteral("Custom"), QPageSize::ExactMatch);
  }
  for (const KnownPaper& known : kKnownPapers) {
    if (known.id == paper) return QPageSize(known.size);
  }
  return InvalidArgument("The paper id " + std::to_string(paper) + " names no paper the stand-in host knows.");
}

}  // namespace korrin::standin
