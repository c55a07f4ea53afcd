// The constants record: conversions checked against independent values, and the trig tables.
#include "support/test_support.h"

#include <cmath>
#include <vector>

#include "shared/shared.h"

TEST(SharedConstants, ConversionsMatchKnownValues) {
  con.mtrtonrt = con.nrttomtr = con.HUD_lft = 3.0f;
  init_constants();
  EXPECT_FLOAT_EQ(con.nmtomtrs, 1852.0f);
  EXPECT_NEAR(con.rpmtorsc * 60.0f / (2.0f * con.pi), 1.0f, 1e-6f);
  EXPECT_NEAR(con.g, 9.7983f, 1e-4f);
  EXPECT_NEAR(con.ktstomsc, 1852.0f / 3600.0f, 1e-6f);
  EXPECT_NEAR(con.lbstontn, 0.4535925f * 9.7983f, 1e-3f);
  EXPECT_NEAR(con.endtomed, 514.96f, 0.05f);  // slug/ft^3 with this model's surface gravity
  EXPECT_NEAR(con.meptoenp, 0.020903f, 1e-5f);
  // The map scale belongs to the terrain loader and reads 0 until a region is loaded.
  EXPECT_EQ((std::vector<float>{con.mtrtonrt, con.nrttomtr, con.HUD_lft}),
            std::vector<float>(3, 0));
  const float pairs[][2] = {
      {con.lbstokgs, con.kgstolbs}, {con.fttomtrs, con.mtrstoft}, {con.hptowatt, con.watttohp},
      {con.dgrtodgk, con.dgktodgr}, {con.radtodeg, con.degtorad}, {con.ktstomsc, con.msctokts},
      {con.rpmtorsc, con.rsctorpm}, {con.fpmtomsc, con.msctofpm}, {con.nmtomtrs, con.mtrstonm},
      {con.sftosmtr, con.smtrtosf}, {con.lbstontn, con.ntntolbs}, {con.ftlbtonm, con.nmtoftlb},
      {con.endtomed, con.medtoend}, {con.mtrtoplt, con.plttomtr}};
  for (const auto& p : pairs) EXPECT_NEAR(p[0] * p[1], 1.0f, 2e-7f) << p[0];
}

TEST(SharedConstants, TablesHoldEveryWholeDegree) {
  init_constants();
  for (int i = 0; i <= 360; i++) {
    EXPECT_NEAR(lookup_sin[i], std::sin(i * M_PI / 180.0), 1e-7) << i;
    EXPECT_NEAR(lookup_cos[i], std::cos(i * M_PI / 180.0), 1e-7) << i;
  }
  // The quadrant points are exact, so a level wing has no spurious sine.
  EXPECT_EQ(lookup_sin[180], 0.0f);
  EXPECT_EQ(lookup_cos[90], 0.0f);
  EXPECT_EQ(lookup_sin[270], -1.0f);
}
