// ATIS at a low and a high field with its letter, and the landing signal officer, who speaks only
// on the approach to a carrier that is there.
#include "atc_fixture.h"

using AtcCalls = AtcTest;

TEST_F(AtcCalls, AtisAtLowAndHighFields) {
  atm.cld_type = 1;
  atm.baseMSL = apt_h[SBD] + 2930.0f * con.fttomtrs;
  atm.vis = 10.2f * con.nmtomtrs;
  atm.temp_SL = 59.0f, atm.dewp_SL = 40.0f, atm.rain_tstm = 1.0f;
  msc.zulu_time = 14 * 3600.0f + 20 * 60.0f;
  give_ATIS(SBD);
  const std::string w = get_phonetic(atm.info);
  EXPECT_EQ(last_said(), "San Bernardino International information " + w +
                             ". 1 4 hundred zooloo weather. Measured ceiling 2900 overcast "
                             "visibility 10. Temperature 13 dewpoint 4. Wind calm, altimeter 2 9 9 "
                             "2. Arriving and departing runway 6. Advise on initial contact you "
                             "have " + w + ".");
  // The same weather keeps the letter; a new altimeter setting takes the next one.
  const char letter = atm.info;
  give_ATIS(SBD);
  EXPECT_EQ(atm.info, letter);
  atm.baro = 30.01f;
  give_ATIS(SBD);
  EXPECT_EQ(atm.info, letter == 'Z' ? 'A' : letter + 1);
  flt.h = 25000.0f * con.fttomtrs;  // heard in cruise, above the standard-setting height
  give_ATIS(SBD);
  EXPECT_THAT(last_said(), HasSubstr("altimeter 3 0 0 1"));
  give_ATIS(HIGH);  // another field's information heard in between
  give_ATIS(SBD);
  EXPECT_EQ(atm.info, letter == 'Z' ? 'A' : letter + 1);

  // A field above the cloud base is in the cloud: no negative ceiling.
  atm.temp_SL = 50.0f, atm.rain_tstm = 3.0f, atm.vis = 0.5f * con.nmtomtrs;
  give_ATIS(HIGH);
  EXPECT_THAT(last_said(),
              HasSubstr("weather. Indefinite ceiling zero R V R 3000, snow. Temperature -3 "));
  EXPECT_THAT(last_said(), Not(HasSubstr("ceiling -")));
}

// The carrier at the origin, the aircraft on its approach at distance nm, glide path angle glide
// and lateral angle off, heading psi, angle of attack alpha.
TEST_F(AtcCalls, LandingSignalOfficerOnlyOnTheCarrierApproach) {
  const struct {
    int carrier;
    float nm, glide, off, psi, alpha;
    const char* says;  // "" silent
  } cases[] = {
      {0, 1.0f, 3.0f, 0.0f, 352.0f, 4.0f, ""},  // no carrier: nothing anywhere
      {1, 1.0f, 3.0f, 0.0f, 352.0f, 9.0f, ""},  // on speed, on the path
      {1, 1.0f, 3.0f, 0.0f, 352.0f, 4.0f, "Power Off"},
      {1, 1.0f, 6.0f, 0.0f, 352.0f, 14.0f, "Power On"},
      {1, 1.0f, 3.0f, 5.0f, 352.0f, 9.0f, "Right for lineup"},  // west of the line
      {1, 1.0f, 3.0f, -5.0f, 352.0f, 9.0f, "Come left"},
      {1, 0.3f, 6.0f, 0.0f, 352.0f, 9.0f, "Wave Off!"},
      {1, 0.3f, 3.0f, 0.0f, 352.0f, 14.0f, "Attitude!"},
      {1, 6.0f, 3.0f, 0.0f, 352.0f, 4.0f, ""},  // too far out
      {1, 1.0f, 3.0f, 0.0f, 100.0f, 4.0f, ""},  // not flying the approach
  };
  for (const auto& c : cases) {
    said().clear();
    ships.have_carr = c.carrier;
    ships.carr[0] = ships.carr[1] = ships.carr[2] = 0.0f;
    const float d = c.nm * con.nmtomtrs, from = (172.0f + c.off) * con.degtorad;
    flt.X = d * std::sin(from);
    flt.Z = -d * std::cos(from);
    flt.Y = CARRIER_DECK + d * std::tan(c.glide * con.degtorad);
    flt.psi = c.psi, flt.Alpha = c.alpha;
    LSO_respond();
    EXPECT_EQ(last_said(), c.says) << c.nm << " " << c.glide << " " << c.off << " " << c.psi;
  }
}
