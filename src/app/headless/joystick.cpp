// The headless joystick: no device unless a test plugs one in; force commands are kept in a short
// log for the tests and otherwise ignored.
#include "app/headless/joystick.h"

static int joy_devices = 0;
static int joy_status = JOY_READ_OK;
static macibm_joy_state joy_state = {32767, 32767, 65535, 32767, 0u, -1};
static std::vector<headless_force_command> force_log;

void headless_joy_plug(int devices, const macibm_joy_state& s) {
  joy_devices = devices > 0 ? devices : 0;
  joy_state = s;
}

void headless_joy_fail(int status) { joy_status = status; }

const std::vector<headless_force_command>& headless_force_log() { return force_log; }

void headless_joy_reset() {
  joy_devices = 0;
  joy_status = JOY_READ_OK;
  joy_state = {32767, 32767, 65535, 32767, 0u, -1};
  force_log.clear();
}

int MACIBM_joy_devices() { return joy_devices; }

int MACIBM_joy_read(int stick, macibm_joy_state* s) {
  if (stick < 0 || stick >= joy_devices) return JOY_READ_UNPLUGGED;
  if (joy_status != JOY_READ_OK) return joy_status;
  *s = joy_state;
  return JOY_READ_OK;
}

// A long headless run sends a spring update every simulated second; only the latest commands are
// of interest, so the log is kept short.
void MACIBM_joy_close() {}

void MACIBM_force(int call, int a, int b, int c) {
  if (force_log.size() >= 256) force_log.erase(force_log.begin());
  force_log.push_back({call, a, b, c});
}
