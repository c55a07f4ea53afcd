// Situation files: the round trip back to the same place in the world, files in the plain layout,
// and failed reads and saves that change nothing.
#include "app_fixture.h"

#include <cstring>

#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "weather/weather.h"
#include "world/world.h"

class AppSituation : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    headless_queue_open_answer(SAMPLE_ACF("Trainer.acf"));
    hardprefs();
    macibm_clear_alert_log();
    // Airport 1 lies in the region whose corner is 40 N, 88 W.
    env.aptmax = 1;
    apt_lat[1][0] = 41.7f;
    apt_lon[1][0] = -86.4f;
    msc.loc_apt_wrl = 1;
    env.lat_sou = 40, env.lon_wes = -88;  // not whatever region an earlier test left
  }
};

// The aircraft has flown on and the region has slid since the start: the situation must bring
// it back to the same region and the same place in it, not to the start airport's region. Here
// it is the region of a start at 179.5 E, which reaches past the date line.
TEST_F(AppSituation, RoundTripReturnsToTheSameRegionAndPlace) {
  env.lat_sou = -18;
  env.lon_wes = 178;
  env.lox = -1000.0f;
  env.hiz = 500.0f;
  flt.X = 12345.5;
  flt.Z = -2345.25;
  flt.psi = 270.0f;
  flt.Y = 1500.0f;
  flt.v = 60.0f;
  atm.vis = 9000.0f;
  set.load_fuel = 100.0f, flt.m_fuel = 50.0f;  // burnt since the start
  std::string path = scratch("trip.sit");
  ASSERT_EQ(save_situation(path.c_str()), 1);

  atm.vis = 100.0f;
  env.lox = env.hiz = 0.0f;  // as a full load leaves them
  ASSERT_EQ(load_situation(path.c_str()), 1);
  EXPECT_EQ(env.lat_sou, -18);
  EXPECT_EQ(env.lon_wes, 178);
  EXPECT_FLOAT_EQ(set.cus_X, 13345.5f);
  EXPECT_FLOAT_EQ(set.cus_Z, -2845.25f);
  EXPECT_FLOAT_EQ(set.cus_psi, 270.0f);
  EXPECT_FLOAT_EQ(set.cus_Y, 1500.0f);
  EXPECT_FLOAT_EQ(set.cus_v, 60.0f);
  EXPECT_FLOAT_EQ(atm.vis, 9000.0f);
  EXPECT_FLOAT_EQ(flt.m_fuel, 50.0f);
  EXPECT_EQ(msc.event, 1);
  EXPECT_EQ(macibm_alert_log().size(), 1u);  // only that the ground there is water

  std::string text = read_file(path);  // hand-edited ten thousand kilometres north-east
  text.replace(text.find("13345.5"), 12, "1e+07");
  text.replace(text.find("-2845.25"), 12, "-1e+07");
  write_file(path, text);
  ASSERT_EQ(load_situation(path.c_str()), 1);
  EXPECT_FLOAT_EQ(set.cus_X, env.hix);
  EXPECT_FLOAT_EQ(set.cus_Z, env.loz);
}

TEST_F(AppSituation, FileWithoutTheRegionLineUsesTheAirportsRegion) {
  std::string path = scratch("plain.sit");
  ASSERT_EQ(save_situation(path.c_str()), 1);
  std::string text = read_file(path);
  text.erase(text.rfind(" situation data\n") + 16);  // the layout ends after the five values
  write_file(path, text);
  env.lat_sou = env.lon_wes = 0;
  ASSERT_EQ(load_situation(path.c_str()), 1);
  EXPECT_EQ(env.lat_sou, 41);   // round(41.7 - 1)
  EXPECT_EQ(env.lon_wes, -88);  // round(-86.4 - 1.5)
}

TEST_F(AppSituation, FailedReadTellsTheUserAndChangesNothing) {
  std::string path = scratch("bad.sit");
  ASSERT_EQ(save_situation(path.c_str()), 1);
  std::string good = read_file(path);
  atm.vis = 4321.0f;
  set.cus_X = 77.0f;
  std::strcpy(pln.C_path, "/planes/Current.acf");

  std::string truncated = good.substr(0, good.rfind("situation data", good.size() - 40));
  std::string old_version = good;
  old_version.replace(old_version.find("1412"), 4, "1400");
  std::string damaged_tail = good;  // not to be read as a file of a version without the tail
  damaged_tail.replace(damaged_tail.find("\n900\n") + 1, 3, "x");
  for (const std::string& text : {truncated, old_version, damaged_tail}) {
    write_file(path, text);
    macibm_clear_alert_log();
    EXPECT_EQ(load_situation(path.c_str()), 0);
    EXPECT_EQ(last_alert().line[0], "Couldn't read prefs file!");
    EXPECT_EQ(last_alert().line[3], "We will just pretend this never happened.");
    EXPECT_FLOAT_EQ(atm.vis, 4321.0f);
    EXPECT_FLOAT_EQ(set.cus_X, 77.0f);
    EXPECT_STREQ(pln.C_path, "/planes/Current.acf");
  }
  // An aircraft deleted or replaced by another file since: the pilot may choose another, and a
  // cancelled choice must not end the program.
  std::string gone = good;
  gone.replace(gone.find(SAMPLE_ACF("Trainer.acf")), std::strlen(SAMPLE_ACF("Trainer.acf")), path);
  write_file(path, gone);
  EXPECT_EQ(load_situation(path.c_str()), 0);
  EXPECT_EQ(last_alert().line[1], path);
  EXPECT_FLOAT_EQ(atm.vis, 4321.0f);
  EXPECT_STREQ(pln.C_path, "/planes/Current.acf");
  headless_queue_open_answer(SAMPLE_ACF("Trainer.acf"));
  EXPECT_EQ(load_situation(path.c_str()), 1);
  EXPECT_STREQ(pln.C_path, SAMPLE_ACF("Trainer.acf"));

  std::string missing = scratch("missing.sit");
  EXPECT_EQ(load_situation(missing.c_str()), 0);
  EXPECT_EQ(last_alert().line[0], "Couldn't open file:");
  EXPECT_EQ(last_alert().line[1], missing);
  EXPECT_EQ(last_alert().line[3], missing);
}

TEST_F(AppSituation, MenuCommandsGoThroughTheDialogs) {
  std::string path = scratch("menu.sit");
  std::filesystem::remove(path);
  APPLICATION_handlemenu(204);  // cancelled: nothing written
  EXPECT_FALSE(std::filesystem::exists(path));
  headless_queue_save_answer(path.c_str());
  APPLICATION_handlemenu(204);
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_NE(read_file(path).find(" situation region\n"), std::string::npos);
  // A name typed without the extension gets it, or the load dialog, which lists ".sit" files,
  // would not show the file.
  const std::string bare = scratch("bare");
  std::filesystem::remove(bare);
  std::filesystem::remove(bare + ".sit");
  headless_queue_save_answer(bare.c_str());
  APPLICATION_handlemenu(204);
  EXPECT_TRUE(std::filesystem::exists(bare + ".sit"));
  EXPECT_FALSE(std::filesystem::exists(bare));

  atm.vis = 100.0f;
  headless_queue_open_answer(path.c_str());
  APPLICATION_handlemenu(203);
  EXPECT_FLOAT_EQ(atm.vis, 7.0f * con.nmtomtrs);

  std::string unwritable = scratch("no/such/folder/x.sit");
  headless_queue_save_answer(unwritable.c_str());
  APPLICATION_handlemenu(204);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! Its folder does not exist:");
}
