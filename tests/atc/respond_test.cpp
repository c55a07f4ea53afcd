// The controller's answers: each kind of request, names and identifiers that match nothing, and
// the vectors onto an ILS with their quiet wait and their intercept.
#include "atc_fixture.h"

using AtcRespond = AtcTest;

namespace {
std::string respond(const std::string& request) {
  said().clear();
  char r[STR_SIZE * 2];
  std::snprintf(r, sizeof r, "%s", request.c_str());
  controller_respond(r);
  return said().empty() ? "(none)" : said().back();
}
}  // namespace

TEST_F(AtcRespond, RequestKindsAndNames) {
  flt.lat = 34.3f, flt.lon = -117.5f;  // 12 nm south of Twin Field, the nearer of its name
  flt.magpsi_int = 0;
  apt_lr[TWIN][0] = 'C';
  std::string far(300, 'x');
  const struct {
    std::string request, answer;  // the answer after the call sign
  } cases[] = {
      {"request taxi.", "taxi runway 9 center."},  // at Twin Field, the nearest
      {"request takeoff.", "fly runway heading cleared for take off runway 9 center."},
      {"request vectors Twin Field", "turn "},
      {"request landing Twin Field.", "Wind calm, cleared to land runway 9 center Twin Field."},
      {"request pizza", "say again please"},
      {"request ta", "say again please"},
      {"request vectors Nowhere", "(none)"},
      {"request I L S Pomona", "(none)"},
      {"I would like a coffee", "(none)"},
      {far + "request taxi.", "(none)"},
  };
  for (const auto& c : cases) {
    const std::string want = c.answer == "(none)" ? c.answer : CALL_SIGN + c.answer;
    EXPECT_THAT(respond(c.request), ::testing::StartsWith(want)) << c.request;
  }
  env.mvar = -14;  // runway 9, 090 true, is 076 on the compass
  const int given = atc.instructions;
  respond("request takeoff.");
  EXPECT_EQ(std::pair(atc.said_hdg, atc.instructions), std::pair(76, given + 1));
  // Vectors name the heading (magnetic, in fives) and the distance to the nearer Twin Field.
  float d, b;
  apt_from_aircraft(TWIN, &d, &b);
  char want[STR_SIZE] = "";
  app_turn_string(want, intround(b) + env.mvar, 5);
  EXPECT_THAT(respond("request vectors Twin Field"),
              HasSubstr(std::string(want) + " vectors to Twin Field. They are about 12 miles"));
  EXPECT_EQ(atc.said_hdg, (intnear(intround(b) + env.mvar, 5) + 359) % 360 + 1);  // 0 said as 360
}

TEST_F(AtcRespond, EmergencyVectorsToTheNearestFieldOrSaysThereIsNone) {
  fpl.onfile = fpl.activated = 1;
  atc.plan_phase = 6;
  atc.ils_vec_in_progress = ATC_VECTORS_GIVEN;
  atc.waiting_new_frq = 1;
  flt.lat = 34.45f, flt.lon = -117.5f;
  put_airport(4, "HEL ", "Pad", 34.44f, -117.5f, 100.0f, 0);  // nearer than Twin Field
  apt_kind[4] = APT_KIND_HELIPORT, env.aptmax = 4;
  EXPECT_THAT(respond("declaring an emergency"), HasSubstr("squawk 7 7 0 0 turn"));
  EXPECT_EQ(atc.ils_vec_in_progress, 0);
  EXPECT_THAT(last_said(), HasSubstr("vectors to Twin Field, they are about 3 miles"));
  EXPECT_EQ(std::pair(fpl.activated, atc.plan_phase), std::pair(0, 1));
  char line[STR_SIZE];
  EXPECT_EQ(atc_main_line(6, line), ATC_LINE_HIDDEN) << line;
  for (int n = 0; n < 5; n++) apt_inreg[n] = 0;
  atc.said_hdg = -1;
  EXPECT_THAT(respond("declaring an emergency"),
              AllOf(HasSubstr("I have no airport near you"), Not(HasSubstr("heading"))));
  EXPECT_EQ(atc.said_hdg, -1);
}

// 14 nm south-west of the localizer, flying north: vectors and an altitude, then nothing within
// the quiet wait, nothing more once landed, then the intercept once the aircraft flies inside the
// window.
TEST_F(AtcRespond, IlsVectorsWaitThenIntercept) {
  flt.lat = 33.95f, flt.lon = -117.35f;
  flt.magpsi_int = flt.psi_int = 0;
  flt.vind = 120.0f;
  flt.h_ind = 2000.0f * con.fttomtrs;
  msc.elap_time = 100.0f;
  EXPECT_THAT(respond("request I L S SBD ILS 06"),
              AllOf(HasSubstr("heading"),
                    HasSubstr("climb and maintain 4100 feet vectors SBD ILS 06, if you would like "
                              "another approach instead just tell me.")));
  EXPECT_EQ(atc.ils_vec_in_progress, 1);
  EXPECT_STREQ(atc.ils_command, "request I L S SBD ILS 06");
  msc.elap_time = 110.0f;
  EXPECT_EQ(respond("request I L S SBD ILS 06"), "(none)");
  EXPECT_EQ(respond(atc.ils_command), "(none)");
  msc.elap_time = 200.0f, flt.onsurface = 1;  // landed before the wait was over
  EXPECT_EQ(respond(atc.ils_command), "(none)");
  EXPECT_EQ(atc.ils_vec_in_progress, 0);
  flt.onsurface = 0;

  // On the extended centreline 10 nm out, heading along the course.
  const float c = 72.0f * con.degtorad;
  flt.lat = nav_lat[ISBD] - 10.0f / 60.0f * std::cos(c);
  flt.lon = nav_lon[ISBD] - 10.0f / 60.0f * std::sin(c) / std::cos(flt.lat * con.degtorad);
  flt.psi_int = 100;  // 28 degrees off the course: still inside the window
  put_airport(4, "HEL ", "Pad", 34.1045f, -117.216f, 350.0f, 0);  // nearer the localizer than SBD
  apt_hdng[4][0] = 0, apt_len[4][0] = 60, env.aptmax = 4;
  const std::string cleared = respond(atc.ils_command);
  EXPECT_EQ(cleared, std::string(CALL_SIGN) + "intercept localizer altimeter 2 9 9 2 cleared SBD ILS 06 contact tower.");
  EXPECT_EQ((std::vector<int>{atc.ils_vec_in_progress, atc.plan_phase, atc.plan_index,
                              atc.cleared_nav, fpl.onfile, fpl.activated, atc.waiting_new_frq}),
            (std::vector<int>{0, 8, SBD, ISBD, 1, 1, 1}));
  // The wind favours the other end; the tower still clears the runway of the approach flown.
  for (int k = 0; k < WIND_LAYERS; k++) atm.wnddir[k] = 252.0f, atm.wndspd[k] = 8.0f;
  atc_pick_line(6);
  EXPECT_THAT(last_said(), HasSubstr("cleared to land runway 6."));
  // A parallel runway 0.5 nm to the south-east, with its own localizer.
  apt_lr[SBD][0] = 'L';
  apt_num[SBD][1] = 6, apt_hdng[SBD][1] = 72, apt_len[SBD][1] = 2000, apt_lr[SBD][1] = 'R';
  apt_lat[SBD][1] = 34.0875f, apt_lon[SBD][1] = -117.2318f;
  put_navaid(2, 4, "IS6R", "SBD ILS 06R", 34.0926f, -117.2129f, 72, 11190);
  atc.cleared_nav = 2, atc.plan_phase = 8;
  handle_plan(1);
  EXPECT_THAT(last_said(), HasSubstr("cleared to land runway 6 right."));
}

// Another approach picked from the menu inside the quiet wait is given when the wait ends.
TEST_F(AtcRespond, AnotherApproachAskedForInsideTheWaitIsVectoredWhenItEnds) {
  put_navaid(2, 4, "IRIV", "RIV ILS 14", 33.8627f, -117.2465f, 149, 10955);
  flt.lat = 33.95f, flt.lon = -117.35f;
  respond("request I L S SBD ILS 06");
  atc_pick_line(11);  // a list looked at, nothing picked
  EXPECT_EQ(atc.ils_vec_in_progress, ATC_VECTORS_GIVEN);
  said().clear(), msc.elap_time += 5.0f, atc_pick_line(13);
  ASSERT_TRUE(atc_pick_id("IRIV"));
  EXPECT_TRUE(said().empty());
  msc.elap_time += 35.0f;
  ASSERT_NE(atc.ils_vec_in_progress, 0);
  controller_respond(atc.ils_command);
  EXPECT_THAT(last_said(), HasSubstr("vectors RIV ILS 14, if you would like"));
}

TEST_F(AtcRespond, IlsVectorsKeepBelowTheCruiseAltitudeOfAPlanOnFileOnly) {
  flt.lat = 33.75f, flt.lon = -117.35f;  // 22 nm out: 5000 ft above the localizer
  fpl.cruise_alt = 5000;
  EXPECT_THAT(respond("request I L S SBD ILS 06"), HasSubstr("maintain 6100 feet"));
  atc.ils_vec_in_progress = 0, atc.ils_wait_len = 0.0f, fpl.onfile = 1;
  EXPECT_THAT(respond("request I L S SBD ILS 06"), HasSubstr("maintain 5000 feet"));
}

TEST_F(AtcRespond, VectorsRepeatOnlyWhatChanged) {
  flt.magpsi_int = 90;
  flt.h_ind = 3010.0f * con.fttomtrs;
  const struct {
    int hdg, alt, force;
    const char* said;
  } steps[] = {
      {180, 3000, 1, "turn right heading 1 8 0 descend and maintain 3000 feet "},
      {183, 3000, 0, ""},                          // within 5 degrees and at the altitude
      {190, 3000, 0, "turn right heading 1 9 0 "},  // more than 5 degrees
      {190, 5000, 0, "climb and maintain 5000 feet "},  // and again: 2000 ft low, not climbing
      {190, 5000, 0, "climb and maintain 5000 feet "},
  };
  for (const auto& st : steps) {
    char s[STR_SIZE] = "";
    EXPECT_EQ(vector_me(st.hdg, 5, st.alt, 100, st.force, s), st.said[0] != '\0');
    EXPECT_STREQ(s, st.said);
  }
}
