// The preferences file: round trip, the read's own rules, values brought inside their tables,
// damaged files that leave every record untouched, first runs, exit and the fatal path's work.
#include "app_fixture.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "aircraft/aircraft.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "render/ogl.h"
#include "weather/weather.h"
#include "world/world.h"

class AppPrefs : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
    headless_queue_open_answer(SAMPLE_ACF("Trainer.acf"));
    hardprefs();
    headless_reset();
    macibm_clear_alert_log();
  }
  static prefs_body captured() {
    prefs_body b;
    std::memset(&b, 0, sizeof b);
    capture_prefs(&b);
    return b;
  }
  static void write_body(const std::string& path, const prefs_body& b) {
    ASSERT_EQ(ouf_open(path.c_str(), FILE_ANY, VERSION_PREFS), 1);
    write_prefs_body(b);
    ASSERT_EQ(ouf_close(), 1);
  }
  // Opens the file as initprefs does and reads it.
  static int grab_file(const std::string& path) {
    int ok = inf_open(path.c_str(), FILE_ANY, VERSION_PREFS, 0) && grab_prefs();
    inf.close();
    inf.clear();
    return ok;
  }
  static int grab_body(const prefs_body& b) {
    const std::string path = scratch("body.prf");
    write_body(path, b);
    return grab_file(path);
  }
};

static bool same_body(const prefs_body& a, const prefs_body& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A file of the first version ends after checkpoint 105, and so does one whose later settings are
// damaged: everything before is read, and the later settings stay as the records hold them.
TEST_F(AppPrefs, OlderFilesKeepTheRecordsForTheSettingsTheyLack) {
  const std::string stored = read_file(std::string(KESTRIX_SOURCE_DIR) + "/tests/app/data/layout.prf");
  const size_t tail = stored.find("\n\n106 checkpoint");
  ASSERT_NE(tail, std::string::npos);
  std::string path = scratch("old.prf");
  for (const std::string& text :
       {stored.substr(0, tail + 1), stored.substr(0, tail + 30), stored + "trailing words\n"}) {
    write_file(path, text);
    rel.fail_type[3] = 1;
    atm.rate_change = 5;
    msc.typestart = 1000;
    ASSERT_EQ(grab_file(path), 1);
    EXPECT_EQ(msc.locl_time, 45000.25f);  // before the tail: read
    const bool whole = text.size() > stored.size();
    EXPECT_EQ(rel.fail_type[3], whole ? 2 : 1);
    EXPECT_EQ(atm.rate_change, whole ? 8 : 5);
    EXPECT_EQ(msc.typestart, whole ? 1100 : 1000);
    EXPECT_EQ(prefs_loads_kept, whole ? 1 : 0);
  }
  // The loads are kept for the aircraft the file names, not for one chosen when that had gone.
  pln.m_empty = 500.0f, pln.m_max = 1000.0f, pln.m_fuel = 100.0f;
  const float chosen[3] = {40.5f, 90.0f, 0.0f};
  for (const char* aircraft : {"/aircraft/Trainer.acf", "/aircraft/Other.acf"}) {
    std::snprintf(pln.C_path, sizeof pln.C_path, "%s", aircraft);
    set.load_fuel = 50.0f;
    keep_chosen_loads(chosen);
    EXPECT_EQ(set.load_fuel, aircraft[10] == 'T' ? 40.5f : 50.0f) << aircraft;
  }
}

// The layout the file has always had, kept in tests/app/data: the order, the checkpoints, the
// shared lines and the number formats of every value. Reading it back gives the same records,
// every setting away from its factory value (exact in six decimals) so that none the reader skips
// goes unnoticed.
TEST_F(AppPrefs, WrittenFileKeepsItsLayoutAndReadsBackAsTheSameRecords) {
  std::snprintf(pln.C_file, sizeof pln.C_file, "Trainer.acf");
  std::snprintf(pln.C_path, sizeof pln.C_path, "/aircraft/Trainer.acf");
  msc.loc_apt_wrl = 0;
  msc.rway_sel = 5;
  msc.locl_time = 45000.25f;
  atm.temp_SL = 71.5f;
  atm.baro = 30.12f;
  atm.change_vis = 0;
  atm.cld_type = 0;
  atm.vis = 9260.0f;
  atm.wnddir[0] = 250.0f;
  atm.wndspd[0] = 7.5f;
  atm.shrdir[8] = 30.0f;
  atm.tbl[3] = 2.0f;
  atm.wave_dir = 300;
  atm.rway_fric_code = 3;
  atc.voice_out = 0;
  set.ser_motion = 1;
  set.Brlt[0] = 1;
  set.Bgrf[50] = 1;
  set.damp = 0.25f;
  set.eq_col = 1;
  set.NZroll = 0.125f;
  set.joy_response[7] = 3;
  nav.vol[1] = 0.75f;
  nav.cf[0] = 13500;
  nav.obs[1] = 271.5f;
  nav.dmesel = 2;
  nav.gps_id[3] = 20;
  msc.prd = 0.04f;
  rel.total_fail_entry = 12.5f;
  ogl_fscene = 1;
  rel.fail_type[3] = 2;
  rel.fail_time_max[3] = 45.5f;
  rel.fail_type[29] = 3;
  atm.dewp_SL = 50.0f;
  atm.rate_change = 8;
  set.eq_toebrakes = 1;
  msc.typestart = 1100;
  set.load_fuel = 40.5f;
  set.load_fixed = 90.0f;
  mnw.main_w = 1280, mnw.main_h = 700, mnw.main_state = MAIN_FULL_SCREEN, mnw.ui_scale = 150;
  atm.change_turb = 0, atm.wnddir[4] = 270.0f, atm.wndspd[4] = 12.5f, atm.tbl[8] = 3.0f;
  set.Brlt[7] = set.Bgrf[2] = set.eq_thr = 1, set.joy_response[15] = 28;
  nav.nf[1] = 10990, nav.obs[0] = 123.5f, nav.gps_id[2] = 36;
  msc.logtime = ogl_trees = 1, ogl_res = 4;
  prefs_body before = captured();
  std::string written = scratch("layout.prf");
  write_body(written, before);
  std::string stored = std::string(KESTRIX_SOURCE_DIR) + "/tests/app/data/layout.prf";
  EXPECT_EQ(read_file(written), read_file(stored));

  reset_world_state();
  init_constants();
  ASSERT_EQ(grab_file(stored), 1);
  EXPECT_TRUE(same_body(captured(), before));
  EXPECT_STREQ(pln.C_path, "/aircraft/Trainer.acf");
  EXPECT_EQ(macibm_find_menu_item(7, 711)->checked, 1);
}

TEST_F(AppPrefs, DiskOutputIsNeverRestoredWhileScreenAndGraphSelectionsAre) {
  prefs_body b = captured();
  for (int i = 0; i < DATA_GROUPS; i++) b.Bdsk[i] = 1;
  b.Brlt[5] = 7;  // any non-zero value selects
  b.Bgrf[9] = 1;
  b.Bgrf[11] = -1;
  for (int g = 20; g < 24; g++) b.Bgrf[g] = 1;  // six in all: the graph shows four
  std::string path = scratch("out.prf");
  write_body(path, b);
  std::snprintf(prefs_path, sizeof prefs_path, "%s", path.c_str());
  initprefs();
  for (int i = 0; i < DATA_GROUPS; i++) EXPECT_EQ(set.Bdsk[i], 0);
  EXPECT_EQ(set.Brlt[5], 1);
  EXPECT_EQ(set.rltsel[0], 5);
  EXPECT_EQ(set.rltsel[1], -1);
  EXPECT_EQ(set.grfsel[0], 9);
  EXPECT_EQ(set.grfsel[1], 11);
  EXPECT_EQ(set.Bgrf[21], 1);
  EXPECT_EQ(set.Bgrf[22] + set.Bgrf[23], 0);
  EXPECT_EQ(set.dskout, 0);
  EXPECT_EQ(set.rltout, 1);
  EXPECT_EQ(set.grfout, 1);
}

TEST_F(AppPrefs, ValuesThatIndexTablesOrTimeTheFrameAreBroughtInside) {
  env.aptmax = 3;
  std::strcpy(apt_id[2], "SBD ");
  apt_lat[2][0] = 34.1f;
  apt_lon[2][0] = -117.2f;
  prefs_body b = captured();
  b.loc_apt_wrl = 99999;
  b.rway_sel = 9;
  b.gps_index_mode = 1;
  b.gps_index = -5;
  b.gps_vor_index = 1000000;
  b.gps_id[1] = 50;
  b.ogl_res = 7;
  b.wave_dir = -90;
  b.locl_time = -10.0f;
  b.joy_response[0] = 99;
  b.prd = 0.5f;
  b.topsMSL = 29000.0f;  // 95144 ft, within the weather window's range
  ASSERT_EQ(grab_body(b), 1);
  EXPECT_FLOAT_EQ(msc.prd, 0.1f);
  EXPECT_FLOAT_EQ(atm.topsMSL, 29000.0f);
  EXPECT_EQ(msc.loc_apt_wrl, 2);  // the factory airport
  EXPECT_EQ(env.lat_sou, 33);
  EXPECT_EQ(env.lon_wes, -119);
  EXPECT_EQ(msc.rway_sel, 0);
  EXPECT_EQ(nav.gps_index, 1600);
  EXPECT_EQ(nav.gps_vor_index, 2100);
  EXPECT_EQ(nav.gps_id[1], 11);
  EXPECT_EQ(ogl_res, 2);
  EXPECT_EQ(atm.wave_dir, 270);
  EXPECT_FLOAT_EQ(msc.locl_time, 86390.0f);
  EXPECT_EQ(set.joy_response[0], 2);
  b.prd = 0.001f;
  ASSERT_EQ(grab_body(b), 1);
  EXPECT_FLOAT_EQ(msc.prd, 0.01f);
}

TEST_F(AppPrefs, ExternalRadiosStartFromTheirDefaults) {
  prefs_body b = captured();
  b.eq_avi = 1;
  b.nf[0] = 10850;
  b.cf[1] = 12345;
  b.adff = 333;
  ASSERT_EQ(grab_body(b), 1);
  EXPECT_EQ(nav.nf[0], 11170);
  EXPECT_EQ(nav.cf[1], 12100);
  EXPECT_EQ(nav.adff, 210);
}

// Every way a file can be damaged is refused as a whole: nothing of it reaches the records.
TEST_F(AppPrefs, DamagedFilesChangeNoRecord) {
  std::string path = scratch("bad.prf");
  write_body(path, captured());
  std::string good = read_file(path);
  msc.prd = 0.0777f;  // differs from the file
  atm.vis = 1234.0f;
  prefs_body before = captured();

  std::vector<std::string> bad;
  // Truncated at every line before the settings added since the first version (a file that ends
  // there is an older one, AppPrefs.OlderFilesKeepTheRecordsForTheSettingsTheyLack).
  const size_t tail = good.find("\n\n106 checkpoint");
  for (size_t at = good.find('\n'); at < tail; at = good.find('\n', at + 1))
    bad.push_back(good.substr(0, at + 1));
  std::string text = good;
  bad.push_back(text.replace(text.find("102 checkpoint"), 3, "107"));
  text = good;
  bad.push_back(text.replace(text.find("\n11170\n"), 7, "\n99999999999\n"));  // int overflow
  text = good;
  bad.push_back(text.replace(text.find("\n59.000000\n"), 11, "\n1e39\n"));  // float overflow
  text = good;
  bad.push_back(text.replace(text.find("\n29.920000\n"), 11, "\nnan\n"));
  text = good;
  bad.push_back(text.replace(text.find("1412 version"), 4, "1411"));
  bad.push_back("");
  bad.push_back("I\n1412 version\n");
  static const char binary[] = "I\n1412 version\n\xff\xfe garbage\0\x01\n";
  bad.push_back(std::string(binary, sizeof binary - 1));
  for (size_t k = 0; k < bad.size(); k++) {
    write_file(path, bad[k]);
    EXPECT_EQ(grab_file(path), 0) << "case " << k;
    ASSERT_TRUE(same_body(captured(), before)) << "case " << k;
  }
}

// Files of earlier versions end before the window's line (the first version before checkpoint
// 106, the next one before 107), and situations of earlier versions have their own values there:
// the window keeps what it has, and the situation's values are left for their reader.
TEST_F(AppPrefs, WithoutTheWindowLineTheWindowKeepsItsSizeAndTheRestIsLeftToRead) {
  std::string path = scratch("earlier.prf");
  write_body(path, captured());
  const std::string whole = read_file(path);
  for (const char* end : {"\n106 checkpoint", "\n107 checkpoint"}) {
    ASSERT_NE(whole.find(end), std::string::npos) << end;
    write_file(path, whole.substr(0, whole.find(end) + 1) + "1234.5 situation data\n");
    mnw.main_w = 1000, mnw.main_h = 700, mnw.main_state = MAIN_MAXIMISED, mnw.ui_scale = 200;
    ASSERT_EQ(inf_open(path.c_str(), FILE_ANY, VERSION_PREFS, 0), 1);
    ASSERT_EQ(grab_prefs(), 1);
    float pos[5];
    int lat = 0, lon = 0, region = 0;
    EXPECT_EQ(read_situation_tail(pos, &lat, &lon, &region), 0);  // one value of five
    inf.close();
    inf.clear();
    EXPECT_FLOAT_EQ(pos[0], 1234.5f) << end;
    EXPECT_TRUE(mnw.main_w == 1000 && mnw.main_h == 700 && mnw.main_state == MAIN_MAXIMISED) << end;
    EXPECT_EQ(mnw.ui_scale, 200) << end;
  }
}

// Reset Preferences and Exit leaves a file that no start can read, as is a damaged one: the next
// start is a first run, from the factory settings.
TEST_F(AppPrefs, UnreadableFileStartsFromFactorySettingsWithTheFirstRunQuestions) {
  ASSERT_EQ(save_prefs_file(), 1);
  EXPECT_FATAL_ALERT(APPLICATION_handlemenu(703));
  const std::string reset = read_file(prefs_path);
  EXPECT_EQ(reset, "I\n-1 version\nz\n");
  for (const std::string& text :
       {reset, std::string("I\n1412 version\nT\n/x/T.acf\n\n100 checkpoint\n\nnot a number\n")}) {
    write_file(prefs_path, text);
    reset_world_state();
    init_constants();
    headless_reset();
    macibm_clear_alert_log();
    headless_queue_open_answer(SAMPLE_ACF("Light Twin.acf"));
    initprefs();
    EXPECT_EQ(last_alert().line[0], "Welcome to Kestrix.");  // and no note after it
    EXPECT_EQ(headless_dialogs_asked(), 1);
    EXPECT_STREQ(pln.C_path, SAMPLE_ACF("Light Twin.acf"));
    EXPECT_FLOAT_EQ(msc.prd, 0.05f);
    EXPECT_FLOAT_EQ(atm.vis, 7.0f * con.nmtomtrs);
    EXPECT_EQ(set.joy_response[4], 22);
  }
}

TEST_F(AppPrefs, FirstRunWithoutAnAircraftEndsTheProgram) {
  EXPECT_FATAL_ALERT(hardprefs());
  EXPECT_EQ(last_alert().line[0], "I did not get a valid aircraft from you.");
  EXPECT_EQ(last_alert().line[3], "Aircraft files have a '.acf' suffix.");
}

TEST_F(AppPrefs, ExitSavesPreferencesOnlyOnceTheNavigationListsExist) {
  std::string track = scratch("Kestrix.out");
  trk.open(track);
  env.apt_list_max = -999;
  EXPECT_FATAL_ALERT(APPLICATION_handlemenu(206));
  EXPECT_FALSE(std::filesystem::exists(prefs_path));

  trk.open(track);
  env.apt_list_max = 0;
  msc.prd = 0.0625f;
  prefs_body saved = captured();
  EXPECT_FATAL_ALERT(APPLICATION_handlemenu(206));
  EXPECT_NE(read_file(track).find("\n\nend simulation."), std::string::npos);
  msc.prd = 0.05f;
  ASSERT_EQ(grab_file(prefs_path), 1);
  EXPECT_TRUE(same_body(captured(), saved));
}

TEST_F(AppPrefs, FatalAlertWithAMessageKeepsACopyThenSpoilsThePreferencesAndASilentOneDoesNot) {
  ASSERT_EQ(save_prefs_file(), 1);
  std::string good = read_file(prefs_path);
  EXPECT_FATAL_ALERT(MACIBM_alert(nullptr, nullptr, nullptr, nullptr, ALERT_SIM_FATAL));
  EXPECT_EQ(read_file(prefs_path), good);
  int value = 7;
  EXPECT_FATAL_ALERT(MACIBM_alert("Can't create window!", "", "",
                                  reinterpret_cast<const char*>(&value), ALERT_SIM_FATAL_VALUE));
  EXPECT_EQ(read_file(prefs_path), "I\n-1 version\nz\n");
  // The good file was kept first, and the box said where; a second failure keeps that copy.
  const std::string backup = std::string(prefs_path) + ".bak";
  EXPECT_EQ(read_file(backup), good);
  ASSERT_TRUE(alert_shown("Your settings are kept in a copy of the preferences file:"));
  EXPECT_EQ(find_alert("Your settings are kept in a copy of the preferences file:")->line[1],
            backup);
  EXPECT_FATAL_ALERT(MACIBM_alert("again", "", "", "", ALERT_SIM_FATAL));
  EXPECT_EQ(read_file(backup), good);
}

// The logbook comes once, and being a message of its own it must not spoil the preferences that
// a clean exit has just written.
TEST_F(AppPrefs, LogbookIsShownOnceAndLeavesTheSavedPreferences) {
  env.apt_list_max = 0;
  msc.logtime = 1;
  msc.elap_time = 3725.0f;  // 1 h 2 min
  msc.nigt_time = 0.0f;
  msc.aifr_time = 600.0f;
  EXPECT_FATAL_ALERT(APPLICATION_handlemenu(206));
  const alert_record* log = find_alert("Logbook results:");
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->line[1], "Total time logged: 1:2.");
  EXPECT_EQ(log->line[2], "Night time logged: 0:0.");
  EXPECT_EQ(log->line[3], "Actual instrument time logged: 0:10.");
  EXPECT_EQ(msc.logtime, 0);
  std::string saved = read_file(prefs_path);
  EXPECT_EQ(saved.rfind("I\n1412 version\n", 0), 0u);

  macibm_clear_alert_log();
  EXPECT_FATAL_ALERT(MACIBM_alert("again", "", "", "", ALERT_SIM_FATAL));
  EXPECT_FALSE(alert_shown("Logbook results:"));
}
