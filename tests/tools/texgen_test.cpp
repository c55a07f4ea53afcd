// The texture generator: repeatable pictures that tile, borders that join their neighbours, and
// runway markings where the view puts them.
#include "support/test_support.h"

#include <cmath>
#include <map>

#include "texgen.h"

namespace {

const std::map<std::string, rgb_image>& textures() {
  static std::map<std::string, rgb_image> all;
  if (all.empty())
    for (named_image& t : all_textures()) all[t.name] = t.img;
  return all;
}

// Blue clearly above red: open water.
bool watery(const rgb_image& img, int x, int y) {
  const std::uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
  return p[2] > p[0] + 40;
}

int brightness(const rgb_image& img, int x, int y) {
  const std::uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
  return (p[0] + p[1] + p[2]) / 3;
}

}  // namespace

TEST(ToolsTexgen, PicturesAreRepeatableAndPowersOfTwo) {
  const std::vector<named_image> again = all_textures();
  ASSERT_EQ(again.size(), textures().size());
  for (const named_image& t : again) {
    const rgb_image& first = textures().at(t.name);
    EXPECT_EQ(t.img.rgb, first.rgb) << t.name;
    EXPECT_EQ(t.img.width & (t.img.width - 1), 0) << t.name;
    EXPECT_EQ(t.img.height & (t.img.height - 1), 0) << t.name;
  }
}

TEST(ToolsTexgen, NoiseTilesAcrossThePicturesEdges) {
  for (double v : {0.1, 0.37, 0.8}) {
    EXPECT_NEAR(tile_noise(0.0, v, 8, 5), tile_noise(1.0, v, 8, 5), 1e-12);
    EXPECT_NEAR(tile_fbm(v, 0.0, 4, 4, 9), tile_fbm(v, 1.0, 4, 4, 9), 1e-12);
  }
  // Plain ground joins itself: the first and last columns of the water and rock differ as little
  // as neighbouring columns do.
  for (const char* name : {"wat", "mnt", "sno"}) {
    const rgb_image& img = textures().at(name);
    int seam = 0, inside = 0;
    for (int y = 0; y < img.height; y++) {
      seam += std::abs(brightness(img, 0, y) - brightness(img, img.width - 1, y));
      inside += std::abs(brightness(img, 100, y) - brightness(img, 101, y));
    }
    EXPECT_LT(seam, 3 * inside + img.height) << name;
  }
}

TEST(ToolsTexgen, ShoreBordersMeetHalfWayAlongTheirEdges) {
  // Along the western edge a straight shore and a bend both change from water to land at the
  // middle; so does the outer corner along its eastern edge.
  const struct {
    const char* name;
    int x;
  } edges[] = {{"grs_wat_h", 0}, {"grs_wat_c", 0}, {"wat_grs_c", 255}, {"mnt_wat_h", 255}};
  for (const auto& e : edges) {
    const rgb_image& img = textures().at(e.name);
    int change = -1;
    for (int y = 1; y < img.height; y++)
      if (watery(img, e.x, y - 1) && !watery(img, e.x, y)) change = y;
    EXPECT_NEAR(change, img.height / 2, img.height / 16) << e.name;
  }
  // The bend keeps its water in the south-west; the outer corner keeps land in the north-east only.
  const rgb_image& bend = textures().at("grs_wat_c");
  EXPECT_TRUE(watery(bend, 20, 20));
  EXPECT_FALSE(watery(bend, 235, 20));
  EXPECT_FALSE(watery(bend, 20, 235));
  const rgb_image& corner = textures().at("wat_grs_c");
  EXPECT_FALSE(watery(corner, 240, 240));
  EXPECT_TRUE(watery(corner, 235, 20));
  EXPECT_TRUE(watery(corner, 20, 235));
}

TEST(ToolsTexgen, RunwayNumbersStandBeyondTheThresholdStripes) {
  // A number tile: paint across the stripes near its end, the figure's paint further along, and
  // plain asphalt between the stripes and the figure.
  for (const char* name : {"rway_0L", "rway_9R"}) {
    const rgb_image& img = textures().at(name);
    auto painted_in_row = [&](int y) {
      int n = 0;
      for (int x = 0; x < img.width; x++) n += brightness(img, x, y) > 200;
      return n;
    };
    EXPECT_GT(painted_in_row(img.height * 18 / 100), img.width / 4) << name;
    EXPECT_LT(painted_in_row(img.height * 35 / 100), img.width / 10) << name;
    int figure = 0;
    for (int y = img.height * 45 / 100; y < img.height * 90 / 100; y++) figure += painted_in_row(y);
    EXPECT_GT(figure, img.width * img.height / 40) << name;
  }
  // Different figures are different pictures.
  EXPECT_NE(textures().at("rway_1R").rgb, textures().at("rway_7R").rgb);
  // Every figure the runways need has strokes.
  for (char c : std::string("0123456789LRCH")) {
    const double* s;
    EXPECT_GT(glyph_strokes(c, &s), 0) << c;
  }
}
