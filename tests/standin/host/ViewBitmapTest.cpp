// Bitmaps of the stand-in host's views: the model as its view shows it, or a
// drawing's sheet, read back from the file's own bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "PrintingFixture.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

struct Pixel {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Pixel&) const = default;
};

// An uncompressed bitmap of 24 bits a pixel as the file holds it: rows from
// the bottom, each padded to four bytes, blue first.
struct Bitmap {
  std::uint32_t width = 0, height = 0, bitsPerPixel = 0, compression = 0;
  std::string bytes;

  static Bitmap Read(const std::string& path) {
    Bitmap bitmap;
    bitmap.bytes = testing::FileBytes(path);
    if (bitmap.bytes.size() < 54 || bitmap.bytes.substr(0, 2) != "BM") return bitmap;
    bitmap.width = testing::LittleEndian32(bitmap.bytes, 18);
    bitmap.height = testing::LittleEndian32(bitmap.bytes, 22);
    bitmap.bitsPerPixel = testing::LittleEndian32(bitmap.bytes, 28) & 0xFFFF;
    bitmap.compression = testing::LittleEndian32(bitmap.bytes, 30);
    return bitmap;
  }
  std::uint32_t RowBytes() const { return (width * 3 + 3) / 4 * 4; }
  Pixel At(std::uint32_t x, std::uint32_t y) const {
    const std::size_t at = testing::LittleEndian32(bytes, 10) + (height - 1 - y) * RowBytes() + x * 3;
    const auto byte = [this](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(bytes.at(i))); };
    return {byte(at + 2), byte(at + 1), byte(at)};
  }
  // The share of the picture's pixels that pass the test.
  template <typename Wanted>
  double Share(Wanted wanted) const {
    std::size_t count = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
      for (std::uint32_t x = 0; x < width; ++x) count += wanted(At(x, y)) ? 1 : 0;
    }
    return static_cast<double>(count) / (static_cast<double>(width) * height);
  }
};

bool Near(const Pixel& pixel, int red, int green, int blue, int within = 12) {
  return std::abs(pixel.red - red) < within && std::abs(pixel.green - green) < within &&
         std::abs(pixel.blue - blue) < within;
}
// The model's surface is blue in every light; edges and the background are grey.
bool IsSurface(const Pixel& pixel) { return pixel.blue > pixel.red + 40; }
bool IsDark(const Pixel& pixel) { return pixel.red + pixel.green + pixel.blue < 3 * 128; }

class ViewBitmapTest : public testing::PrintingFixture {
 protected:
  void SetUp() override { view_ = ViewOf(Open(WriteSpacerPart())); }

  host::ViewHandle ViewOf(host::DocumentHandle document) {
    EXPECT_TRUE(document);
    return Host().ActiveView().value();
  }

  // Writes the view's bitmap into the test's folder and reads it back.
  Bitmap Save(host::ViewHandle view, const std::string& name, std::int32_t width = 480, std::int32_t height = 360) {
    const Status saved = Host().SaveAsBitmap(view, (folder_ / name).string(), width, height);
    EXPECT_TRUE(saved.ok()) << name << ": " << (saved ? "" : saved.failure().description);
    return Bitmap::Read((folder_ / name).string());
  }

  host::ViewHandle view_;
};

TEST_F(ViewBitmapTest, TheFileHasTheSizeAskedAndTwentyFourBitsAPixel) {
  // 161 pixels take 483 bytes a row, padded to 484.
  for (const auto& [width, height] : {std::pair{161, 97}, std::pair{64, 64}, std::pair{1, 3}}) {
    const Bitmap bitmap = Save(view_, "sized.bmp", width, height);
    EXPECT_EQ(bitmap.width, static_cast<std::uint32_t>(width));
    EXPECT_EQ(bitmap.height, static_cast<std::uint32_t>(height));
    EXPECT_EQ(bitmap.bitsPerPixel, 24u) << width;
    EXPECT_EQ(bitmap.compression, 0u) << width;
    EXPECT_EQ(bitmap.bytes.size(), testing::LittleEndian32(bitmap.bytes, 10) + bitmap.RowBytes() * height) << width;
    EXPECT_EQ(testing::LittleEndian32(bitmap.bytes, 2), bitmap.bytes.size()) << width;
  }
  // 0 takes the view window's client size: a new window's is 1024 x 768.
  const Bitmap client = Save(view_, "client.bmp", 0, 0);
  EXPECT_EQ(client.width, 1024u);
  EXPECT_EQ(client.height, 768u);

  for (const auto& [width, height] : {std::pair{-1, 10}, std::pair{10, -1}}) {
    const Status refused = Host().SaveAsBitmap(view_, (folder_ / "refused.bmp").string(), width, height);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().description, "The bitmap size must not be negative.");
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "refused.bmp"));
}

TEST_F(ViewBitmapTest, ANewViewShowsTheModelShadedAndIsometricFittedToThePicture) {
  const Bitmap first = Save(view_, "first.bmp");
  // The background shows at the corners; the shaded block fills much of the
  // middle, and its edges are drawn over it.
  EXPECT_TRUE(Near(first.At(0, 0), 236, 240, 246, 2));
  EXPECT_TRUE(Near(first.At(479, 359), 236, 240, 246, 2));
  EXPECT_GT(first.Share(IsSurface), 0.25);
  EXPECT_TRUE(IsSurface(first.At(240, 180)));

  ASSERT_TRUE(Host().SetDisplayMode(view_, host::kShadedDisplay).ok());
  ASSERT_TRUE(Host().SetCameraOrientation(view_, host::kIsometricViewOrientation).ok());
  EXPECT_EQ(Save(view_, "set.bmp").bytes, first.bytes);

  // From the front the block shows its 40 x 30 mm face, fitted to the
  // height within the margins: narrower than high than isometric, and not
  // the same picture.
  ASSERT_TRUE(Host().SetCameraOrientation(view_, 0).ok());
  const Bitmap front = Save(view_, "front.bmp");
  EXPECT_NE(front.bytes, first.bytes);
  EXPECT_GT(front.Share(IsSurface), 0.25);
}

TEST_F(ViewBitmapTest, EachDisplayModeGivesItsOwnPicture) {
  const Bitmap shaded = Save(view_, "shaded.bmp");
  ASSERT_TRUE(Host().SetDisplayMode(view_, host::kWireframeDisplay).ok());
  const Bitmap wireframe = Save(view_, "wireframe.bmp");
  ASSERT_TRUE(Host().SetDisplayMode(view_, host::kHiddenEdgesDisplay).ok());
  const Bitmap hidden = Save(view_, "hidden.bmp");

  EXPECT_NE(shaded.bytes, wireframe.bytes);
  EXPECT_NE(shaded.bytes, hidden.bytes);
  EXPECT_NE(wireframe.bytes, hidden.bytes);
  // Edges only: lines that cover more than a sliver, but far less than the
  // shaded surface.
  for (const Bitmap* edges : {&wireframe, &hidden}) {
    EXPECT_LT(edges->Share(IsSurface), shaded.Share(IsSurface) / 3);
    EXPECT_GT(edges->Share([](const Pixel& pixel) { return !Near(pixel, 236, 240, 246, 4); }), 0.02);
  }
  // Wireframe draws every edge in its blue; hidden line draws the edges in
  // sight near black and those behind faces dashed in a bluish grey.
  const auto wire = [](const Pixel& pixel) { return pixel.blue > pixel.red + 50; };
  EXPECT_GT(wireframe.Share(wire), 0.01);
  EXPECT_LT(hidden.Share(wire), wireframe.Share(wire) / 4);
  EXPECT_GT(hidden.Share(IsDark), wireframe.Share(IsDark));
}

TEST_F(ViewBitmapTest, TheSamePartGivesTheSameBytesAndAnotherPartOthers) {
  const Bitmap first = Save(view_, "first.bmp", 161, 97);
  EXPECT_EQ(Save(view_, "again.bmp", 161, 97).bytes, first.bytes);

  // The same geometry in another file, opened anew: meshed and projected
  // again, the same picture.
  const host::ViewHandle twin = ViewOf(Open(WriteSpacerPart("parts/twin.ipt")));
  EXPECT_EQ(Save(twin, "twin.bmp", 161, 97).bytes, first.bytes);

  standin::StandinDocument washer = Part();
  washer.geometry = standin::BrepText(standin::MakeWasher().value());
  const host::ViewHandle other = ViewOf(Open(Write("parts/washer.ipt", washer)));
  const Bitmap different = Save(other, "washer.bmp", 161, 97);
  EXPECT_EQ(different.width, first.width);
  EXPECT_NE(different.bytes, first.bytes);
  EXPECT_GT(different.Share(IsSurface), 0.1);
}

TEST_F(ViewBitmapTest, ADrawingsViewShowsItsActiveSheetAsOnPaper) {
  const host::ViewHandle view = ViewOf(Open(WriteDrawing("plate.idw", {A4Sheet()}, {"parts/spacer.ipt"})));
  // 297 x 210 mm at 2 pixels a millimetre leave 53 pixels of desk either side.
  const Bitmap sheet = Save(view, "plate.bmp", 700, 420);
  ASSERT_EQ(sheet.width, 700u);
  const auto desk = [](const Pixel& pixel) { return pixel == Pixel{128, 128, 128}; };
  EXPECT_TRUE(desk(sheet.At(20, 210)));
  EXPECT_TRUE(desk(sheet.At(680, 210)));
  EXPECT_NEAR(sheet.Share(desk), 2.0 * 52 / 700, 0.01);
  EXPECT_EQ(sheet.At(60, 200), (Pixel{255, 255, 255}));  // between sheet edge and border

  // The border, 10 mm inside the edge: a dark line across at y = 20 pixels.
  int borderPixels = 0;
  for (std::uint32_t x = 100; x < 600; ++x) borderPixels += IsDark(sheet.At(x, 19)) || IsDark(sheet.At(x, 20)) ? 1 : 0;
  EXPECT_GT(borderPixels, 490);
  // The title block's band, at its place bottom right: x 107 to 287 mm, y 168 to 182 mm.
  const auto band = [](const Pixel& pixel) { return Near(pixel, 214, 228, 247); };
  double sumX = 0, sumY = 0;
  int count = 0;
  for (std::uint32_t y = 0; y < sheet.height; ++y) {
    for (std::uint32_t x = 0; x < sheet.width; ++x) {
      if (!band(sheet.At(x, y))) continue;
      sumX += x;
      sumY += y;
      ++count;
    }
  }
  ASSERT_GT(count, 180 * 2 * 10);
  EXPECT_NEAR((sumX / count - 53) / 2, 197, 8);
  EXPECT_NEAR(sumY / count / 2, 175, 4);
  // The views' edges, and no shaded surface on a sheet: the bluish pixels
  // are the hidden edges' dashes and the title texts, far below the quarter
  // of the picture a shaded model covers.
  EXPECT_LT(sheet.Share(IsSurface), 0.005);

  // Another sheet activated, another picture: an A3 sheet without border
  // and title block.
  standin::StandinSheet bare = Sheet("Sheet:2", 42, 29.7);
  bare.border = false;
  bare.titleBlock = false;
  const host::DocumentHandle two = Open(WriteDrawing("two.idw", {A4Sheet(), bare}));
  const host::ViewHandle twoView = ViewOf(two);
  const Bitmap firstSheet = Save(twoView, "two-1.bmp", 700, 420);
  ASSERT_TRUE(Host().sheets().Activate(Host().documents().Sheet(two, 2).value()).ok());
  const Bitmap secondSheet = Save(twoView, "two-2.bmp", 700, 420);
  EXPECT_NE(secondSheet.bytes, firstSheet.bytes);
  EXPECT_GT(firstSheet.Share(band), 0.02);
  EXPECT_EQ(secondSheet.Share(band), 0);
  EXPECT_EQ(secondSheet.Share(IsDark), 0);
  // 420 x 297 mm fill the height at 1.41 pixels a millimetre: 594 pixels
  // wide, desk either side again.
  EXPECT_TRUE(desk(secondSheet.At(20, 210)));
  EXPECT_FALSE(desk(secondSheet.At(60, 210)));
  EXPECT_EQ(secondSheet.At(350, 210), (Pixel{255, 255, 255}));
}

TEST_F(ViewBitmapTest, ADocumentWithoutAModelHasNoPicture) {
  standin::StandinDocument presentation = Part();
  presentation.type = standin::DocumentType::Presentation;
  const host::ViewHandle view = ViewOf(Open(Write("show.ipn", presentation)));
  const Status refused = Host().SaveAsBitmap(view, (folder_ / "show.bmp").string(), 64, 48);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().description,
            "The stand-in host cannot draw a bitmap of this document: Only parts and assemblies have a model.");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "show.bmp"));
}

}  // namespace
}  // namespace korrin
