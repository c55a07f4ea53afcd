// Force feedback: the commands of the flight model, scaled by the pilot's strength setting and
// passed to the force-feedback stick through the platform layer.
#include "controls/controls.h"

#include "app/macibm.h"
#include "shared/shared.h"

// A magnitude scaled by the strength ratio, truncated and limited to 0..100. The limit is taken
// before the conversion so that any ratio gives a defined int.
static int magnitude(int v) {
  return static_cast<int>(fltlim(static_cast<float>(v) * set.fcon_force_rat, 0.0f, 100.0f));
}

void forcecall(int code, int a, int b, int c) {
  switch (code) {
    case 25: {
      int m = magnitude(c);
      MACIBM_force(FORCE_XSPRING, intlim(a, -100, 100), m, m);
      MACIBM_force(FORCE_YSPRING, intlim(b, -100, 100), m, m);
      break;
    }
    case 26:
      MACIBM_force(FORCE_XVIBRATION, magnitude(a), magnitude(a), intlim(b, 0, 50));
      break;
    case 27:
      MACIBM_force(FORCE_YVIBRATION, magnitude(a), magnitude(a), intlim(b, 0, 50));
      break;
    case 28:
      MACIBM_force(FORCE_XVIBRATION_CLEAR, 0, 0, 0);
      break;
    case 29:
      MACIBM_force(FORCE_YVIBRATION_CLEAR, 0, 0, 0);
      break;
    case 30:
      MACIBM_force(FORCE_BUFFETING, magnitude(a), 0, 0);
      break;
    case 31:
      MACIBM_force(FORCE_BUFFETING_CLEAR, 0, 0, 0);
      break;
    case 32:
      MACIBM_force(FORCE_JOLT, magnitude(a), whole_turn(b), intlim(c, 0, 2500));
      break;
    case 33:
      MACIBM_force(FORCE_CLEAR, 0, 0, 0);
      break;
    default:
      break;
  }
}
