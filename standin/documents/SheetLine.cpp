#include "documents/SheetLine.h"

#include <limits>

#include "documents/DocumentKeys.h"

namespace korrin::standin {

namespace {

constexpr std::int32_t kAnySizeCode = std::numeric_limits<std::int32_t>::min();

}  // namespace

StandinSheet ReadSheetFrame(LineTokens& line) {
  StandinSheet sheet;
  sheet.name = line.Text("sheet name");
  line.Keyword(kSheetWidthWord);
  sheet.widthCentimetres = line.PositiveDecimal("sheet width");
  line.Keyword(kSheetHeightWord);
  sheet.heightCentimetres = line.PositiveDecimal("sheet height");
  line.Keyword(kSheetSizeCodeWord);
  sheet.sizeCode = line.WholeNumber("sheet size code", kAnySizeCode);
  line.Keyword(kSheetBorderWord);
  sheet.border = line.YesNo("sheet border value");
  line.Keyword(kSheetTitleBlockWord);
  sheet.titleBlock = line.YesNo("sheet title block value");
  return sheet;
}

}  // namespace korrin::standin
