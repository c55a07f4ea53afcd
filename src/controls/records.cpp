// The autopilot record, the button slots and the pipeline memory, and their resets.
#include "controls/controls.h"

#include <cstring>
#include <type_traits>

#include "app/macibm.h"
#include "flight/flight.h"

// The records are cleared in place, byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<ottostruct>::value, "ott must stay plain data");
static_assert(std::is_trivially_copyable<controlmemorystruct>::value, "ctm must stay plain data");

ottostruct ott;
controlmemorystruct ctm;
int n_button_pressed[JOY_BUTTONS];
int o_button_pressed[JOY_BUTTONS];

void reset_ott() { std::memset(&ott, 0, sizeof ott); }

void reset_ctm() {
  std::memset(&ctm, 0, sizeof ctm);
  std::memset(n_button_pressed, 0, sizeof n_button_pressed);
  std::memset(o_button_pressed, 0, sizeof o_button_pressed);
  ctm.raw_pov = -1;
  ctm.lever_pos = -1;
  // Taking the present state as the last frame's keeps the autothrottle from seeing a jump in
  // airspeed (a start on the ground is kept from counting as a touchdown in touchdown()).
  ctm.prev_vind = flt.vind;
  ctm.prev_onsurface = flt.onsurface;
  for (int i = 0; i < MAX_ENGINES; i++) ctm.prev_revving[i] = flt.revving_thrust[i];
  // A pointer that has not moved since the start leaves the stick alone.
  ctm.mouse_x = mnw.mx;
  ctm.mouse_y = mnw.my;
  // The keypad's and the mouse's yoke start centred, as the trims do: the keypad centres roll
  // and yaw only, so pitch held into a crash would otherwise be held through the next take-off.
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0.0f;
}
