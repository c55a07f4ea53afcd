// Set-up shared by the panel tests: a clean world with a small single-engine aircraft laid out on
// the panel, and the warnings' sounds and stick forces collected instead of played.
#pragma once

#include "support/test_support.h"

#include <string>
#include <vector>

#include "aircraft/aircraft.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "panel/panel_local.h"
#include "shared/shared.h"
#include "world/world.h"

// One sound or stick command the warnings gave: kind 'p' play, 'l' loop, 's' stop, 'f' force.
struct cue {
  char kind;
  int n;
  bool operator==(const cue& o) const { return kind == o.kind && n == o.n; }
};
inline std::vector<cue>& cues() {
  static std::vector<cue> c;
  return c;
}
inline void cue_play(int n, int loop) { cues().push_back({loop ? 'l' : 'p', n}); }
inline void cue_stop(int n) { cues().push_back({'s', n}); }
inline void cue_force(int code, int, int, int) { cues().push_back({'f', code}); }
// The sounds started, in order.
inline std::vector<int> sounds_played() {
  std::vector<int> s;
  for (const cue& c : cues())
    if (c.kind == 'p' || c.kind == 'l') s.push_back(c.n);
  return s;
}

// A trainer-like single with the six basic instruments, the supplementary one and the ADF, its
// panel laid out as the loader lays it out.
inline void make_test_aircraft() {
  pln.asi_units = 2, pln.Vso = 50, pln.Vs = 55, pln.Vfe = 100, pln.Vno = 130, pln.Vne = 160;
  pln.paneltype = pln.radiotype = pln.AStype = pln.supptype = pln.VVItype = 1;
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = loc;
  layout_panel_locations();
  finish_readin2();
  pln.entype = 1, pln.numen = 1, pln.pmax = 120000.0f, pln.omegamin = 60.0f, pln.omegamax = 280.0f;
  pln.omegamingreen = 200.0f, pln.omegamaxgreen = 270.0f, pln.varpitchEQ = 1, pln.flapEQ = 1;
  pln.retractEQ = 1, pln.m_fuel = 150.0f, pln.hstbtrimmax = 0.5f;
  pln.semilen[4] = pln.semilen[5] = 5.0f, pln.alpha_max[4] = pln.alpha_max[5] = 16.0f;
  pln.mgearY = -1.0f, pln.h_eqlbm = 1.0f, msc.est_Vs = 25.0f;
}

// The committed sample aircraft, and one read into pln as the loader lays out its panel.
const char* const shipped_aircraft[] = {
    "Trainer.acf",    "Light Twin.acf",          "Floatplane.acf",
    "Helicopter.acf", "Turboprop Transport.acf", "Business Jet.acf"};
inline bool read_shipped_panel(const char* file) {
  std::string path = std::string(KESTRIX_SOURCE_DIR) + "/data/aircraft/" + file;
  reset_pln();
  if (!inf_open(path.c_str(), FILE_AIRCRAFT, VERSION_AIRCRAFT, 1)) return false;
  read_plane_file();
  inf.close();
  finish_readin2();
  return true;
}

// The slot showing this instrument, or -1; and the lever slot of this lever, or null.
inline int slot_of_instrument(int instrument) {
  for (int s = 1; s < PANEL_SLOTS; s++)
    if (lay.ins[s] == instrument && lay.rad[s] > 0) return s;
  return -1;
}
inline const lever_slot* slot_of(int lever, int engine = -1) {
  for (int i = 0; i < lay.nlevers; i++)
    if (lay.lever[i].lever == lever && lay.lever[i].engine == engine) return &lay.lever[i];
  return nullptr;
}

// Whether rectangle a lies wholly inside rectangle o.
inline bool contains(const panel_rect& o, const panel_rect& a) {
  return a.x >= o.x && a.y >= o.y && a.x + a.w <= o.x + o.w && a.y + a.h <= o.y + o.h;
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    init_tape();
    init_nav_pic();
    make_test_aircraft();
    ins.baro = 29.92f;
    reset_panel();
    cues().clear();
    panel_play_hook = cue_play, panel_stop_hook = cue_stop, panel_force_hook = cue_force;
    panel_layout_now();
  }
  void TearDown() override {
    panel_play_hook = saved_play, panel_stop_hook = saved_stop, panel_force_hook = saved_force;
  }
  void (*saved_play)(int, int) = panel_play_hook;
  void (*saved_stop)(int) = panel_stop_hook;
  void (*saved_force)(int, int, int, int) = panel_force_hook;
};
