// The instrument record and its reset.
#include "panel/panel.h"

#include <cstring>
#include <type_traits>

// The record is cleared in place, byte-wise, which is only sound while it stays plain data.
static_assert(std::is_trivially_copyable<instrumentstruct>::value, "ins must stay plain data");

instrumentstruct ins;

void reset_ins() {
  std::memset(&ins, 0, sizeof ins);
  ins.HUD_on = 1;
  ins.radar_on = 1;
  ins.map_mode = ins.arg_mode = 1;
  ins.map_range = ins.arg_range = ins.radar_range = 30;
  ins.HUD_color = 45;
  ins.ecam_mode = 3;
}
