// The headless joystick and force-feedback stick, which tests drive: by default there is no
// joystick and every force command is dropped, as on a machine without either.
#pragma once

#include <vector>

#include "app/macibm.h"

// Plugs in `devices` joysticks (0 unplugs them all); every good read returns `s`.
void headless_joy_plug(int devices, const macibm_joy_state& s);
// Makes every read fail with `status` (JOY_READ_OK reads again).
void headless_joy_fail(int status);

// The force commands received since the last reset, oldest first; at most the last 256 are kept.
struct headless_force_command {
  int call, a, b, c;
};
const std::vector<headless_force_command>& headless_force_log();

// No joystick, reads succeed once one is plugged, no force commands logged.
void headless_joy_reset();
