// The flight-test card on aircraft built in code: figures that follow from the geometry, what
// does not apply, and designs whose procedures cannot find their figures.
#include <gmock/gmock.h>

#include <string>

#include "flight_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class FlightCard : public FlightTest {
 protected:
  fly_card card;
  std::string out, errs;

  // The built-in aircraft `name` (or the sample of that name), changed by `change`, flown through
  // the card at its maximum weight; the printed card in out and errs.
  int fly(const char* name, void (*change)() = nullptr, bool sample = false) {
    fly_setup_world(0.0f);
    EXPECT_TRUE(sample ? load_sample(name) : fly_builtin_aircraft(name));
    if (change) change();
    fly_options o;
    fly_default_options(&o);
    char err[FLY_ERR];
    EXPECT_TRUE(card_loads(&o, err)) << err;
    card_fly(&card);
    std::FILE* fo = std::tmpfile();
    std::FILE* fe = std::tmpfile();
    int status = card_print(&card, fo, fe);
    read_outputs(fo, fe, &out, &errs);
    return status;
  }
  float value(int f) const {
    EXPECT_EQ(card.fig[f].state, CARD_FOUND) << CARD_NAMES[f] << ": " << card.fig[f].why;
    return card.fig[f].value;
  }
};

// The one-g stall speed of the wing alone: weight over the wing area and the most lift of its
// section, reduced for a wing of finite span, in sea-level air.
float wing_stall_kias() {
  float area = 0.0f, clmax = 0.0f;
  for (int p = PART_WING1_LEFT; p <= PART_WING1_LEFT + 1; p++) {
    for (int e = 0; e < pln.els[p]; e++) area += pln.s[p][e];
    for (int n = 0; n < AFL_CL_ROWS; n++)
      clmax = fltmax2(clmax, afl.clpos[p][0][0][n] * pln.cl_D_cl0[p]);
  }
  return std::sqrt(2.0f * pln.m_max * con.g / (1.225f * area * clmax)) * con.msctokts;
}

void tailless_trainer() { pln.semilen[PART_HSTAB_LEFT] = pln.semilen[PART_HSTAB_RIGHT] = 0.0f; }
void crashed_before() { flt.crashes = 1; }  // an earlier procedure's crash, kept by the start
// The Trainer sample with wings of 2 ft instead of 18 ft a side, in place of the one loaded.
void stub_winged_trainer() {
  std::string text = read_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf");
  for (size_t at; (at = text.find("  18.0 semi-length")) != std::string::npos;)
    text.replace(at, 6, "   2.0");
  write_file("stub wings.acf", text);
  char err[FLY_ERR];
  ASSERT_TRUE(fly_load_aircraft("stub wings.acf", err)) << err;
}

// The Business Jet with its nose wheel 20 ft below the fuselage: it stands steeply, which Kestrix
// warns of and flies.
void stilted_jet() {
  ASSERT_TRUE(write_with_line(KESTRIX_RUNTIME_DIR "/aircraft/Business Jet.acf", "ngear vert arm",
                              " -20.0 ngear vert arm", "stilts.acf"));
  char err[FLY_ERR];
  ASSERT_TRUE(fly_load_aircraft("stilts.acf", err)) << err;
}

}  // namespace

// The glider at its maximum weight stalls within 10% of the speed its wing gives, gear up or down,
// and 1.2 times faster carrying 1.44 times the weight; it glides best above the stall, far better
// than a powered aircraft, and stops on the runway; an engine's figures do not apply.
TEST_F(FlightCard, AGlidersStallFollowsFromItsWingAndWeight) {
  ASSERT_EQ(fly("glider"), FLY_OK) << errs;
  const float expected = wing_stall_kias();
  const float vs = value(CARD_STALL_CLEAN);
  EXPECT_NEAR(value(CARD_WEIGHT), pln.m_max * con.kgstolbs, 1.0f);
  EXPECT_NEAR(vs, expected, 0.1f * expected);
  EXPECT_NEAR(value(CARD_STALL_LANDING), vs, 0.05f * vs);
  EXPECT_GT(value(CARD_BEST_GLIDE), 1.2f * vs);
  EXPECT_GT(value(CARD_GLIDE_RATIO), 15.0f);
  EXPECT_GT(value(CARD_LANDING_ROLL), 50.0f);
  for (int f : {CARD_VY, CARD_ROC_SL, CARD_CEILING, CARD_VMAX_SL, CARD_TAKEOFF_ROLL}) {
    EXPECT_EQ(card.fig[f].state, CARD_NA) << CARD_NAMES[f];
    EXPECT_THAT(out, HasSubstr(std::string("card ") + CARD_NAMES[f] + "=n/a\n"));
  }
  EXPECT_THAT(errs, HasSubstr("vmax_sl_ktas does not apply: no engine"));

  ASSERT_EQ(fly("glider", [] { pln.m_max *= 1.44f; }), FLY_OK) << errs;
  EXPECT_NEAR(value(CARD_STALL_CLEAN) / vs, 1.2f, 0.03f);
  EXPECT_EQ(fly("glider", crashed_before), FLY_OK) << errs;
}

// The trainer climbs less at 8000 ft than at sea level and has its ceiling above 8000 ft where
// the line through its rates gives it; it is faster at full power than its best-rate speed, its
// flaps stall it slower, and it lifts off before it is 50 ft up.
TEST_F(FlightCard, TheTrainersFiguresHangTogether) {
  ASSERT_EQ(fly("trainer"), FLY_OK) << errs;
  float roc = value(CARD_ROC_SL), roc8 = value(CARD_ROC_8000);
  EXPECT_GT(roc8, 100.0f);
  EXPECT_LT(roc8, roc);
  float line = 8000.0f + (roc8 - 100.0f) * 8000.0f / (roc - roc8);
  EXPECT_NEAR(value(CARD_CEILING), line, 0.25f * line);
  EXPECT_GT(value(CARD_VY), value(CARD_STALL_CLEAN));
  EXPECT_LT(value(CARD_STALL_LANDING), value(CARD_STALL_CLEAN));
  EXPECT_GT(value(CARD_TAKEOFF_50FT), value(CARD_TAKEOFF_ROLL));
}

// A jet standing 56 degrees nose up drops onto its stilted nose wheel, tears the leg off and cannot
// take off: its leap while the brakes held is no lift-off. Flown again after another aircraft's
// card in the same process, the card is the same.
TEST_F(FlightCard, ALeapWhileTheBrakesHoldIsNoLiftOff) {
  std::string first;
  for (int k = 0; k < 2; k++) {
    if (k == 1) {
      ASSERT_EQ(fly("trainer"), FLY_OK) << errs;
    }
    ASSERT_EQ(fly("Business Jet", stilted_jet, true), FLY_ALERT) << out;
    EXPECT_EQ(card.fig[CARD_TAKEOFF_ROLL].state, CARD_FAILED);
    EXPECT_THAT(errs, HasSubstr("takeoff_roll_ft failed: it cannot take off"));
    if (k == 0) first = out + errs;
  }
  EXPECT_EQ(out + errs, first);
}

// The best rate at sea level is measured there, not 2,500 ft up where the twin's sweep reaches its
// best-rate speed: a climb at that speed from below sea level passes it as fast, within 3%.
TEST_F(FlightCard, TheSeaLevelClimbIsMeasuredAtSeaLevel) {
  ASSERT_EQ(fly("Light Twin", nullptr, true), FLY_OK) << errs;
  const float vy = value(CARD_VY), roc = value(CARD_ROC_SL);
  fly_flat_region(-20000.0f * con.fttomtrs);
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = -1500.0f, o.kias = vy, o.controls.throttle = 1.0f, o.controls.gear_down = 0;
  fly_start(&o);
  fly_controls c = o.controls;
  card_pilot p;
  pilot_reset(&p);
  float h_below = 0.0f, t_below = -1.0f;
  while (fly_time() < 120.0f && flt.h * con.mtrstoft < 150.0f) {
    pilot_hold_speed(&p, &c, vy);
    fly_set_controls(&c);
    fly_frame();
    if (t_below < 0.0f && flt.h * con.mtrstoft > -150.0f) h_below = flt.h, t_below = fly_time();
  }
  ASSERT_GT(t_below, 20.0f) << "it should have settled below sea level";
  ASSERT_GE(flt.h * con.mtrstoft, 150.0f);
  float held = (flt.h - h_below) / (fly_time() - t_below) * con.msctofpm;
  EXPECT_NEAR(roc, held, 0.03f * held);
}

// A trainer with a twelfth of its power cannot climb or reach its lift-off speed: the card says
// which figures failed and why, prints no number for them and ends with the alert status.
TEST_F(FlightCard, ADesignThatCannotTakeOffSaysSo) {
  ASSERT_EQ(fly("trainer", [] { pln.pmax *= 0.08f; }), FLY_ALERT);
  EXPECT_EQ(card.fig[CARD_TAKEOFF_ROLL].state, CARD_FAILED);
  EXPECT_THAT(errs, HasSubstr("takeoff_roll_ft failed: it cannot take off"));
  EXPECT_THAT(errs, HasSubstr(" kt on the runway, short of the "));
  EXPECT_THAT(out, Not(HasSubstr("takeoff_roll_ft")));
  EXPECT_EQ(card.fig[CARD_ROC_SL].state, CARD_FAILED);
  EXPECT_THAT(errs, HasSubstr("roc_sl_fpm failed: it cannot climb"));
  EXPECT_THAT(errs, HasSubstr("vmax_sl_ktas failed: at full power it cannot hold its height"));
  // With empty tanks the engines do not run: the power is not to blame.
  ASSERT_EQ(fly("trainer", [] { pln.m_fuel = 0.0f; }), FLY_ALERT);
  EXPECT_THAT(errs, HasSubstr("takeoff_roll_ft failed: no fuel"));
}

// Without a tail the aircraft tumbles and its wings never carry its weight on the way down: the
// stall is not found, and no speed stands in for it.
TEST_F(FlightCard, AStallThatIsNeverFlownIsAFailureNotANumber) {
  ASSERT_EQ(fly("Trainer", tailless_trainer, true), FLY_ALERT);
  for (int f : {CARD_STALL_CLEAN, CARD_STALL_LANDING})
    EXPECT_EQ(card.fig[f].state, CARD_FAILED) << CARD_NAMES[f] << " " << card.fig[f].value;
}

// A wing of a ninth of the span cannot hold the trainer up: it hits the ground, and the speed
// told is the one it hit at, not the rest the crash restart leaves it at.
TEST_F(FlightCard, ACrashIsToldWithTheSpeedOfTheImpact) {
  ASSERT_EQ(fly("Trainer", stub_winged_trainer, true), FLY_ALERT);
  const size_t at = errs.find("vmax_sl_ktas failed: the aircraft crashed at ");
  ASSERT_NE(at, std::string::npos) << errs;
  float s, kt;
  ASSERT_EQ(std::sscanf(errs.c_str() + at + 45, "%f s, %f kt", &s, &kt), 2) << errs;
  EXPECT_GT(kt, 30.0f) << errs;
}

// Every sample flies its whole card: each figure that applies is found and hangs together with the
// others; only the helicopter's and the floatplane's runway figures do not apply. Its class's
// published figures (data/aircraft/README.md) lie within 5% for the trainer, 10% for the others;
// the floatplane stays below its class's landplane.
TEST_F(FlightCard, EverySampleFliesItsWholeCard) {
  struct published {
    int fig;
    float value;
  };
  const struct {
    const char* name;
    int not_applying;
    float tolerance;
    published cls[5];
    published below[2];
  } samples[] = {
      {"Trainer",
       0,
       0.05f,
       {{CARD_ROC_SL, 721},
        {CARD_CEILING, 13500},
        {CARD_STALL_LANDING, 47},
        {CARD_TAKEOFF_ROLL, 945},
        {CARD_TAKEOFF_50FT, 1685}},
       {}},
      {"Light Twin", 0, 0.1f, {{CARD_VMAX_SL, 202}, {CARD_ROC_SL, 1700}}, {}},
      {"Floatplane", 3, 0.1f, {}, {{CARD_VMAX_SL, 137}, {CARD_CEILING, 18000}}},
      {"Business Jet", 0, 0.1f, {{CARD_CEILING, 45000}, {CARD_TAKEOFF_50FT, 4300}}, {}},
      {"Turboprop Transport", 0, 0.1f, {{CARD_TAKEOFF_ROLL, 3585}}, {}},
      {"Helicopter", 13, 0.1f, {}, {}},
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s.name);
    ASSERT_EQ(fly(s.name, nullptr, true), FLY_OK) << errs;
    int na = 0;
    for (const card_figure& g : card.fig) na += g.state == CARD_NA;
    EXPECT_EQ(na, s.not_applying) << errs;
    for (const published& c : s.cls) {
      if (c.value == 0.0f) continue;  // an unused place in the row
      EXPECT_NEAR(value(c.fig), c.value, s.tolerance * c.value) << CARD_NAMES[c.fig];
    }
    for (const published& c : s.below) {
      if (c.value == 0.0f) continue;
      EXPECT_LT(value(c.fig), c.value) << CARD_NAMES[c.fig];
    }
    if (na == 13) continue;
    const float vs = value(CARD_STALL_CLEAN);
    EXPECT_LT(value(CARD_STALL_LANDING), vs);
    EXPECT_GT(value(CARD_VY), 1.1f * vs);
    EXPECT_GT(value(CARD_BEST_GLIDE), 1.1f * vs);
    EXPECT_GT(value(CARD_GLIDE_RATIO), 6.0f);
    EXPECT_LT(value(CARD_ROC_8000), value(CARD_ROC_SL));
    EXPECT_GT(value(CARD_CEILING), 8000.0f);
    EXPECT_GT(value(CARD_VMAX_SL), value(CARD_VY));
  }
}

TEST(FlightCardInput, TheCardTakesOnlyItsLoads) {
  fly_options o;
  char err[FLY_ERR];
  ASSERT_TRUE(parse_args({"--test-card", "--fuel-lb", "100"}, &o, err, "x")) << err;
  EXPECT_EQ(o.test_card, 1);
  EXPECT_FALSE(parse_args({"--test-card", "--wind", "270/20"}, &o, err, "x"));
  EXPECT_THAT(std::string(err), HasSubstr("--test-card"));
}
