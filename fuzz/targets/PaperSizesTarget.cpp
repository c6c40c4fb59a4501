// papersizes.ini: any bytes read as the paper size definitions file by every
// lookup the program makes, and the list saved and read again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzInput.h"
#include "print/PaperSizeFile.h"
#include "print/PaperSizeRow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const std::string file = WriteScratchFile(kPaperSizeFileName, InputBytes(data, size)).string();
  AnsweringDialogs dialogs;
  const std::vector<PaperSizeRow> rows = LoadPaperSizeList(file, dialogs);
  // Every lookup reads the whole file again, so looking up every row of a
  // long input costs its square: the first rows and the last one take every
  // path a lookup has, at a rate that lets the fuzzer try far more files.
  constexpr std::size_t kRowsLookedUp = 16;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const PaperSizeRow& row = rows[index];
    if (index < kRowsLookedUp || index + 1 == rows.size()) {
      (void)PaperWidthOf(file, row.name, dialogs);
      (void)PaperHeightOf(file, row.name, dialogs);
      (void)PaperSizeDisplayOf(file, row.name, dialogs);
    }
    // A blank line is a row without a name, written back as ";;;": a comment.
    if (!row.name.empty()) Require(!IsPaperSizeComment(JoinPaperSizeLine(row)), "a named paper is no comment");
  }
  (void)PaperWidthOf(file, "A4", dialogs);
  (void)PaperSizeDisplayOf(file, "", dialogs);

  if (rows.empty()) return 0;
  Require(SavePaperSizeList(file, rows, dialogs), "the paper list is saved");
  std::vector<PaperSizeRow> named;
  for (const PaperSizeRow& row : rows) {
    if (!row.name.empty()) named.push_back(row);
  }
  std::vector<PaperSizeRow> reloaded = LoadPaperSizeList(file, dialogs);
  std::erase_if(reloaded, [](const PaperSizeRow& row) { return row.name.empty(); });
  Require(reloaded == named, "the saved papers read back row for row");
  return 0;
}
