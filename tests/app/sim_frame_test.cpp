// The one frame of every program: drawn or not, the flight it flies is the same.
#include "support/test_support.h"

#include <vector>

#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

// Ten seconds of the sample Light Twin from an air start in a cloud layer, its pilot rolling
// and pulling, each frame drawn or not; the flight records then, byte for byte.
std::vector<unsigned char> fly_ten_seconds(int draw) {
  macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
  fly_setup_world(100.0f);
  mnw.dx[0] = 800, mnw.dy[0] = 580;
  atm.cld_type = 1, atm.baseMSL = 900.0f, atm.topsMSL = 2000.0f;
  char path[1000], err[FLY_ERR];
  std::snprintf(path, sizeof path, "%saircraft/Light Twin.acf", app_path);
  EXPECT_TRUE(fly_load_aircraft(path, err)) << err;
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = 3500.0f, o.kias = 140.0f;
  o.controls.throttle = 0.7f, o.controls.elevator = 0.05f, o.controls.aileron = 0.2f;
  fly_start(&o);
  std::srand(3);
  for (int f = 0; f < 200; f++) sim_frame(draw);
  EXPECT_EQ(scn.belowbases, 0);  // the frame found it in the layer
  return bytes_of(flt, rel, ctm, ott);
}

}  // namespace

TEST(AppSimFrame, TheFrameWithoutItsPictureFliesTheSameFlight) {
  std::vector<unsigned char> drawn = fly_ten_seconds(1);
  std::vector<unsigned char> headless = fly_ten_seconds(0);
  EXPECT_TRUE(drawn == headless);
}
