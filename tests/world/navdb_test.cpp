// Reading the navigation database, its capacity and failure alerts, and the carrier's slots.
#include "support/test_support.h"

#include "world/world_files.h"

class WorldNavdb : public ::testing::Test {
 protected:
  void SetUp() override {
    wf::reset_world();
    wf::fresh_app_folder();
  }
};

TEST_F(WorldNavdb, ReadsTheThreeFilesWithTheirUnitsAndWrapping) {
  wf::airport p = wf::field(34.1f, -117.2f, 360, 10000, 200, 1159.0f, 1);
  p.rw[1] = p.rw[0];
  p.rw[1].hdng = -10;
  p.rw[1].lr = 'L';
  p.rw[2] = p.rw[0];
  p.rw[2].hdng = 800;  // more than one turn out
  p.id = "SBD";
  p.name = "San-Bernardino-Intl";
  wf::navaid ndb{2, 34.0f, -117.0f, 1000.0f, 362, 0, 0, "PO", "Pomona"};
  wf::navaid vor{3, 34.5f, -117.5f, 0.0f, 113, 90, -370, "PDZ", "Paradise"};
  wf::write_database({p, wf::field(40.0f, -100.0f, 90, 3000, 60, 0.0f)}, {ndb, vor},
                     {{34.2f, -117.3f, "ALPHA"}, {34.3f, -117.4f, "BRAVO"}});
  init_country_data();

  EXPECT_EQ(env.aptmax, 1);
  EXPECT_EQ(apt_hdng[0][0], 0);
  EXPECT_EQ(apt_hdng[0][1], 350);
  EXPECT_EQ(apt_hdng[0][2], 80);
  EXPECT_EQ(apt_lr[0][1], 'L');
  EXPECT_EQ(apt_len[0][0], 3048);  // feet to whole metres
  EXPECT_EQ(apt_width[0][0], 60);
  EXPECT_NEAR(apt_h[0], 1159.0f * 0.3048f, 1e-3f);
  EXPECT_EQ(apt_twr[0], 1);
  EXPECT_EQ(apt_twr[1], 0);
  EXPECT_STREQ(apt_id[0], "SBD ");
  EXPECT_STREQ(apt_name[0], "San Bernardino Intl");
  EXPECT_EQ(apt_len[1][1], 0);  // an empty slot

  EXPECT_EQ(nav_f12[0], 362);
  EXPECT_EQ(nav_f12[1], 11390);
  EXPECT_EQ(nav_hdng[1], 350);
  EXPECT_STREQ(nav_id[0], "PO  ");
  EXPECT_STREQ(nav_name[1], "Paradise");
  EXPECT_NEAR(nav_h[0], 304.8f, 1e-3f);
  EXPECT_EQ(nav_type[2], 99);

  EXPECT_STREQ(fix_name[1], "BRAVO");
  EXPECT_FLOAT_EQ(fix_lat[1], 34.3f);
  EXPECT_FLOAT_EQ(fix_lat[2], -999.0f);
  EXPECT_FLOAT_EQ(fix_lon[FIX_MAX - 1], -999.0f);
}

TEST_F(WorldNavdb, CarrierSlotsFollowTheLastRealNavaid) {
  wf::navaid a{3, 34.5f, -117.5f, 0.0f, 113, 90, 0, "AAA", "First"};
  wf::navaid b{2, 34.6f, -117.6f, 0.0f, 210, 0, 0, "BBB", "Last"};
  wf::write_database({}, {a, b}, {});
  init_country_data();
  EXPECT_EQ(env.aptmax, -1);
  env.lat_sou = 34, env.lon_wes = -118, env.hiz = 0.0f, env.dx = env.dz = 1.0f;
  put_carrier_navs(1000.0f, 20.0f, -2000.0f);

  EXPECT_EQ(nav_type[1], 2);  // the last record read is untouched
  EXPECT_STREQ(nav_name[1], "Last");
  EXPECT_EQ(nav_type[env.navmax - 1], 4);
  EXPECT_EQ(nav_type[env.navmax - 2], 6);
  EXPECT_EQ(nav_f12[env.navmax - 1], 10800);
  EXPECT_EQ(nav_hdng[env.navmax - 1], 352);
  EXPECT_STREQ(nav_name[env.navmax - 1], "USS Enterprise");
  EXPECT_NEAR(nav_lat[env.navmax - 1], lat_with_z(-2000.0f), 1e-5f);
  EXPECT_EQ(env.navmax, 4);  // scans over 0..navmax reach both carrier slots
}

TEST_F(WorldNavdb, FullTablesAreFatalWithTheirCount) {
  std::string body;
  for (int k = 0; k <= APT_MAX; k++)
    body += "1 34 -117 9 x 90 5000 100 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 0 0 TEST Test\n";
  wf::write_text("apt_dat", body + "99\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0], "Too many airports in world database!");
  EXPECT_EQ(last_alert().line[3], "10000");

  wf::write_database({}, {}, {});
  body.clear();
  for (int k = 0; k < NAV_MAX - 2; k++) body += "3 34 -117 0 113 90 0 TST Test\n";
  wf::write_text("nav_dat", body + "99\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0], "Too many navs in world database!");
  EXPECT_EQ(last_alert().line[3], "14997");

  wf::write_database({}, {}, {});
  body.clear();
  for (int k = 0; k < FIX_MAX; k++) body += "34 -117 FIXAA\n";
  wf::write_text("fix_dat", body + "99\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0], "Too many fixes in world database!");
  EXPECT_EQ(last_alert().line[3], "19999");
}

TEST_F(WorldNavdb, UnreadableFilesAreFatalWithTheirMessage) {
  EXPECT_FATAL_ALERT(init_country_data());  // nothing there
  EXPECT_EQ(last_alert().line[0], "I am unable to access a nav, airport, or fix data file!");
  EXPECT_EQ(last_alert().line[2], std::string(app_path) + "world/apt_dat");

  wf::write_database({}, {}, {});
  std::ofstream(std::string(app_path) + "world/nav_dat") << "I\n353 version\n99\n";
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0],
            "The following file is the wrong version for this version of Kestrix:");

  std::ofstream(std::string(app_path) + "world/nav_dat") << "X\n354 version\n99\n";
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0], "Error reading in global data file after version-scan!");

  // A record cut short, and one with text where a number belongs.
  wf::write_text("apt_dat", "1\n34.1 -117.2 6 x 60\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[0], "File-scanning error!");
  EXPECT_EQ(last_alert().line[3], "scan apt line");
  wf::write_database({}, {}, {});
  wf::write_text("nav_dat", "3 34.1 -117.2 0 one 90 0 TST Test\n99\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[3], "scan nav line");
}
