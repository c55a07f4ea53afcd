// The editing screens through the headless form model: values land clamped, bad ones are refused,
// every value the file's reader takes is on a screen, and a design typed from New flies.
#include "editor/editor_fixture.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "editor/screens.h"

namespace {

const int WING1 = 9, PROPS = 7, HSTAB = 11, VSTAB1 = 12, CONTROLS = 15, WEIGHTS = 21;
const int EXPERT_PROP = 24, PANEL = 2, ENGINES = 6, FUSELAGE = 17, FLOATS = 19, GEAR = 23;

void open_screen_item(int w) {
  headless_post_menu(w + (pln.is_heli ? SCREEN_ITEMS_HELI : SCREEN_ITEMS_PLANE));
  editor_loop_pass();
}

}  // namespace

TEST_F(EditorTest, ScreenValuesLandClampedAndBadOnesAreRefused) {
  pln.misc_X = -4.0f;  // a file's single float out to the right: opening the screen keeps it
  for (int w : {WING1, ENGINES, WEIGHTS, PANEL, FUSELAGE, HSTAB, FLOATS, GEAR}) open_screen_item(w);
  EXPECT_EQ(pln.misc_X, -4.0f);
  EXPECT_EQ(edt.planemod, 0);
  pln.ins_of_loc[4] = 4;  // upper row: airspeed, horizon, altimeter, supplementary (3 wide)
  const struct {
    int w;
    const char* field;
    int element;
    float typed;
    const float* fvalue;
    const int* ivalue;
    float expect;
    bool refused;  // a notice says why
  } cases[] = {
      {WING1, "semi-length", 0, 1.0e9f, &pln.semilen[5], nullptr, 300.0f, false},
      {WING1, "semi-length", 0, NAN, &pln.semilen[5], nullptr, 300.0f, false},
      {WING1, "root chord", 0, -4.0f, &pln.Croot[5], nullptr, 0.0f, false},
      {WING1, "elements", 0, 12.4f, nullptr, &pln.els[5], 8.0f, false},
      {WING1, "incidence", 3, 2.5f, &pln.anginc[5][3], nullptr, 2.5f, false},
      {WING1, "twin semi-length", 0, 5.0f, &pln.semilen[4], nullptr, 300.0f, false},
      {WING1, "twin incidence", 3, 9.0f, &pln.anginc[4][3], nullptr, 2.5f, false},
      {ENGINES, "idle rpm", 0, 3000.0f, &pln.omegamin, nullptr, 600.0f, true},
      {ENGINES, "maximum rpm", 0, 500.0f, &pln.omegamax, nullptr, 2700.0f, true},
      // Values the file would round to zero: a spool time, a weight and a speed Kestrix refuses.
      {ENGINES, "spool time", 0, 0.4f, &pln.spooltime, nullptr, 1.0f, false},
      {WEIGHTS, "empty weight", 0, 2000.0f, &pln.m_empty, nullptr, 1000.0f, true},
      {WEIGHTS, "maximum weight", 0, 0.0f, &pln.m_max, nullptr, 1600.0f, true},
      {WEIGHTS, "empty weight", 0, 2.0f, &pln.m_empty, nullptr, 3.0f, false},
      {PANEL, "Vs", 0, 0.4f, &pln.Vs, nullptr, 50.0f, true},
      // A fourth wide instrument in the upper row does not fit; the ADF (narrow) does, and
      // leaves the lower row's location it held.
      {PANEL, "instrument", 3, 5.0f, nullptr, &pln.ins_of_loc[4], 4.0f, true},
      {PANEL, "instrument", 3, 8.0f, nullptr, &pln.ins_of_loc[4], 8.0f, false},
      // Sections at one station; a section shaped by its half width; a stabilator with elevators.
      {FUSELAGE, "station", 3, 6.0f, &pln.body_Z[PART_FUSELAGE][3][0], nullptr, 3.0f, true},
      {FUSELAGE, "half width", 3, 1.25f, &pln.body_X[PART_FUSELAGE][3][2], nullptr, 1.25f, false},
      {FUSELAGE, "radius", 0, 6.0f, &pln.body_X[PART_FUSELAGE][3][2], nullptr, 2.5f, false},
      {HSTAB, "incidence", 5, 2.5f, &pln.anginc[PART_HSTAB_RIGHT][5], nullptr, 0.0f, true},
      {HSTAB, "stabilizer trim", 0, 3.0f, &pln.hstbtrimmax, nullptr, 3.0f, false},
      {FLOATS, "right", 0, -5.0f, &pln.misc_X, nullptr, 0.0f, false},
      {GEAR, "steering", 0, -30.0f, &pln.nwsteer, nullptr, 0.0f, false},
      {HSTAB, "elevator", 0, 1.0f, nullptr, &pln.elev[PART_HSTAB_LEFT][0], 1.0f, false},
      {HSTAB, "tail type", 0, 1.0f, nullptr, &pln.hstabtype, 0.0f, true},
  };
  for (const auto& c : cases) {
    macibm_clear_alert_log();
    EXPECT_TRUE(headless_form_set(c.w, c.field, c.typed, c.element)) << c.field;
    const float got = c.fvalue ? *c.fvalue : static_cast<float>(*c.ivalue);
    EXPECT_FLOAT_EQ(got, c.expect) << c.field << " typed " << c.typed;
    EXPECT_EQ(!macibm_alert_log().empty(), c.refused) << c.field << " typed " << c.typed;
  }
  // The left wing is shown read-only and follows the right one as its mirror image.
  EXPECT_FALSE(headless_form_enabled(WING1, "twin semi-length"));
  EXPECT_EQ(headless_form_shown(WING1, "twin semi-length"), 300.0f);
  pln.Xarm[5] = 2.0f;
  EXPECT_TRUE(headless_form_set(WING1, "dihedral", 4.0f));
  EXPECT_EQ(pln.Xarm[4], -2.0f);
  EXPECT_EQ(pln.dihed[4], 4);
  EXPECT_EQ(pln.ins_of_loc[8], 0);                                     // the ADF left the lower row
  EXPECT_TRUE(std::isnan(headless_form_shown(FLOATS, "station", 5)));  // a float has five sections
  const char* copy = "the second one is a copy of the first, on the other side";
  EXPECT_EQ(headless_form_text(FLOATS, copy), copy);
  EXPECT_EQ(edt.planemod, 1);
}

// The chooser takes airfoils from the folder Kestrix reads them from, and only airfoils.
TEST_F(EditorTest, AirfoilsAreChosenFromTheAirfoilsFolder) {
  open_screen_item(WING1);
  char shipped[STR_SIZE] = "NACA 0009 (symmetrical).afl";
  ap_dir("airfoils", shipped);
  write_file("mine.afl", read_file(shipped));
  const auto choose = [](const std::string& path) {
    headless_queue_open_answer(path.c_str());
    EXPECT_TRUE(headless_form_press(WING1, "choose root airfoil"));
    headless_form_release();
  };
  const struct {
    std::string path;
    const char* expect;
  } cases[] = {{(std::filesystem::current_path() / "mine.afl").string(), "NACA 2412 (popular).afl"},
               {shipped, "NACA 0009 (symmetrical).afl"}};
  for (const auto& c : cases) {
    choose(c.path);
    EXPECT_STREQ(pln.Rafl0[PART_WING1_RIGHT], c.expect) << c.path;
    EXPECT_STREQ(pln.Rafl0[PART_WING1_LEFT], c.expect) << c.path;
  }
  // One written on the platform whose lines end in a carriage return.
  std::string mac = read_file(shipped);
  for (char& ch : mac) ch = ch == '\n' ? '\r' : ch;
  mac[0] = 'A';
  std::filesystem::create_directories("airfoils");
  write_file("airfoils/mac.afl", mac);
  const std::string app = app_path;
  std::snprintf(app_path, sizeof app_path, "%s/", std::filesystem::current_path().c_str());
  choose((std::filesystem::current_path() / "airfoils/mac.afl").string());
  std::snprintf(app_path, sizeof app_path, "%s", app.c_str());
  EXPECT_NEAR(pln.trat[PART_WING1_RIGHT], 0.09f, 1e-3f);     // the views draw the new thickness
  headless_form_type(WING1, "root airfoil", "nothing.afl");  // names are chosen, never typed
  EXPECT_STREQ(pln.Rafl0[PART_WING1_RIGHT], "mac.afl");
}

// Every byte of the record that the file's reader writes lies in a field of some screen, but for
// the type (chosen by New) and the body points and radii (shaped section by section).
TEST_F(EditorTest, EveryValueTheReaderTakesIsOnAScreen) {
  std::vector<std::pair<const char*, const char*>> covered;
  const auto cover = [&](const void* p, size_t bytes) {
    covered.emplace_back(static_cast<const char*>(p), static_cast<const char*>(p) + bytes);
  };
  for (int heli = 0; heli <= 1; heli++) {
    command(heli ? CMD_NEW_HELI : CMD_NEW);
    for (int w = 1; w <= SCREENS_LAST; w++) {
      open_screen_item(w);
      const form_window* def = screen_form(w);
      if (!screen_window_of_item(w + (heli ? SCREEN_ITEMS_HELI : SCREEN_ITEMS_PLANE))) continue;
      ASSERT_NE(def, nullptr) << w;
      EXPECT_EQ(form_of(w), def) << w;
      for (int k = 0; k < def->count; k++) {
        const form_field& f = def->fields[k];
        const size_t n = f.count > 1 ? static_cast<size_t>(f.count) : 1;
        if (f.f) cover(f.f, n * sizeof(float));
        if (f.i) cover(f.i, n * sizeof(int));
        if (f.s) cover(f.s, n);
      }
    }
  }
  EXPECT_FALSE(headless_form_enabled(45, "stabilizer trim"));  // Kestrix trims a helicopter itself
  EXPECT_FALSE(headless_form_enabled(40, "vectoring arm"));     // the file keeps none without it
  headless_form_set(40, "engines", 3.0f);  // a helicopter's screens shape two discs only
  EXPECT_EQ(pln.numen, 1);
  cover(&pln.is_heli, sizeof pln.is_heli);
  cover(pln.body_X, sizeof pln.body_X);
  cover(pln.body_Y, sizeof pln.body_Y);
  cover(pln.body_Z, sizeof pln.body_Z);
  cover(pln.body_r, sizeof pln.body_r);

  ASSERT_TRUE(writeout_file("all.acf"));
  std::memset(&pln, 0xAB, sizeof pln);
  readin_type_hook = nullptr;
  readin_foil_hook = nullptr;
  ASSERT_EQ(inf_open("all.acf", FILE_ANY, VERSION_AIRCRAFT, 1), 1);
  readin();
  const char* base = reinterpret_cast<const char*>(&pln);
  int uncovered = 0;
  for (size_t b = 0; b < sizeof pln; b++) {
    if (static_cast<unsigned char>(base[b]) == 0xAB) continue;
    bool in = false;
    for (const auto& r : covered) in = in || (base + b >= r.first && base + b < r.second);
    if (!in && uncovered++ < 5) ADD_FAILURE() << "read but on no screen: byte " << b;
  }
  EXPECT_EQ(uncovered, 0);
}

// A value typed on a screen is held as the file keeps it, so that saving and opening the file
// again changes nothing, and what Kestrix flies is what the screen shows.
TEST_F(EditorTest, TypedValuesComeBackFromTheFileAsShown) {
  for (int heli = 0; heli <= 1; heli++) {
    edt.planemod = 0;
    command(heli ? CMD_NEW_HELI : CMD_NEW);
    ASSERT_EQ(pln.is_heli, heli);
    pln.vectEQ = 1;  // the file keeps a vectoring arm only with vectoring
    std::vector<const form_field*> typed;
    for (int w = 1; w <= SCREENS_LAST; w++) {
      if (!screen_window_of_item(w + (heli ? SCREEN_ITEMS_HELI : SCREEN_ITEMS_PLANE))) continue;
      open_screen_item(w);
      const form_window* def = screen_form(w);
      for (int k = 0; k < def->count; k++) {
        const form_field& f = def->fields[k];
        if (f.kind != FORM_NUMBER || !f.f || (f.applies && !f.applies())) continue;
        headless_form_set(w, f.name, f.lo + (f.hi - f.lo) * 0.3137f);
        typed.push_back(&f);
      }
    }
    std::vector<float> held;
    for (const form_field* f : typed) held.push_back(*f->f);
    ASSERT_TRUE(writeout_file("typed.acf"));
    int mirrored = 0;
    ASSERT_TRUE(read_aircraft_file("typed.acf", &mirrored));
    for (size_t n = 0; n < typed.size(); n++)
      EXPECT_NEAR(*typed[n]->f, held[n], 1e-4f * fltmax2(1.0f, held[n])) << typed[n]->name;
  }
}

// From New to a first flight with the screens alone: a high-wing trainer's wing, tail, propeller,
// controls and weights typed in, saved, checked by Airwright and flown by kestrix-fly.
TEST_F(EditorTest, AnAircraftBuiltOnTheScreensFromNewPassesTheChecksAndFlies) {
  command(CMD_NEW);
  // A field with several values takes them element by element from the first.
  const struct {
    int w;
    const char* field;
    int first;
    std::vector<float> values;
  } typed[] = {
      {WING1, "semi-length", 0, {18.0f}},
      {WING1, "root chord", 0, {5.5f}},
      {WING1, "tip chord", 0, {4.1f}},
      {WING1, "longitudinal arm", 0, {8.7f}},
      {WING1, "vertical arm", 0, {3.8f}},
      {WING1, "dihedral", 0, {3.0f}},
      {WING1, "incidence", 0, {1.5f, 0.9f, 0.3f, -0.3f, -0.9f, -1.5f}},
      {WING1, "aileron", 4, {1.0f, 1.0f}},
      {HSTAB, "semi-length", 0, {5.6f}},
      {HSTAB, "root chord", 0, {4.0f}},
      {HSTAB, "tip chord", 0, {2.6f}},
      {HSTAB, "longitudinal arm", 0, {24.3f}},
      {HSTAB, "vertical arm", 0, {0.5f}},
      {HSTAB, "elements", 0, {3.0f}},
      {HSTAB, "incidence", 0, {-1.0f, -1.0f, -1.0f}},
      {HSTAB, "elevator", 0, {1.0f, 1.0f, 1.0f}},
      {VSTAB1, "semi-length", 0, {5.0f}},
      {VSTAB1, "root chord", 0, {4.8f}},
      {VSTAB1, "tip chord", 0, {2.6f}},
      {VSTAB1, "longitudinal arm", 0, {24.0f}},
      {VSTAB1, "vertical arm", 0, {1.0f}},
      {VSTAB1, "sweep", 0, {35.0f}},
      {VSTAB1, "elements", 0, {3.0f}},
      {VSTAB1, "rudder", 0, {1.0f, 1.0f, 1.0f}},
      {CONTROLS, "aileron chord", 0, {0.25f}},
      {CONTROLS, "elevator chord", 0, {0.45f}},
      {CONTROLS, "rudder chord", 0, {0.4f}},
      {CONTROLS, "aileron up", 0, {20.0f}},
      {CONTROLS, "aileron down", 0, {15.0f}},
      {CONTROLS, "elevator up", 0, {28.0f}},
      {CONTROLS, "elevator down", 0, {23.0f}},
      {CONTROLS, "rudder", 0, {17.0f}},
      {PROPS, "semi-length", 0, {3.1f}},
      {PROPS, "root chord", 0, {0.65f}},
      {PROPS, "tip chord", 0, {0.4f}},
      {PROPS, "longitudinal arm", 0, {0.5f}},
      {WEIGHTS, "maximum weight", 0, {2450.0f}},
      {WEIGHTS, "empty weight", 0, {1680.0f}},
      {WEIGHTS, "fuel", 0, {318.0f}},
      {WEIGHTS, "centre of gravity aft", 0, {8.6f}},
      {ENGINES, "power", 0, {160.0f}},
      {FUSELAGE, "drag coefficient", 0, {0.2f}},
  };
  for (const auto& t : typed) {
    if (!form_of(t.w)) open_screen_item(t.w);
    for (size_t e = 0; e < t.values.size(); e++)
      ASSERT_TRUE(headless_form_set(t.w, t.field, t.values[e], t.first + e)) << t.field << " " << e;
  }
  EXPECT_EQ(pln.semilen[PART_WING1_LEFT], 18.0f);

  const std::string saved = (std::filesystem::current_path() / "Screens Trainer.acf").string();
  headless_queue_save_answer(saved.c_str());
  command(CMD_SAVE_AS);
  ASSERT_EQ(edt.planemod, 0);
  EXPECT_TRUE(macibm_alert_log().empty()) << macibm_alert_log().front().line[0];

  std::string out;
  EXPECT_EQ(run_command("'" AIRWRIGHT_BINARY "' --check '" + saved + "' 2>&1", &out), 0) << out;
  EXPECT_EQ(run_command("'" KESTRIX_FLY_BINARY "' --aircraft '" + saved +
                            "' --alt-ft 3000 --kias 90 --seconds 60 --throttle 0.8 2>&1",
                        &out),
            0)
      << out;
  const std::string summary = last_line(out);
  EXPECT_EQ(summary_value(out, "crashed"), 0.0f) << summary;
  EXPECT_GT(summary_value(out, "alt_ft"), 2000.0f) << summary;
  EXPECT_GT(summary_value(out, "kias"), 50.0f) << summary;
  // New's propeller flew that; the designer twists it for another advance.
  open_screen_item(EXPERT_PROP);
  ASSERT_TRUE(headless_form_set(EXPERT_PROP, "design advance per revolution", 56.0f));
  ASSERT_TRUE(headless_form_press(EXPERT_PROP, "design by advance 1"));
  headless_form_release();
  EXPECT_NEAR(pln.des_vel[0], 110.6f, 0.1f);  // 56 in a turn at 2400 rpm
}

// A save runs Kestrix's checks on the file it wrote and tells the first problem, leaving the
// design in the editor's units as it was.
TEST_F(EditorTest, ASaveTellsWhatKestrixWouldRefuseAndKeepsTheDesign) {
  command(CMD_NEW);
  headless_queue_save_answer((std::filesystem::current_path() / "bare.acf").c_str());
  command(CMD_SAVE_AS);
  EXPECT_EQ(edt.planemod, 0);
  EXPECT_EQ(last_alert().line[0], "The aircraft is saved, but Kestrix will not fly it as it is:");
  EXPECT_NE(last_alert().line[1].find("no flying surfaces"), std::string::npos)
      << last_alert().line[1];
  EXPECT_EQ(pln.semilen[0], 3.0f);  // feet, not the simulator's metres
  EXPECT_EQ(pln.omegamax, 2700.0f);
  EXPECT_STREQ(pln.C_file, "bare.acf");
  // A design Kestrix flies after a warning is not called refused.
  open(copy_sample("Light Twin.acf"));
  pln.ngearY = -20.0f;  // a nose wheel on stilts: sits some 50 degrees nose up
  command(CMD_SAVE);
  EXPECT_EQ(edt.planemod, 0);
  EXPECT_EQ(last_alert().line[0], "The aircraft is saved. Kestrix will fly it, but warns:");
  EXPECT_NE(last_alert().line[1].find("excessive attitute"), std::string::npos)
      << last_alert().line[1];
}
