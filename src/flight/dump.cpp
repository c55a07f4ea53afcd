// The one-cycle dump: a labelled account of one frame's computation, written to the data-output
// stream trk while set.cycout is armed.
#include "flight/flight.h"
#include "flight/local.h"

#include "app/macibm.h"

void dump_text(const char* text) { trk << text; }

void dump_value(const char* label, float value, const char* tail) {
  trk << label << ' ' << value << tail;
}

void dump_banner(const char* label) {
  // A line of bullet characters (byte 0xA5) above and below the label, so that each surface's
  // section stands out in a long dump.
  const char bullets[] =
      "\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5\xA5";
  trk << "\n"
      << bullets << bullets << "\n"
      << bullets << ' ' << label << ' ' << bullets << "\n"
      << bullets << bullets << "\n";
}

void dump_aero_report() {
  dump_value("   aero f_axial =", flt.faxilaero, " N\n");
  dump_value("   aero f_side  =", flt.fsideaero, " N\n");
  dump_value("   aero f_normal=", flt.fnrmlaero, " N\n");
  dump_value("   L (roll) =", flt.L, " N-m\n");
  dump_value("   M (pitch)=", flt.M, " N-m\n");
  dump_value("   N (yaw)  =", flt.N, " N-m\n");
}

void dump_prop_report() {
  dump_value("   prop f_axial =", flt.faxilprop, " N\n");
  dump_value("   prop f_side  =", flt.fsideprop, " N\n");
  dump_value("   prop f_normal=", flt.fnrmlprop, " N\n");
  dump_value("   L (roll) =", flt.L, " N-m\n");
  dump_value("   M (pitch)=", flt.M, " N-m\n");
  dump_value("   N (yaw)  =", flt.N, " N-m\n");
}
