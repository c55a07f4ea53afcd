// What the controllers say unasked: calls to other traffic and to the own aircraft, the recorded
// airport information (ATIS), and the landing signal officer on the carrier's approach.
#include <cmath>
#include <cstring>

#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Unsolicited calls -----------------------------------------------------------------------

int make_random_call(int may_address_me, int may_handoff) {
  static const char* const clock_positions[5] = {"10 o-clock,", "11 o-clock,", "12 o-clock,",
                                                 "1 o-clock,", "2 o-clock,"};
  const int kind = intrand(1, 8);
  const float alt_ft = flt.h * con.mtrstoft;
  char s[STR_SIZE];
  int me = 0;
  switch (kind) {
    case 1:
    case 2:
    case 3:
    case 4:
      start_command_string(s, 0);
      if (kind == 1) app_C(s, "squawk 1 2 0 0 good day.");
      if (kind == 2) app_C(s, "can you keep your speed up a bit sir?");
      if (kind == 3) {
        app_C(s, "contact me on ");
        app_freq_khz(s, invent_frequency());
        app_C(s, " please.");
      }
      if (kind == 4) {
        app_C(s, "you have traffic at your ");
        app_C(s, clock_positions[intrand(1, 5) - 1]);
        app_C(s, " should be no factor.");
      }
      break;
    case 5:
    case 6: {
      if (!(alt_ft < 20000.0f)) return 0;
      me = may_address_me && fltrand(0.0f, 1.0f) < 0.1f;
      start_command_string(s, me);
      const int o = static_cast<int>(fallout(static_cast<float>(intrand(-45, 45)), -20.0f, 20.0f));
      const int hdg = app_turn_string(s, flt.magpsi_int + o, 10);
      app_C(s, " vectors around a ");
      app_rand_plane(s, intround(alt_ft));
      app_C(s, o < -30 ? " at your 12 o-clock." : o < 0 ? " at your 1 o-clock."
               : o < 30 ? " at your 10 o-clock." : " at your 11 o-clock.");
      if (me) {
        atc.said_hdg = hdg;
        atc.instructions++;
      }
      break;
    }
    default:
      me = may_address_me && may_handoff && fltrand(0.0f, 1.0f) < 0.1f;
      start_command_string(s, me);
      app_C(s, "contact center on ");
      app_freq_khz(s, invent_frequency());
      app_C(s, ".");
      if (me) atc.waiting_new_frq = 1;
      me = 0;  // a hand-off is no vector
      break;
  }
  speakstring(s);
  return me;
}

// ---- ATIS ------------------------------------------------------------------------------------

// Temperature at a field elev_ft high, deg F: the standard lapse from the sea-level setting.
static float field_temperature(float elev_ft) { return atm.temp_SL - 0.003546f * elev_ft; }

static int to_celsius(float f) { return std::isfinite(f) ? intround((f - 32.0f) * 5.0f / 9.0f) : 0; }

// The changing part of the information: sky, visibility, precipitation, temperatures, wind,
// altimeter and runway.
static void app_weather(char* s, int apt) {
  const float elev_ft = apt_h[apt] * con.mtrstoft;
  if (!atm.cld_type) {
    app_C(s, "Sky clear ");
  } else {
    const float base = (atm.baseMSL - apt_h[apt]) * con.mtrstoft;
    if (!(base > 0.0f)) {
      // A field at or above the cloud base is in the cloud: no ceiling can be measured there.
      app_C(s, "Indefinite ceiling zero ");
    } else {
      app_C(s, "Measured ceiling ");
      app_int(s, fltnear(fltmin2(base, 1.0e6f), base < 1000.0f ? 50 : base < 10000.0f ? 100 : 500));
      app_C(s, " overcast ");
    }
  }
  const float vis_nm = atm.vis * con.mtrstonm;
  if (vis_nm <= 1.0f) {
    app_C(s, "R V R ");
    app_int(s, fltnear(fltmax2(atm.vis * con.mtrstoft, 0.0f), 100));
  } else {
    app_C(s, "visibility ");
    app_int(s, fltmin2(vis_nm, 999.0f));
  }
  const float temp = field_temperature(elev_ft);
  if (!(atm.rain_tstm > 1.5f))
    app_C(s, ". ");
  else
    app_C(s, temp <= 32.0f ? ", snow. " : ", rain. ");
  app_C(s, "Temperature ");
  app_int(s, static_cast<float>(to_celsius(temp)));
  app_C(s, " dewpoint ");
  app_int(s, static_cast<float>(to_celsius(fltmin2(atm.dewp_SL, temp))));
  app_C(s, ". ");
  app_wind_string(s, apt);
  app_C(s, ", ");
  app_field_altimeter_string(s);
  app_C(s, ". Arriving and departing ");
  app_current_rway_string(s, apt);
  app_C(s, ". ");
}

static int is_letter(char c) { return c >= 'A' && c <= 'Z'; }

static int checksum(const char* s, int apt) {
  unsigned h = 2166136261u ^ static_cast<unsigned>(apt);
  for (; *s; s++) h = (h ^ static_cast<unsigned char>(*s)) * 16777619u;
  return static_cast<int>(h & 0x7fffffff);
}

// Each field's information keeps its letter while the weather it gives stays the same, and takes
// the next letter when anything in it changes; another field's heard in between changes nothing.
void give_ATIS(int apt) {
  if (apt < 0 || apt > intmin2(env.aptmax, APT_MAX - 1)) return;
  char wx[STR_SIZE] = "";
  app_weather(wx, apt);
  const int sum = checksum(wx, apt);
  int k = 0;
  while (k < ATC_ATIS_KEPT && !(atc.atis_apt[k] == apt && is_letter(atc.atis_letter[k]))) k++;
  if (k == ATC_ATIS_KEPT) {
    k = intlim(atc.atis_next, 0, ATC_ATIS_KEPT - 1);
    atc.atis_next = (k + 1) % ATC_ATIS_KEPT;
    atc.atis_apt[k] = apt;
    atc.atis_letter[k] = code_to_char(intrand(11, 36));
  } else if (sum != atc.atis_sum[k]) {
    const char was = atc.atis_letter[k];
    atc.atis_letter[k] = was == 'Z' ? 'A' : static_cast<char>(was + 1);
  }
  atc.atis_sum[k] = sum;
  atm.info = atc.atis_letter[k];

  char s[STR_SIZE];
  int h, m;
  sec_to_hrs_min(msc.zulu_time, &h, &m);
  C_to_C(apt_name[apt], s);
  app_C(s, " information ");
  app_C(s, get_phonetic(atm.info));
  app_C(s, ". ");
  app_digits(s, intlim(h, 0, 23), 2);
  app_C(s, " hundred zooloo weather. ");
  app_C(s, wx);
  app_C(s, "Advise on initial contact you have ");
  app_C(s, get_phonetic(atm.info));
  app_C(s, ".");
  speak_in_voice(s, ATC_VOICE_ATIS);
}

// ---- Landing signal officer ------------------------------------------------------------------

// The carrier's approach course, degrees true: along its angled deck.
static const float LSO_COURSE = 352.0f;

static float apart(float a, float b) {
  float d = std::fmod(a - b, 360.0f);
  if (d > 180.0f) d -= 360.0f;
  if (d < -180.0f) d += 360.0f;
  return d;
}

// Silent unless the region has a carrier and the aircraft is within 5 nm of it, lined up with the
// course and flying along it.
void LSO_respond() {
  if (!ships.have_carr) return;
  atc.cardxyz[0] = static_cast<float>(flt.X) - ships.carr[0];
  atc.cardxyz[1] = static_cast<float>(flt.Y) - (ships.carr[1] + CARRIER_DECK);
  atc.cardxyz[2] = static_cast<float>(flt.Z) - ships.carr[2];
  const float horizontal = pythag(atc.cardxyz[0], atc.cardxyz[2]);
  const float d = horizontal * con.mtrstonm;
  if (!(d < 5.0f)) return;
  // From the aircraft to the deck: east is -x, north is +z of the aircraft's offset.
  const float to_deck = std::atan2(-atc.cardxyz[0], atc.cardxyz[2]) * con.radtodeg;
  const float lateral = apart(to_deck, LSO_COURSE);
  if (std::fabs(lateral) > 10.0f || std::fabs(apart(flt.psi, LSO_COURSE)) > 10.0f) return;
  const float glide = std::atan2(atc.cardxyz[1], horizontal) * con.radtodeg;
  const int fast = flt.Alpha < 6.0f, slow = flt.Alpha > 12.0f;
  const int low = glide < 2.0f, high = glide > 4.0f;
  const char* say = nullptr;
  if (d >= 0.5f) {
    if (high && fast) say = "Power Off";
    else if (high && slow) say = "Power On";
    else if (low && (fast || slow)) say = "Power";
    else if (high) say = "Power Off";
    else if (low) say = "Power";
    else if (fast) say = "Power Off";
    else if (slow) say = "Power";
    else if (lateral > 3.0f) say = "Right for lineup";
    else if (lateral < -3.0f) say = "Come left";
  } else {
    if (high || low) say = "Wave Off!";
    else if (fast || slow) say = "Attitude!";
  }
  if (!say) return;
  char s[STR_SIZE];
  C_to_C(say, s);
  speakstring(s);
}
