// The sample aircraft: the committed files are what the generator writes, and every one loads
// without an alert, with airfoils made here under the shipped names and with the shipped ones.
#include "support/test_support.h"

#include <filesystem>
#include <string>

#include "acf_fixture.h"
#include "acfgen/acfgen.h"
#include "app/app.h"

namespace {

class AircraftSamples : public ::testing::Test {
 protected:
  void TearDown() override { leave_test_folder(); }
  void SetUp() override {
    enter_test_folder();
    init_constants();
    reset_pln();
    reset_afl();
    reset_flt();
    reset_msc();
  }
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

// The shipped airfoil names with the Reynolds number each is made for.
void write_shipped_names() {
  app_path[0] = '\0';
  const struct {
    const char* name;
    float re;
  } foils[] = {{"Clark-Y (good propeller).afl", 1}, {"Clark-Y (good propeller) Re3.afl", 3},
               {"NACA 2412 (popular).afl", 3},      {"NACA 2412 (popular) Re9.afl", 9},
               {"NACA 0009 (symmetrical).afl", 3},  {"NACA 0009 (symmetrical) Re9.afl", 9},
               {"NACA 0006 (thin jet).afl", 9},     {"NACA 0006 (thin jet) Re30.afl", 30}};
  for (const auto& f : foils) {
    test_foil t;
    t.re = f.re;
    write_test_airfoil(std::string("airfoils/") + f.name, t);
  }
  write_test_flap("flaps/plain flap.flp");
}

}  // namespace

TEST_F(AircraftSamples, CommittedFilesAreWhatTheGeneratorWrites) {
  std::filesystem::create_directories("regenerated");
  ASSERT_EQ(write_samples("regenerated"), 0);
  ASSERT_EQ(acf_sample_count, 6);
  for (int i = 0; i < acf_sample_count; i++) {
    std::string committed =
        slurp(std::string(KESTRIX_SOURCE_DIR) + "/data/aircraft/" + acf_samples[i].file);
    EXPECT_FALSE(committed.empty()) << acf_samples[i].file;
    EXPECT_TRUE(committed == slurp(std::string("regenerated/") + acf_samples[i].file))
        << acf_samples[i].file << " differs: run the acfgen_update target";
  }
}

// The editor opens a sample and saves it again: the file comes back byte for byte.
TEST_F(AircraftSamples, EditorReadsAndRewritesEverySampleUnchanged) {
  for (int i = 0; i < acf_sample_count; i++) {
    std::string path = std::string(KESTRIX_SOURCE_DIR) + "/data/aircraft/" + acf_samples[i].file;
    reset_pln();
    C_to_C(path.c_str(), pln.C_path);
    ASSERT_EQ(inf_open(path.c_str(), FILE_ANY, VERSION_AIRCRAFT, 1), 1);
    readin();
    ASSERT_EQ(writeout_file("rewritten.acf"), 1);
    EXPECT_TRUE(slurp("rewritten.acf") == slurp(path)) << acf_samples[i].file;
  }
}

TEST_F(AircraftSamples, EverySampleLoadsWithoutAlert) {
  write_shipped_names();
  for (int i = 0; i < acf_sample_count; i++) {
    EXPECT_EQ(load_sample(acf_samples[i].file), 0u)
        << acf_samples[i].file << ": " << last_alert().line[0];
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
}

TEST_F(AircraftSamples, EverySampleLoadsWithTheShippedAirfoils) {
  std::string runtime = std::string(KESTRIX_RUNTIME_DIR) + "/";
  if (!std::filesystem::exists(runtime + "airfoils/NACA 2412 (popular).afl"))
    GTEST_SKIP() << "the airfoil generator has not written the shipped airfoils";
  C_to_C(runtime.c_str(), app_path);
  for (int i = 0; i < acf_sample_count; i++)
    EXPECT_EQ(load_sample(acf_samples[i].file), 0u)
        << acf_samples[i].file << ": " << last_alert().line[0] << " " << last_alert().line[1];
  app_path[0] = '\0';
}
