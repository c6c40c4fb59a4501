#include "standin/host/PdfReading.h"

#include <filesystem>
#include <sstream>

#include "support/RunProgram.h"
#include "support/FileBytes.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

std::string ValueAfter(const std::string& output, const std::string& label) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with(label)) continue;
    const std::size_t start = line.find_first_not_of(' ', label.size());
    return start == std::string::npos ? "" : line.substr(start);
  }
  return "";
}

// A binary PPM (P6) of 8-bit samples, as pdftoppm writes it.
PageImage ParsePpm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  in >> magic >> width >> height >> maximum;
  in.get();  // the single blank after the header
  PageImage image;
  if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0) return image;
  image.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
  if (!in) return {};
  image.width = width;
  image.height = height;
  return image;
}

}  // namespace

PdfInfo ReadPdfInfo(const std::string& path) {
  const ProgramRun run = RunProgram("/usr/bin/pdfinfo", {path});
  if (run.exitCode != 0) return {};
  return {ValueAfter(run.out, "Pages:"), ValueAfter(run.out, "Page size:")};
}

std::string PdfText(const std::string& path) { return RunProgram("/usr/bin/pdftotext", {path, "-"}).out; }

PageImage::Pixel PageImage::At(int x, int y) const {
  const std::size_t at =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

PageImage RenderPdfPage(const std::string& path, int dotsPerInch) {
  TemporaryFolder folder;
  const std::string prefix = (folder / "page").string();
  const ProgramRun run =
      RunProgram("/usr/bin/pdftoppm", {"-r", std::to_string(dotsPerInch), "-singlefile", path, prefix});
  if (run.exitCode != 0) return {};
  return ParsePpm(FileBytes(prefix + ".ppm"));
}

}  // namespace korrin::testing
