// Reading the navigation database, its capacity and failure alerts, and the carrier's slots.
#include "world/world_files.h"

using WorldNavdb = WorldTest;

TEST_F(WorldNavdb, ReadsTheThreeFilesWithTheirUnitsAndWrapping) {
  wf::airport p = wf::field(34.1f, -117.2f, 360, 10000, 200, 1159.0f, 1);
  p.rw[1] = p.rw[2] = p.rw[0];
  p.rw[1].hdng = -10, p.rw[1].lr = 'L';
  p.rw[2].hdng = 800;  // more than one turn out
  p.id = "SBD", p.name = "San-Bernardino-Intl";
  wf::write_database({p, wf::field(40.0f, -100.0f, 90, 3000, 60, 0.0f)},
                     "2 34.0 -117.0 1000 362 0 0 PO   Pomona\n"
                     "3 34.5 -117.5 0 113 90 -370 PDZ  Paradise\n",
                     "34.2 -117.3 ALPHA\n34.3 -117.4 BRAVO\n");
  // The extras: kind, tower and ATIS frequencies (kHz), surfaces; unusable values become 0.
  wf::write_text("apx_dat", "1 SBD  119450 124175 1 0 0\n2 TEST 0 99000 6 8 0\n99\n");
  init_country_data();
  EXPECT_EQ((std::vector<int>{apt_kind[0], apt_twrf[0], apt_atisf[0], apt_surf[0][0], apt_kind[1],
                              apt_atisf[1], apt_surf[1][0], apt_surf[1][1]}),
            (std::vector<int>{1, 119450, 124175, SURF_ASPHALT, 2, 0, SURF_WATER, 0}));
  EXPECT_EQ(env.aptmax, 1);
  EXPECT_EQ((std::vector<int>{apt_hdng[0][0], apt_hdng[0][1], apt_hdng[0][2]}),
            (std::vector<int>{0, 350, 80}));
  EXPECT_EQ(apt_lr[0][1], 'L');
  EXPECT_EQ(apt_len[0][0], 3048);  // feet to whole metres
  EXPECT_EQ(apt_width[0][0], 60);
  EXPECT_NEAR(apt_h[0], 1159.0f * 0.3048f, 1e-3f);
  EXPECT_EQ(apt_twr[0], 1);
  EXPECT_STREQ(apt_id[0], "SBD ");
  EXPECT_STREQ(apt_name[0], "San Bernardino Intl");
  EXPECT_EQ(std::tuple(nav_f12[0], nav_f12[1], nav_hdng[1]), std::tuple(362, 11390, 350));
  EXPECT_STREQ(nav_id[0], "PO  ");
  EXPECT_NEAR(nav_h[0], 304.8f, 1e-3f);
  EXPECT_STREQ(fix_name[1], "BRAVO");
  EXPECT_FLOAT_EQ(fix_lat[2], -999.0f);  // slots beyond the last fix
  EXPECT_FLOAT_EQ(fix_lon[FIX_MAX - 1], -999.0f);
}

TEST_F(WorldNavdb, CarrierSlotsFollowTheLastRealNavaid) {
  wf::write_database({},
                     "3 34.5 -117.5 0 113 90 0 AAA  First\n2 34.6 -117.6 0 210 0 0 BBB  Last\n");
  init_country_data();
  env.lat_sou = 34, env.lon_wes = -118, env.dx = env.dz = 1.0f;
  put_carrier_navs(1000.0f, 20.0f, -2000.0f);
  EXPECT_STREQ(nav_name[1], "Last");       // the last record read is untouched
  EXPECT_EQ(env.navmax, 4);                // scans over 0..navmax reach both carrier slots
  // A glide slope, then a localizer.
  EXPECT_EQ(std::pair(nav_type[env.navmax - 2], nav_type[env.navmax - 1]), std::pair(6, 4));
  EXPECT_EQ(nav_f12[env.navmax - 1], 10800);
  EXPECT_STREQ(nav_name[env.navmax - 1], "USS Enterprise");
  EXPECT_NEAR(nav_lat[env.navmax - 1], lat_with_z(-2000.0f), 1e-5f);
}

TEST_F(WorldNavdb, FullTablesAreFatalWithTheirCount) {
  struct table {
    const char* file;
    int records;
    const char *line, *message, *count;
  };
  for (table t :
       {table{"apt_dat", APT_MAX + 1,
              "1 34 -117 9 x 90 5000 100 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 0 0 TEST Test\n",
              "Too many airports in world database!", "10000"},
        table{"nav_dat", NAV_MAX - 2, "3 34 -117 0 113 90 0 TST Test\n",
              "Too many navs in world database!", "14997"},
        table{"fix_dat", FIX_MAX, "34 -117 FIXAA\n", "Too many fixes in world database!",
              "19999"}}) {
    wf::write_database({});
    std::string body;
    for (int k = 0; k < t.records; k++) body += t.line;
    wf::write_text(t.file, body + "99\n");
    EXPECT_FATAL_ALERT(init_country_data());
    EXPECT_EQ(last_alert().line[0], t.message);
    EXPECT_EQ(last_alert().line[3], t.count);
  }
}

TEST_F(WorldNavdb, UnreadableFilesAreFatalWithTheirMessage) {
  EXPECT_FATAL_ALERT(init_country_data());  // nothing there
  EXPECT_EQ(last_alert().line[0], "I am unable to access a nav, airport, or fix data file!");
  EXPECT_EQ(last_alert().line[2], std::string(app_path) + "world/apt_dat");
  wf::write_database({});
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
  wf::write_database({});
  wf::write_text("nav_dat", "3 34.1 -117.2 0 one 90 0 TST Test\n99\n");
  EXPECT_FATAL_ALERT(init_country_data());
  EXPECT_EQ(last_alert().line[3], "scan nav line");
}

// Extras of another airport file or unreadable ones are dropped with one notice, never given to
// the wrong fields nor stopping the start; a world folder without them loads as before.
TEST_F(WorldNavdb, ExtrasThatDoNotPairWithTheAirportsAreDropped) {
  wf::write_database({wf::field(34.1f, -117.2f, 60, 10000, 200, 1159.0f, 1),
                      wf::field(45.0f, -93.0f, 0, 3000, 200, 900.0f)});
  const char* other = "The airport extras file does not match the airport file!";
  const char* damaged = "The airport extras file is damaged or of another version!";
  for (auto [body, why] :
       {std::pair{"1 TEST 119450 124175 1 0 0\n1 OTHR 0 0 1 0 0\n99\n", other},
        std::pair{"1 TEST 119450 124175 1 0 0\n99\n", other},  // one short
        std::pair{"1 TEST 119450 124175 1 0 0\n1 TEST 0", damaged},
        std::pair{"1 TEST tower 124175 1 0 0\n1 TEST 0 0 1 0 0\n99\n", damaged}}) {
    macibm_clear_alert_log();
    wf::write_text("apx_dat", body);
    init_country_data();
    ASSERT_EQ(macibm_alert_log().size(), 1u) << body;
    EXPECT_EQ(last_alert().line[0], why);
    EXPECT_EQ((std::vector<int>{apt_twrf[0], apt_kind[0], env.aptmax}), (std::vector<int>{0, 0, 1}))
        << body;
  }
  std::filesystem::remove(std::string(app_path) + "world/apx_dat");
  macibm_clear_alert_log();
  init_country_data();
  EXPECT_TRUE(macibm_alert_log().empty());
}
