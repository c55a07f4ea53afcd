// Contact of wheels, skids, wing tips and body points with land, ship decks and obstacles: the
// spring-damper, rolling, braking and sliding friction, differential braking, nose-wheel steering
// and gear collapse.
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// Surface height found under each contact point on its last call, m; kept for the cycle dump.
static float surface_h[CONTACT_POINTS];

float dampedforce(float x, float v, float k, float c) {
  if (x < 0.0f) return 0.0f;
  // The limit keeps a deep penetration or a violent closing speed from producing an unbounded
  // force; a spring-damper pushes and never pulls.
  const float lim = 5.0f * con.g * pln.m_max;
  const float f = std::trunc(fltlim(v * c + x * k, -lim, lim));
  return f > 0.0f ? f : 0.0f;
}

// Friction coefficient of the runway surface for its friction code and the temperature.
static float surface_friction() {
  const bool warm = atm.temp_SL > 32.0f;
  if (atm.rway_fric_code == 2) return warm ? 0.8f : 0.4f;  // damp or slushy
  if (atm.rway_fric_code == 3) return warm ? 0.4f : 0.2f;  // wet or icy
  return 1.0f;
}

// Height of a ship's deck at world (Xw, Zw), following the ship's pitch and roll; deck_y is the
// deck's height above the ship's reference.
static float deck_height(float Xw, float Zw, float deck_y) {
  return con.BOAT_loc_Y + con.cosBOATphi * con.cosBOATthe * deck_y -
         (Xw - con.BOAT_loc_X) * con.sinBOATphi / con.cosBOATphi -
         (Zw - con.BOAT_loc_Z) * con.sinBOATthe / con.cosBOATthe;
}

void deck_velocity(float* vx, float* vz) {
  // A rolling and pitching deck moves under the wheels; its arm is the deck height.
  *vx = *vz = 0.0f;
  if (env.over_carr) {
    *vx = phi_dot_now(37) * con.degtorad * CARRIER_DECK;
    *vz = the_dot_now(37) * con.degtorad * CARRIER_DECK;
  } else if (env.over_frig) {
    *vx = phi_dot_now(36) * con.degtorad * FRIGATE_DECK;
    *vz = the_dot_now(36) * con.degtorad * FRIGATE_DECK;
  }
}

float hard_surface_h(float Xw, float Zw) {
  if (env.over_carr) return deck_height(Xw, Zw, CARRIER_DECK);
  if (env.over_frig) return deck_height(Xw, Zw, FRIGATE_DECK);
  if (env.over_obs) return obs_height;
  return find_local_h(Xw, Zw, env.i_aircraft, env.j_aircraft);
}

// The brake on main wheel n (1 left, 2 right), 0..1. Without toe brakes or steering, the
// steering input brakes one main wheel and frees the other, so the aircraft turns on the ground by
// differential braking.
static float main_brake(int n, float steer) {
  float b = set.parkbrake;
  if (set.eq_toebrakes) b += set.toe_brake[n - 1];
  if (!set.eq_toebrakes && !pln.nwsteerEQ) b += n == 1 ? -0.5f * steer : 0.5f * steer;
  return fltlim(b, 0.0f, 1.0f);
}

int handle_contact_point(int n, float x, float y, float z) {
  const float mu = surface_friction();
  const float mu_roll = 0.04f;
  const float mu_brake = 0.9f * mu;
  const float mu_slide = mu;
  const bool leg = n <= 2;

  float spring = pln.skidcon, damper = pln.skiddmp;
  if (n == 0) {
    spring = pln.ngearcon;
    damper = pln.ngeardmp;
  } else if (leg) {
    spring = pln.mgearcon;
    damper = pln.mgeardmp;
  }

  float deck_vx, deck_vz;
  deck_velocity(&deck_vx, &deck_vz);

  const float Xw = x * flt.cospsi + static_cast<float>(flt.X) - z * flt.sinpsi;
  const float Zw = z * flt.cospsi + static_cast<float>(flt.Z) + x * flt.sinpsi;
  const float ground = hard_surface_h(Xw, Zw);
  surface_h[n] = ground;

  // Compression (positive below the surface) and the point's sinking speed.
  float def = ground - flt.h + z * flt.sinthe + x * flt.sinphi - y * flt.costhe * flt.cosphi;
  const float vp = flt.vu - z * flt.Qrad - x * flt.Prad;
  const float Fn = dampedforce(def, -vp, spring, damper);
  flt.geardef[n] = fltmax2(def, 0.0f);

  // A hard touchdown can tear a leg off, with a one-in-five chance in each such frame.
  if (leg && flt.geardef[n] > 0.01f && vp < -10.0f && fltrand(0.0f, 1.0f) < 0.2f)
    set.gear_stat[n] = 0;

  // Ground track relative to the surface under the point, and the angle between it and the
  // heading. Friction along the heading follows the speed along it up to 1 m/s, so it brings a
  // wheel to rest without ever pushing it backwards, reverses when the aircraft rolls backwards,
  // and leaves a point sliding sideways to the side friction alone: a skid drifting across the
  // ground at touchdown is not also dragged backwards by the full friction.
  const float east = static_cast<float>(flt.vX) - deck_vx;
  const float north = static_cast<float>(flt.vZ) - deck_vz;
  const float track = fltwrap(std::atan2(east, north) * con.radtodeg, 0.0f, 360.0f);
  const float Vg = pythag(east, north);
  const float beta = fltwrap(flt.psi - track, -180.0f, 180.0f);
  const float fdir = fltlim(std::cos(beta * con.degtorad) * Vg, -1.0f, 1.0f);

  // Steering input: the pedals when fitted, else the stick's roll.
  const float steer = set.eq_ped ? set.YK_hdng : set.YK_roll;

  float Fa, hold = 0.0f;
  if (n == 0) {
    hold = Fn * mu_roll;
    Fa = hold * fdir;
  } else if (leg) {
    hold = Fn * (mu_roll + (mu_brake - mu_roll) * main_brake(n, steer));
    Fa = hold * fdir;
  } else {
    Fa = Fn * mu_slide * fdir;
    // What the skids, hull and floats can hold standing still, on the left and on the right; a
    // point on the centre line (a hull's keel) bears on both sides.
    if (n >= 3 && n <= 7) {
      const float hold_here = Fn * mu_slide;
      if (x <= 0.0f) flt.skidhold[0] += x < 0.0f ? hold_here : 0.5f * hold_here;
      if (x >= 0.0f) flt.skidhold[1] += x > 0.0f ? hold_here : 0.5f * hold_here;
    }
  }

  const float vs = fltlim(std::sin(beta * con.degtorad) * Vg + flt.Rrad * z, -1.0f, 1.0f);
  float Fs = (leg ? mu_brake : mu_slide) * Fn * vs;
  const bool tail_wheel = pln.ngearZ > pln.mgearZ;
  if (n == 0 && !tail_wheel && !pln.nwsteerEQ) Fs = 0.0f;  // a castoring nose wheel
  if ((n == 1 || n == 2) && tail_wheel) Fs *= 0.5f;

  if (leg) {
    flt.gearf[n] = Fn;
    flt.gearhold[n] = hold;
  }

  if (n == 0 && Fn > 1.0f) {
    if (pln.nwsteerEQ) {
      // The stick's travel without its response ratio; a zero ratio leaves no travel to steer.
      const float s = set.joy_rat_hdng != 0.0f ? steer / set.joy_rat_hdng : 0.0f;
      const float g1 = fltlim(interp(0.5f, 1.0f, 1.0f, 5.0f, std::fabs(s)), 1.0f, 5.0f);
      // A steered wheel turns the aircraft by how fast it rolls along its heading over the
      // surface, not through the air: parked in a wind, or pivoting about its main wheels (which
      // swings the centre of gravity sideways), it does not turn, and a turn cannot feed itself.
      const float rolling = Vg * std::cos(beta * con.degtorad);
      const float g2 = fltlim(interp(0.0f, 5.0f, 20.0f, 1.0f, std::fabs(rolling)), 1.0f, 5.0f);
      const float wheelbase = pln.mgearZ - pln.ngearZ;
      if (wheelbase != 0.0f) {
        flt.R = rolling * (g1 * g2 * s) * pln.nwsteer / wheelbase;
        flt.Rrad = flt.R * con.degtorad;
      }
    } else if (flt.v < 1.0f && main_brake(1, steer) == main_brake(2, steer)) {
      // Nearly at rest, a wheel that cannot steer keeps the aircraft from turning, unless the
      // pilot brakes one side harder: that is how such an aircraft turns slowly or in place.
      flt.R = 0.0f;
      flt.Rrad = 0.0f;
    }
  }
  // Skids do not let the aircraft spin on the ground: this frame's yaw acceleration brings the
  // yaw rate to zero.
  if (n >= 3 && n <= 6 && Fn > 1.0f) flt.R = -flt.Rdot * msc.prd;

  addFagear(-Fa, x, y);
  addFsgear(Fs, z, y);
  addFngear(Fn, z, x);

  if (set.cycout) {
    trk << "contact point " << n << ": surface height=" << surface_h[n]
        << " m, compression=" << flt.geardef[n] << " m, sink speed=" << vp
        << " m/s, normal force=" << Fn << " N, axial friction=" << -Fa << " N, side friction=" << Fs
        << " N\n";
  }
  if (Fn > 0.0f) {
    flt.onsurface = 1;
    return 1;
  }
  return 0;
}
