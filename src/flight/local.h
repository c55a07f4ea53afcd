// What the flight files share among themselves and no other subsystem calls: the one-cycle dump
// writer and the resets of state the force pass carries between frames.
#pragma once

#include "app/app.h"
#include "app/macibm.h"

// The dump is armed for the first sub-step of one frame; every writer checks this first, so an
// unarmed frame pays one test per report.
inline bool dumping() { return set.cycout != 0; }

// x truncated towards zero and held to lo..hi; NaN gives lo. Every float that becomes an index or
// an int on the per-frame path goes through here, so that no value can make the conversion
// undefined or reach beyond a table.
inline int truncate_in(float x, int lo, int hi) {
  if (!(x >= static_cast<float>(lo))) return lo;
  if (!(x <= static_cast<float>(hi))) return hi;
  return static_cast<int>(x);
}

// Text, a labelled value followed by `tail`, and a banner line of bullets around a label, all to
// the data-output stream trk.
void dump_text(const char* text);
void dump_value(const char* label, float value, const char* tail = "\n");
void dump_banner(const char* label);
// The accumulators as they stand: aerodynamic, propulsive and ground forces with the moments.
void dump_aero_report();
void dump_prop_report();

// Clear the touch flags of the contact step.
void reset_touch_flags();
