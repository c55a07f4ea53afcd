// The settings-window kit on the headless back end: one table of test records, driven as a user
// would; what reaches the records (range, wrap, units, refusals), what the widgets show, the held
// button's repeat through the loop, and the saves.
#include "app_fixture.h"

#include <cmath>

#include "app/form.h"

static float height_m;    // shown in feet
static float heading[3];  // an array of wrapped degrees
static int level;         // whole numbers 1..5
static int kind;          // a choice of values 2..4
static int flag;          // a check
static int locked;        // greys out `gated`
static float gated;
static float refused_above;  // the window's check refuses values over 100
static char name[8];
static int row;
static int actions, saves;
static const float feet_per_metre = 3.28084f;

static int unlocked() { return !locked; }
static int check(int w, int field, int element, float v) {
  return std::string(form_of(w)->fields[field].name) != "refused" || v <= 100.0f;
}
static void action(int w, int field, int element) { actions++; }

static const form_field fields[] = {
    field_number("height", "Height", "ft", &height_m, 0, 10000, 100, 0, &feet_per_metre),
    array_of(wrapping(field_number("heading", "Heading", "deg", heading, 0, 360, 1, 0)), 3,
             "a|b|c"),
    field_slider("level", "Level", nullptr, &level, 1, 5),
    field_choice("kind", "Kind", &kind, 2, 4, "two|three|four"),
    field_check("flag", "Flag", &flag),
    applies_when(field_number("gated", "Gated", nullptr, &gated, 0, 10, 1, 0), unlocked),
    not_saved(field_number("refused", "Refused", nullptr, &refused_above, 0, 1000, 1, 0)),
    field_step("up", "+", "height", 500),
    field_text("name", "Name", name, sizeof name),
    field_list("rows", &row, 5),
};
static const form_window table = {fields, sizeof fields / sizeof fields[0], nullptr, check, action};

static double fake_now_ms;
static double fake_clock() { return fake_now_ms; }
static void count_save() { saves++; }

enum { W = 40 };  // a window without a handler of its own

class AppForm : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    height_m = 100.0f;
    heading[0] = heading[1] = heading[2] = 0.0f;
    level = 3;
    kind = 2;
    flag = 0;
    locked = 0;
    gated = 1.0f;
    refused_above = 5.0f;
    row = -1;
    name[0] = '\0';
    actions = saves = 0;
    form_save_hook = count_save;
    fake_now_ms = 1000.0;
    macibm_clock_hook = fake_clock;
    MACIBM_form_open(W, &table);
    ASSERT_EQ(form_of(W), &table);
  }
  void TearDown() override {
    form_save_hook = nullptr;
    AppTest::TearDown();
  }
};

TEST_F(AppForm, ValuesReachTheRecordInItsUnitsWithinTheirRanges) {
  struct {
    const char* field;
    int element;
    float typed, record, shown;
    float* at;
  } cases[] = {
      {"height", 0, 3280.84f, 1000.0f, 3280.84f, &height_m},  // feet shown, metres kept
      {"height", 0, -50.0f, 0.0f, 0.0f, &height_m},           // below the range: its floor
      {"height", 0, 1e9f, 10000.0f / feet_per_metre, 10000.0f, &height_m},
      {"height", 0, NAN, 0.0f, 0.0f, &height_m},          // not a number: the floor
      {"heading", 2, 370.0f, 10.0f, 10.0f, &heading[2]},  // degrees wrap round
      {"heading", 1, -90.0f, 270.0f, 270.0f, &heading[1]},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(headless_form_set(W, c.field, c.typed, c.element));
    EXPECT_NEAR(*c.at, c.record, 1e-2) << c.field << " " << c.typed;
    EXPECT_NEAR(headless_form_shown(W, c.field, c.element), c.shown, 1e-2) << c.typed;
  }
  headless_form_set(W, "level", 4.6f);
  EXPECT_EQ(level, 5);                 // whole numbers round
  headless_form_set(W, "kind", 2.0f);  // the third name
  EXPECT_EQ(kind, 4);
  headless_form_set(W, "kind", 7.0f);
  EXPECT_EQ(kind, 4);
  headless_form_set(W, "flag", 0.3f);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(actions, 10);
  EXPECT_EQ(saves, 10);  // every value set is kept
}

TEST_F(AppForm, GreyedOutFieldsRefusedValuesAndStrayIndexesChangeNothing) {
  locked = 1;
  form_refresh(W);
  EXPECT_FALSE(headless_form_enabled(W, "gated"));
  headless_form_set(W, "gated", 7.0f);
  EXPECT_EQ(gated, 1.0f);
  headless_form_set(W, "refused", 500.0f);
  EXPECT_EQ(refused_above, 5.0f);
  EXPECT_EQ(headless_form_shown(W, "refused"), 5.0f);  // the widget goes back to the record
  form_set(W, -1, 0, 1.0f);
  form_set(W, 99, 0, 1.0f);
  form_set(W, 1, 3, 1.0f);  // heading has elements 0..2
  form_set(W, 1, -1, 1.0f);
  form_set(3, 0, 0, 1.0f);  // not a settings window
  form_pick(W, 0, 2);       // a number is no list
  EXPECT_FALSE(headless_form_set(W, "nonesuch", 1.0f));
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(saves, 0);
  for (float h : heading) EXPECT_EQ(h, 0.0f);
}

TEST_F(AppForm, OpeningBringsOutOfRangeRecordsToTheNearestAllowedValue) {
  MACIBM_killwind(W);
  EXPECT_EQ(form_of(W), nullptr);
  height_m = -20.0f;
  level = 9;
  heading[1] = 725.0f;
  MACIBM_form_open(W, &table);
  EXPECT_EQ(height_m, 0.0f);
  EXPECT_EQ(level, 5);
  EXPECT_FLOAT_EQ(heading[1], 5.0f);
  EXPECT_EQ(headless_form_shown(W, "level"), 5.0f);
}

TEST_F(AppForm, TextsAndListPicksReachTheirRecordsWithinTheirSize) {
  headless_form_type(W, "name", "a name far too long");
  EXPECT_STREQ(name, "a name ");
  form_list(W, "rows", {"one", "two"});
  EXPECT_EQ(headless_form_lines(W, "rows").size(), 2u);
  headless_form_pick(W, "rows", 1);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(headless_form_shown(W, "rows"), 1.0f);
  EXPECT_EQ(saves, 0);  // neither is a preference
}

// The button steps its target once on the press, then on every pass of the loop once it has been
// held for half a second, and the change is saved once, on the release.
TEST_F(AppForm, HeldButtonRepeatsEveryPassAfterHalfASecondAndSavesOnRelease) {
  msc.paused = 1;
  height_m = 0.0f;
  headless_form_press(W, "up");
  EXPECT_NEAR(height_m * feet_per_metre, 500.0f, 0.1f);
  fake_now_ms += 400.0;
  loop_pass();
  EXPECT_NEAR(height_m * feet_per_metre, 500.0f, 0.1f);
  fake_now_ms += 200.0;
  loop_pass();
  loop_pass();
  EXPECT_NEAR(height_m * feet_per_metre, 1500.0f, 0.1f);
  EXPECT_EQ(saves, 0);
  headless_form_release();
  loop_pass();
  EXPECT_NEAR(height_m * feet_per_metre, 1500.0f, 0.1f);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(mnw.mousedown, 0);
}

TEST_F(AppForm, ClosingByTheUserForgetsTheFormAndItsHeldButton) {
  headless_form_press(W, "up");
  headless_post_close(W);
  msc.paused = 1;
  loop_pass();
  EXPECT_EQ(form_of(W), nullptr);
  EXPECT_EQ(mnw.up[W], 0);
  EXPECT_EQ(mnw.mousedown, 0);
  EXPECT_FALSE(headless_form_set(W, "height", 1.0f));
}
