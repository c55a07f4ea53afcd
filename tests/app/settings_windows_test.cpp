// Every settings window opened from its menu item and driven through its own table: values far
// outside a field land inside it, stray events change nothing, every value a window keeps comes
// back through the preferences file, and the simulation is held while any window is open.
#include "app_fixture.h"

#include <cmath>

#include "aircraft/aircraft.h"
#include "app/headless/joystick.h"
#include "app/settings.h"
#include "weather/weather.h"
#include "world/world.h"

// Every menu item that opens a settings window, and the window.
static const struct {
  int command, w;
} items[] = {{309, 1},  {310, 2},  {314, 5},  {326, 6},  {329, 7},  {401, 8},  {402, 9},
             {404, 10}, {405, 11}, {407, 12}, {408, 13}, {409, 14}, {410, 15}, {412, 16},
             {413, 17}, {415, 18}, {416, 19}, {418, 20}, {419, 21}, {420, 22}, {422, 23},
             {424, 24}};

static bool settable(const form_field& f) {
  return (f.kind == FORM_NUMBER || f.kind == FORM_SLIDER || f.kind == FORM_CHECK ||
          f.kind == FORM_CHOICE) &&
         (f.f || f.i || f.get);
}
static int elements(const form_field& f) { return f.count > 1 ? f.count : 1; }

class AppSettingsWindows : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
    world_started();
  }
  // The world has started, so settings are saved, with an aircraft whose loads the fuel and weight
  // windows can check.
  static void world_started() {
    env.apt_list_max = 0;
    pln.m_empty = 1000.0f;
    pln.m_max = 2000.0f;
    pln.m_fuel = 300.0f;
    pln.m_jettison = 100.0f;
  }
  // The values every settable field of window w shows.
  static std::vector<float> shown(int w) {
    std::vector<float> v;
    const form_window* def = form_of(w);
    for (int k = 0; def && k < def->count; k++)
      if (settable(def->fields[k]))
        for (int e = 0; e < elements(def->fields[k]); e++)
          v.push_back(headless_form_shown(w, def->fields[k].name, e));
    return v;
  }
};

TEST_F(AppSettingsWindows, EveryMenuItemOpensItsWindowAndHoldsTheSimulation) {
  for (const auto& it : items) {
    APPLICATION_handlemenu(it.command);
    EXPECT_NE(form_of(it.w), nullptr) << it.command;
    EXPECT_EQ(mnw.up[it.w], 1) << it.command;
    EXPECT_EQ(msc.winsup, 1) << it.command;
  }
  EXPECT_TRUE(macibm_alert_log().empty()) << macibm_alert_log()[0].line[0];
  // The joystick window shows the buttons held now, though the flight is held.
  open_settings_window(WIN_JOYSTICK);
  headless_joy_plug(1, macibm_joy_state{32767, 32767, 0, 32767, 0x5u, -1});
  set.controls_type = 5;
  loop_pass();
  EXPECT_EQ(headless_form_text(WIN_JOYSTICK, "buttons"), "Buttons held: 1 3");
  headless_joy_reset();
  // A command closes the windows; the next pass of the loop lets the simulation go.
  APPLICATION_handlemenu(VIEW_FORWARDS);
  msc.paused = 1;
  loop_pass();
  EXPECT_EQ(msc.winsup, 0);
}

TEST_F(AppSettingsWindows, TheLastWindowClosedByTheUserReleasesTheSimulationAndItsSound) {
  load_silent_sound(SND_WIND);
  open_settings_window(WIN_TIME);
  open_settings_window(WIN_WARNINGS);
  MACIBM_alert("Something to say.", "", "", "", ALERT_NOTICE);
  headless_post_close(WIN_TIME);
  msc.paused = 1;
  loop_pass();
  EXPECT_EQ(msc.winsup, 1);
  EXPECT_NE(headless_sound_slot(SND_WIND).state, SOUND_PLAYING);
  headless_post_close(WIN_WARNINGS);
  loop_pass();
  EXPECT_EQ(msc.winsup, 0);
  EXPECT_EQ(headless_sound_slot(SND_WIND).state, SOUND_PLAYING);
}

// Far beyond either end, or not a number, every value lands inside its field; events for fields,
// elements and rows that are not there touch nothing.
TEST_F(AppSettingsWindows, NoInputLandsOutsideAFieldAndNoEventReadsOutsideATable) {
  for (const auto& it : items) {
    APPLICATION_handlemenu(it.command);
    const form_window* def = form_of(it.w);
    ASSERT_NE(def, nullptr) << it.command;
    for (int k = 0; k < def->count; k++) {
      const form_field& f = def->fields[k];
      form_pick(it.w, k, 1 << 20);
      form_set(it.w, k, elements(f), 1.0f);
      form_set(it.w, k, -1, 1.0f);
      form_press(it.w, k, 99);
      form_release();
      if (!settable(f) || f.kind == FORM_CHECK) continue;
      for (float typed : {f.hi + 1.0e6f, f.lo - 1.0e6f, NAN}) {
        if (form_of(it.w) != def) MACIBM_form_open(it.w, def);
        form_set(it.w, k, 0, typed);
        if (form_of(it.w) != def) continue;  // refused with a message, or a flight started
        float v = headless_form_shown(it.w, f.name, 0) + (f.kind == FORM_CHOICE ? f.lo : 0.0f);
        EXPECT_GE(v, f.lo - 1e-3f) << it.w << " " << f.name << " " << typed;
        EXPECT_LE(v, f.hi + 1e-3f) << it.w << " " << f.name << " " << typed;
      }
    }
  }
}

// Each window's values, set away from where they were, are saved as they are set and come back
// from the preferences file into a world started afresh.
TEST_F(AppSettingsWindows, EveryValueAWindowKeepsComesBackFromThePreferences) {
  for (const auto& it : items) {
    APPLICATION_handlemenu(it.command);
    const form_window* def = form_of(it.w);
    ASSERT_NE(def, nullptr);
    std::vector<float> before = shown(it.w);
    bool keeps = false;
    for (int k = 0; k < def->count; k++) {
      const form_field& f = def->fields[k];
      if (!settable(f) || (f.flags & FORM_NO_SAVE)) continue;
      keeps = true;
      for (int e = 0; e < elements(f); e++) {
        float now = headless_form_shown(it.w, f.name, e);
        float next = f.kind == FORM_CHECK    ? 1.0f - now
                     : f.kind == FORM_CHOICE ? std::fmod(now + 1.0f, f.hi - f.lo + 1.0f)
                                             : f.lo + f.step * (3 + e);
        headless_form_set(it.w, f.name, next, e);
      }
    }
    std::vector<float> after = shown(it.w);
    if (!keeps) continue;  // the location windows keep nothing
    EXPECT_NE(after, before) << "window " << it.w << " changed nothing";

    std::string kept = read_file(prefs_path);
    reset_world_state();
    init_constants();
    ASSERT_EQ(inf_open(prefs_path, FILE_ANY, VERSION_PREFS, 0), 1);
    ASSERT_EQ(grab_prefs(), 1) << kept;
    inf.close();
    inf.clear();
    world_started();
    open_settings_window(it.w);
    std::vector<float> back = shown(it.w);
    ASSERT_EQ(back.size(), after.size());
    for (size_t j = 0; j < back.size(); j++)
      EXPECT_NEAR(back[j], after[j], 1e-3f * std::fmax(1.0f, std::fabs(after[j])))
          << "window " << it.w << " value " << j;
  }
}

// A preferences file may hold what no window allows (an older version, a hand edit): the window
// opens at the nearest allowed value, and that is what the weather then has.
TEST_F(AppSettingsWindows, APreferencesValueOutsideTheWindowOpensAtTheNearestAllowedOne) {
  atm.baro = 26.0f;  // the file allows 25..35, the window 28..31
  atm.vis = 40000.0f;
  APPLICATION_handlemenu(408);
  EXPECT_EQ(headless_form_shown(WIN_WX_ATMOSPHERE, "baro"), 28.0f);
  EXPECT_EQ(atm.baro, 28.0f);
  EXPECT_NEAR(atm.vis * con.mtrstonm, 20.0f, 1e-3f);
  APPLICATION_handlemenu(410);
  headless_form_set(WIN_WX_WATER, "wave_dir", 359.6f);
  EXPECT_EQ(atm.wave_dir, 0);
}
