// The sample aircraft: the committed files are what the generator writes, and every one loads
// with the shipped airfoils without an alert; the shipped airfoils and flap read by the loader.
#include <filesystem>
#include <string>

#include "acf_fixture.h"
#include "acfgen/acfgen.h"

namespace {

class AircraftSamples : public AircraftTest {
 protected:
  // Loads one committed sample; returns the number of alerts it gave.
  size_t load_sample(const char* file) {
    macibm_clear_alert_log();
    std::string path = std::string(KESTRIX_SOURCE_DIR) + "/data/aircraft/" + file;
    C_to_C(path.c_str(), pln.C_path);
    C_to_C(file, pln.C_file);
    load_plane();
    return macibm_alert_log().size();
  }
};

}  // namespace

TEST_F(AircraftSamples, CommittedFilesAreWhatTheGeneratorWrites) {
  std::filesystem::create_directories("regenerated");
  ASSERT_EQ(write_samples("regenerated"), 0);
  ASSERT_EQ(acf_sample_count, 6);
  for (int i = 0; i < acf_sample_count; i++) {
    std::string committed =
        read_file(std::string(KESTRIX_SOURCE_DIR) + "/data/aircraft/" + acf_samples[i].file);
    EXPECT_FALSE(committed.empty()) << acf_samples[i].file;
    EXPECT_TRUE(committed == read_file(std::string("regenerated/") + acf_samples[i].file))
        << acf_samples[i].file << " differs: run the acfgen_update target";
  }
}

TEST_F(AircraftSamples, EverySampleLoadsWithTheShippedAirfoilsWithoutAlert) {
  const std::string runtime = std::string(KESTRIX_RUNTIME_DIR) + "/";
  if (!std::filesystem::exists(runtime + "airfoils/NACA 2412 (popular).afl"))
    GTEST_SKIP() << "the airfoil generator has not written the shipped airfoils";
  C_to_C(runtime.c_str(), app_path);
  for (int i = 0; i < acf_sample_count; i++) {
    EXPECT_EQ(load_sample(acf_samples[i].file), 0u)
        << acf_samples[i].file << ": " << last_alert().line[0] << " " << last_alert().line[1];
    EXPECT_GT(pln.Jxx_unitmass, 0.0f) << acf_samples[i].file;
    EXPECT_GT(msc.est_Vs, 10.0f) << acf_samples[i].file;
  }
  // What kind of aircraft each is, as the loader sees it.
  load_sample("Helicopter.acf");
  EXPECT_TRUE(have_this_part(0) && have_this_part(1) && !have_this_part(4));
  EXPECT_GT(pln.skidcon, 0.0f);
  load_sample("Turboprop Transport.acf");
  EXPECT_TRUE(have_this_part(3) && pln.ecam && pln.tape);
  load_sample("Business Jet.acf");
  EXPECT_TRUE(!have_this_part(0) && pln.flyingstabEQ && pln.splrEQ);
  EXPECT_EQ(pln.Re[4][0][1], 30.0f);
  load_sample("Floatplane.acf");
  EXPECT_TRUE(have_this_part(17) && have_this_part(18) && !pln.gearEQ);
  // An octagon in a 2.8 ft by 2.6 ft float section: 2 sqrt(2) w h.
  EXPECT_NEAR(pln.misc_s, 2.8284f * 1.4f * 1.3f * 0.3048f * 0.3048f, 1e-3);
  app_path[0] = '\0';
}

TEST_F(AircraftSamples, ShippedAirfoilsLoadAndJoinTheStraightLine) {
  const std::string runtime = std::string(KESTRIX_RUNTIME_DIR) + "/";
  if (!std::filesystem::exists(runtime + "airfoils/NACA 2412 (popular).afl"))
    GTEST_SKIP() << "the airfoil generator has not written the shipped airfoils";
  float trat = 0;
  for (int i = 0; i < 8; i++) {
    SCOPED_TRACE(shipped_airfoils[i].name);
    const int re = i % 2;
    const std::string path = runtime + "airfoils/" + shipped_airfoils[i].name;
    ASSERT_NO_THROW(grabafoil(path.c_str(), 4, 0, re)) << last_alert().line[0];
    EXPECT_FLOAT_EQ(pln.Re[4][0][re], shipped_airfoils[i].re);
    // The flight model draws the straight line below 10 degrees and reads the tables from 10.
    const float clB = afl.clB[4][0][re], clM = afl.clM[4][0][re];
    EXPECT_NEAR(afl.clpos[4][0][re][0], clB + clM * 10, 0.0005);
    EXPECT_NEAR(afl.clneg[4][0][re][0], clB - clM * 10, 0.0005);
    // The pair's second file is the same section at least 1 million higher, for blending.
    if (re == 0) trat = pln.trat[4];
    if (re == 1) {
      EXPECT_EQ(pln.trat[4], trat);
      EXPECT_GE(pln.Re[4][0][1] - pln.Re[4][0][0], 1.0f);
    }
  }
  ASSERT_NO_THROW(read_flap_file((runtime + "flaps/plain flap.flp").c_str()));
  for (int i = 1; i < FLAP_ROWS; i++) {
    EXPECT_GT(pln.clflap[i], pln.clflap[i - 1]) << i;
    EXPECT_GE(pln.cdflap[i], 0.0f) << i;
  }
}
