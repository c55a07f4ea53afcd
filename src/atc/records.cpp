// The controller dialogue and flight-plan records, their resets, and the hooks to the layers
// above.
#include "atc/atc.h"

#include <cstring>
#include <type_traits>

#include "app/macibm.h"

// The records are cleared in place, byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<atcstruct>::value, "atc must stay plain data");
static_assert(std::is_trivially_copyable<flightplanstruct>::value, "fpl must stay plain data");

atcstruct atc;
flightplanstruct fpl;
void (*atc_said_hook)(const char* text) = nullptr;

// Nothing said to the aircraft yet: a follower has no heading or altitude to take.
static void forget_instructions() {
  atc.said_hdg = atc.said_alt = atc.cleared_nav = -1;
  atc.vectored_me = 0;
}

void reset_atc() {
  std::memset(&atc, 0, sizeof atc);
  atc.plan_index = -1;
  forget_instructions();
}

void reset_fpl() {
  std::memset(&fpl, 0, sizeof fpl);
  fpl.ifr = 1;
  std::strcpy(fpl.dep_id_str, "AAA ");
  std::strcpy(fpl.arr_id_str, "AAA ");
  fpl.cruise_alt = 5000;
}

// A new flight's controller does not go on saying what the last flight's had queued.
void start_atc_dialogue() {
  MACIBM_speech_cancel();
  atc.menu_up = 0;
  atc.menu_level = ATC_MENU_MAIN;
  atc.ils_vec_in_progress = 0;
  // Nor repeats, asked to say again, the last thing the last flight heard.
  atc.response[0] = '\0';
  atc.response_timeout = 0.0f;
  atc.plan_phase = 1;
  atc.waiting_new_frq = 0;
  atc.ils_wait_len = atc.plan_wait_len = 0.0f;
  forget_instructions();
  fpl.onfile = fpl.activated = 0;
}
