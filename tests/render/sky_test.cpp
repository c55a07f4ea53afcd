// The sun and the light of the time of day, and what clouds, rain and lightning do to it.
#include "support/test_support.h"

#include "app/app.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

class RenderSky : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_world_state();
  }
  static sky_state at(float hour, float lat = 34.0f) {
    sky_state s;
    sky_for_time(hour * 3600.0f, lat, &s);
    return s;
  }
};

}  // namespace

TEST_F(RenderSky, TheSunRisesInTheEastCrossesTheSouthAndSetsInTheWest) {
  const sky_state noon = at(12.0f), morning = at(7.0f), evening = at(17.0f), night = at(0.0f);
  EXPECT_GT(noon.sun_elev, 50.0f);
  EXPECT_GT(noon.sun_dir[2], 0.0f);  // south is +z
  EXPECT_NEAR(noon.sun_dir[0], 0.0f, 1e-4f);
  EXPECT_GT(morning.sun_dir[0], 0.3f);   // east
  EXPECT_LT(evening.sun_dir[0], -0.3f);  // west
  EXPECT_NEAR(morning.sun_elev, evening.sun_elev, 1e-2f);
  EXPECT_LT(night.sun_elev, -30.0f);
  // The hour angle wraps: a day later is the same sky.
  EXPECT_NEAR(at(36.0f).sun_elev, noon.sun_elev, 1e-3f);
  // South of the equator the noon sun stands in the north.
  EXPECT_LT(at(12.0f, -40.0f).sun_dir[2], 0.0f);
}

TEST_F(RenderSky, LightFollowsTheSunFromNightThroughDawnToDay) {
  const sky_state noon = at(12.0f), night = at(0.0f);
  for (int k = 0; k < 3; k++) {
    EXPECT_NEAR(noon.ratio[k], 1.0f, 1e-3f);
    EXPECT_LT(night.ratio[k], 0.25f);
    EXPECT_EQ(night.diffuse[k], 0.0f);  // no sunlight with the sun down
    EXPECT_GT(noon.diffuse[k], 0.5f);
  }
  EXPECT_GE(night.ratio[2], night.ratio[0]);  // moonless night is bluish
  EXPECT_EQ(noon.star_bright, 0.0f);
  EXPECT_EQ(night.star_bright, 1.0f);
  EXPECT_LT(night.zenith[2], 0.1f);
  EXPECT_GT(noon.zenith[2], noon.zenith[0]);  // a blue day sky
  // Brighter by the minute through the morning, and warm light around sunrise.
  float last = -1.0f;
  for (float h = 3.0f; h <= 12.0f; h += 0.25f) {
    const sky_state s = at(h);
    const float light = s.ratio[0] + s.ratio[1] + s.ratio[2];
    EXPECT_GE(light, last - 0.02f) << h;  // the dawn tint may shift a little between colours
    last = light;
  }
  float warmest = 0.0f;
  for (float h = 4.0f; h <= 8.0f; h += 0.1f) {
    const sky_state s = at(h);
    warmest = fltmax2(warmest, s.ratio[0] - s.ratio[2]);
  }
  EXPECT_GT(warmest, 0.15f);
}

TEST_F(RenderSky, CloudsDarkenAndLightningFlashes) {
  const sky_state clear = at(12.0f);
  sky_state s = clear;
  atm.cld_type = 1;
  sky_weather(&s, 1, 0);
  EXPECT_LT(s.diffuse[0], clear.diffuse[0] * 0.5f);
  EXPECT_LT(s.ratio[1], clear.ratio[1]);
  // Rain darkens further.
  sky_state wet = clear;
  atm.level = 3.0f;
  sky_weather(&wet, 1, 0);
  EXPECT_LT(wet.ratio[1], s.ratio[1]);
  // Above the tops the sun shines as in clear air.
  sky_state above = clear;
  sky_weather(&above, 0, 1);
  EXPECT_FLOAT_EQ(above.ratio[1], clear.ratio[1]);
  // A strike alive lights up the night; an expired one does not.
  const sky_state night = at(0.0f);
  atm.cld_type = 0;
  msc.elap_time = 10.0f;
  for (float& t : atm.strike_t_exp) t = -1.0f;
  atm.strike_t_exp[5] = 9.9f;
  s = night;
  sky_weather(&s, 1, 0);
  EXPECT_FLOAT_EQ(s.ratio[0], night.ratio[0]);
  atm.strike_t_exp[5] = 10.2f;
  sky_weather(&s, 1, 0);
  EXPECT_GT(s.ratio[0], night.ratio[0] + 0.4f);
  // The elapsed-time clock has run round at 24 hours: a strike of hours before stays dark.
  msc.elap_time = 5.0f;
  atm.strike_t_exp[5] = 50000.0f;
  s = night;
  sky_weather(&s, 1, 0);
  EXPECT_FLOAT_EQ(s.ratio[0], night.ratio[0]);
}
