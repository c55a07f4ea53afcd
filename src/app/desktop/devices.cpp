// The joystick and its force feedback through SDL2's joystick and haptic subsystems (nothing else
// of SDL is started). The program runs without either: a missing stick is reported by the probe,
// a stick without forces ignores every force command.
#include <SDL.h>

#include "app/desktop/desktop.h"
#include "app/macibm.h"

static bool sdl_started = false;
static SDL_Joystick* stick;
static SDL_Haptic* haptic;
static unsigned haptic_kinds;  // SDL_HAPTIC_ effect kinds the device plays
static int effect_id[EFFECT_SLOTS];
static desktop_effect springs[2];  // the last X and Y springs: they are played as one effect

// ---- Effects ---------------------------------------------------------------------------------

enum { BUFFET_PERIOD_MS = 83 };  // a 12 Hz shake, felt as buffet rather than as a hum

static int percent(int v) {
  if (v < 0) v = 0;
  if (v > 100) v = 100;
  return v * 32767 / 100;
}

static desktop_effect no_effect() {
  desktop_effect e = {};
  e.slot = EFFECT_NONE;
  e.stop_slot = EFFECT_NONE;
  e.length_ms = -1;
  return e;
}

desktop_effect desktop_force_effect(int call, int a, int b, int c) {
  desktop_effect e = no_effect();
  switch (call) {
    case FORCE_XSPRING:
    case FORCE_YSPRING: {
      e.slot = call == FORCE_XSPRING ? EFFECT_SPRING_X : EFFECT_SPRING_Y;
      int centre = a < -100 ? -100 : (a > 100 ? 100 : a);
      e.center = centre * 32767 / 100;
      e.pos_coeff = percent(b);
      e.neg_coeff = percent(c);
      break;
    }
    case FORCE_XVIBRATION:
    case FORCE_YVIBRATION: {
      const int slot = call == FORCE_XVIBRATION ? EFFECT_VIBRATION_X : EFFECT_VIBRATION_Y;
      // A vibration of no frequency is no vibration: it stops the one playing.
      if (c <= 0) {
        e.stop_slot = slot;
        break;
      }
      e.slot = slot;
      e.magnitude = percent(a > b ? a : b);
      e.period_ms = 1000 / (c > 50 ? 50 : c);
      e.direction = call == FORCE_XVIBRATION ? 9000 : 0;
      break;
    }
    case FORCE_XVIBRATION_CLEAR:
      e.stop_slot = EFFECT_VIBRATION_X;
      break;
    case FORCE_YVIBRATION_CLEAR:
      e.stop_slot = EFFECT_VIBRATION_Y;
      break;
    case FORCE_BUFFETING:
      e.slot = EFFECT_BUFFETING;
      e.magnitude = percent(a);
      e.period_ms = BUFFET_PERIOD_MS;
      break;
    case FORCE_BUFFETING_CLEAR:
      e.stop_slot = EFFECT_BUFFETING;
      break;
    case FORCE_JOLT: {
      if (c <= 0) break;  // a jolt of no length is felt as nothing
      e.slot = EFFECT_JOLT;
      e.magnitude = percent(a);
      e.direction = ((b % 360 + 360) % 360) * 100;
      e.length_ms = c > 2500 ? 2500 : c;
      break;
    }
    case FORCE_CLEAR:
      e.stop_slot = EFFECT_SLOTS;
      break;
    default:
      break;
  }
  return e;
}

static Uint32 sdl_length(int ms) { return ms < 0 ? SDL_HAPTIC_INFINITY : static_cast<Uint32>(ms); }

// The SDL form of an effect; false when the device cannot play its kind.
static bool sdl_effect(const desktop_effect& e, SDL_HapticEffect* he) {
  SDL_memset(he, 0, sizeof *he);
  if (e.slot == EFFECT_SPRING_X || e.slot == EFFECT_SPRING_Y) {
    if (!(haptic_kinds & SDL_HAPTIC_SPRING)) return false;
    he->type = SDL_HAPTIC_SPRING;
    he->condition.type = SDL_HAPTIC_SPRING;
    he->condition.length = SDL_HAPTIC_INFINITY;
    for (int axis = 0; axis < 2; axis++) {
      he->condition.right_sat[axis] = 0xFFFF;
      he->condition.left_sat[axis] = 0xFFFF;
      he->condition.right_coeff[axis] = static_cast<Sint16>(springs[axis].pos_coeff);
      he->condition.left_coeff[axis] = static_cast<Sint16>(springs[axis].neg_coeff);
      he->condition.center[axis] = static_cast<Sint16>(springs[axis].center);
    }
    return true;
  }
  if (e.slot == EFFECT_JOLT) {
    if (!(haptic_kinds & SDL_HAPTIC_CONSTANT)) return false;
    he->type = SDL_HAPTIC_CONSTANT;
    he->constant.direction.type = SDL_HAPTIC_POLAR;
    he->constant.direction.dir[0] = e.direction;
    he->constant.length = sdl_length(e.length_ms);
    he->constant.level = static_cast<Sint16>(e.magnitude);
    return true;
  }
  const Uint16 kind = e.slot == EFFECT_BUFFETING ? SDL_HAPTIC_TRIANGLE : SDL_HAPTIC_SINE;
  if (!(haptic_kinds & kind)) return false;
  he->type = kind;
  he->periodic.type = kind;
  he->periodic.direction.type = SDL_HAPTIC_POLAR;
  he->periodic.direction.dir[0] = e.direction;
  he->periodic.length = sdl_length(e.length_ms);
  he->periodic.period = static_cast<Uint16>(e.period_ms);
  he->periodic.magnitude = static_cast<Sint16>(e.magnitude);
  return true;
}

static void stop_slot(int slot) {
  if (effect_id[slot] >= 0) SDL_HapticStopEffect(haptic, effect_id[slot]);
}

void MACIBM_force(int call, int a, int b, int c) {
  if (!haptic) return;
  desktop_effect e = desktop_force_effect(call, a, b, c);
  if (e.stop_slot == EFFECT_SLOTS)
    SDL_HapticStopAll(haptic);
  else if (e.stop_slot >= 0)
    stop_slot(e.stop_slot);
  if (e.slot < 0) return;
  // Both springs live in the X spring's effect, one axis each.
  int slot = e.slot;
  if (slot == EFFECT_SPRING_X || slot == EFFECT_SPRING_Y) {
    springs[slot - EFFECT_SPRING_X] = e;
    slot = EFFECT_SPRING_X;
  }
  SDL_HapticEffect he;
  if (!sdl_effect(e, &he)) return;
  if (effect_id[slot] >= 0 && SDL_HapticUpdateEffect(haptic, effect_id[slot], &he) == 0) {
    SDL_HapticRunEffect(haptic, effect_id[slot], 1);
    return;
  }
  effect_id[slot] = SDL_HapticNewEffect(haptic, &he);
  if (effect_id[slot] >= 0) SDL_HapticRunEffect(haptic, effect_id[slot], 1);
}

// ---- Joystick --------------------------------------------------------------------------------

// SDL runs without a window of its own, so joystick input must be read while another program's
// window has the focus, and SDL must leave the program's signals alone.
static bool start_sdl() {
  if (sdl_started) return true;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
  sdl_started = true;
  return true;
}

int backend_joystick_probe() {
  if (!start_sdl()) return 7;
  if (SDL_NumJoysticks() <= 0) return 5;
  if (!stick) stick = SDL_JoystickOpen(0);
  return stick ? 0 : 6;
}

int MACIBM_joy_devices() {
  if (!start_sdl()) return 0;
  int n = SDL_NumJoysticks();
  return n > 0 ? n : 0;
}

// Axes become 0..65535 with the centre at 32767 or 32768. A stick without a throttle axis reads
// as the throttle closed, one without a rudder axis as the rudder centred. A stick pulled out is
// let go, so that one plugged back in (SDL finds it while updating) is opened afresh, with its
// forces.
int MACIBM_joy_read(int which, macibm_joy_state* s) {
  if (which != 0 || !sdl_started) return JOY_READ_UNPLUGGED;
  SDL_JoystickUpdate();
  if (stick && !SDL_JoystickGetAttached(stick)) {
    backend_force_feedback_stop();
    SDL_JoystickClose(stick);
    stick = nullptr;
  }
  if (!stick && SDL_NumJoysticks() > 0) {
    stick = SDL_JoystickOpen(0);
    if (stick) backend_force_feedback_start();
  }
  if (!stick) return JOY_READ_UNPLUGGED;
  const int axes = SDL_JoystickNumAxes(stick);
  auto axis = [&](int i, int missing) {
    return i < axes ? static_cast<int>(SDL_JoystickGetAxis(stick, i)) + 32768 : missing;
  };
  s->x = axis(0, 32767);
  s->y = axis(1, 32767);
  s->z = axis(2, 65535);
  s->r = axis(3, 32767);
  s->buttons = 0u;
  const int buttons = SDL_JoystickNumButtons(stick);
  for (int k = 0; k < buttons && k < 32; k++)
    if (SDL_JoystickGetButton(stick, k)) s->buttons |= 1u << k;
  s->pov = -1;
  if (SDL_JoystickNumHats(stick) > 0) {
    static const struct {
      Uint8 hat;
      int pov;
    } hats[] = {{SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 4500},
                {SDL_HAT_RIGHT, 9000}, {SDL_HAT_RIGHTDOWN, 13500},
                {SDL_HAT_DOWN, 18000}, {SDL_HAT_LEFTDOWN, 22500},
                {SDL_HAT_LEFT, 27000}, {SDL_HAT_LEFTUP, 31500}};
    const Uint8 h = SDL_JoystickGetHat(stick, 0);
    for (const auto& entry : hats)
      if (entry.hat == h) s->pov = entry.pov;
  }
  return JOY_READ_OK;
}

// Forces start only on a stick that has them; their absence is no error.
void backend_force_feedback_start() {
  if (!stick || haptic) return;
  for (int& id : effect_id) id = -1;
  if (SDL_InitSubSystem(SDL_INIT_HAPTIC) != 0) return;
  if (SDL_JoystickIsHaptic(stick) != 1) return;
  haptic = SDL_HapticOpenFromJoystick(stick);
  haptic_kinds = haptic ? SDL_HapticQuery(haptic) : 0u;
}

void backend_force_feedback_stop() {
  if (!haptic) return;
  SDL_HapticStopAll(haptic);
  SDL_HapticClose(haptic);
  haptic = nullptr;
  haptic_kinds = 0u;
}

void MACIBM_joy_close() {
  backend_force_feedback_stop();
  if (stick) SDL_JoystickClose(stick);
  stick = nullptr;
  if (sdl_started) SDL_Quit();
  sdl_started = false;
}
