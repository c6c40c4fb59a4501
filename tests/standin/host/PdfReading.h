#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korrin::testing {

// What poppler's pdfinfo says of a PDF file: its "Pages:" and "Page size:"
// values, as printed ("595 x 842 pts (A4)"); empty when it cannot read it.
struct PdfInfo {
  std::string pages;
  std::string pageSize;
};
PdfInfo ReadPdfInfo(const std::string& path);

// The text of the PDF's pages as pdftotext finds it.
std::string PdfText(const std::string& path);

// The first page rendered by pdftoppm at the resolution, as RGB pixels.
struct PageImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  struct Pixel {
    int red, green, blue;
  };
  Pixel At(int x, int y) const;
};
PageImage RenderPdfPage(const std::string& path, int dotsPerInch);

}  // namespace korrin::testing
