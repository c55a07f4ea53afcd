// The field lists of the aircraft file's part sections, which the writer, the simulator's reader
// and the editor's reader all walk, and the file units with their conversions to SI.
#include "aircraft/aircraft.h"
#include "shared/shared.h"

float acf_to_si(float v, acf_unit u) {
  switch (u) {
    case UNIT_FT:
      return v * con.fttomtrs;
    case UNIT_INCH:
      return v * con.fttomtrs / 12.0f;
    case UNIT_RPM:
      return v * con.rpmtorsc;
    case UNIT_KT:
      return v * con.ktstomsc;
    case UNIT_NONE:
    case UNIT_DEG:
      break;
  }
  return v;
}

namespace {
constexpr float NO_RANGE_LO = 1.0f, NO_RANGE_HI = 0.0f;

constexpr acf_part_field name(const char* label, char (*field)[400]) {
  return {label, "", ACF_NAME, 0, UNIT_NONE, 0, NO_RANGE_LO, NO_RANGE_HI, field, nullptr, nullptr};
}
constexpr acf_part_field whole(const char* label, const char* comment, acf_kind kind, acf_unit unit,
                               int* field, int discs_only = 0) {
  return {label,       comment,     kind,    0,     unit,   discs_only,
          NO_RANGE_LO, NO_RANGE_HI, nullptr, field, nullptr};
}
constexpr acf_part_field real(const char* label, const char* comment, int decimals, acf_unit unit,
                              float* field, int discs_only = 0) {
  return {label,       comment,     ACF_FLOAT, decimals, unit, discs_only,
          NO_RANGE_LO, NO_RANGE_HI, nullptr,   nullptr,  field};
}
}  // namespace

const acf_part_field acf_part_fields[] = {
    name("root airfoil", pln.Rafl0),
    name("root airfoil, second Reynolds number", pln.Rafl1),
    name("tip airfoil", pln.Tafl0),
    name("tip airfoil, second Reynolds number", pln.Tafl1),
    whole("rotation direction", " rotation dir\n", ACF_ROTATION, UNIT_NONE, pln.propdir, 1),
    real("number of blades", " number blades\n", 0, UNIT_NONE, pln.numblades, 1),
    real("design advance per revolution", " design advance per rev (inches)\n", 1, UNIT_INCH,
         pln.des_adv, 1),
    real("design rpm", " design rpm\n", 1, UNIT_RPM, pln.des_rpm, 1),
    real("design speed", " design speed (kt)\n", 1, UNIT_KT, pln.des_vel, 1),
    real("flat pitch", " flat pitch\n", 0, UNIT_DEG, pln.minpitch, 1),
    real("open pitch", " open pitch\n", 0, UNIT_DEG, pln.maxpitch, 1),
    whole("sweep", " sweep1, deg\n", ACF_DEGREES, UNIT_DEG, pln.sweep1),
    whole("second sweep", " sweep2, deg\n", ACF_DEGREES, UNIT_DEG, pln.sweep2),
    whole("dihedral", " dihedral, deg\n", ACF_DEGREES, UNIT_DEG, pln.dihed),
    real("semi-length", " semi-length, ft\n", 1, UNIT_FT, pln.semilen),
    real("root chord", " cr, ft\n", 2, UNIT_FT, pln.Croot),
    real("tip chord", " ct, ft\n", 2, UNIT_FT, pln.Ctip),
    real("longitudinal arm", " long arm, ft\n", 1, UNIT_FT, pln.Zarm),
    real("lateral arm", " lat  arm, ft\n", 1, UNIT_FT, pln.Xarm),
    real("vertical arm", " vert arm, ft\n", 1, UNIT_FT, pln.Yarm),
    whole("second Reynolds number airfoils", " RE file interp\n", ACF_FLAG, UNIT_NONE, pln.diffRe),
    whole("separate tip airfoils", " root/tip file interp\n", ACF_FLAG, UNIT_NONE, pln.diffRT),
    whole("variable sweep", " variable sweep\n", ACF_SWITCH, UNIT_NONE, pln.varsweepEQ),
    {"elements", " integ sections\n", ACF_INT, 0, UNIT_NONE, 0, 1.0f, float(MAX_ELS), nullptr,
     pln.els, nullptr},
};
const int acf_part_field_count = sizeof acf_part_fields / sizeof acf_part_fields[0];

const acf_control_line acf_control_lines[] = {
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.ailn, &pln.ailnEQ, " ailn\n"},
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.splr, &pln.splrEQ, " splr\n"},
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.flap, &pln.flapEQ, " flap\n"},
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.slat, &pln.slatEQ, " slat\n"},
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.sbrk, &pln.sbrkEQ, " sbrk\n"},
    {PART_WING1_LEFT, PART_WING2_RIGHT, pln.drud, &pln.drudEQ, " drud\n"},
    {PART_HSTAB_LEFT, PART_HSTAB_RIGHT, pln.elev, &pln.elevEQ, " elev\n"},
    {PART_HSTAB_LEFT, PART_HSTAB_RIGHT, pln.flap, &pln.flapEQ, " flap\n"},
    {PART_HSTAB_LEFT, PART_HSTAB_RIGHT, pln.slat, &pln.slatEQ, " slat\n"},
    {PART_VSTAB1, PART_VSTAB2, pln.rudd, &pln.ruddEQ, " rudd\n"},
};
const int acf_control_line_count = sizeof acf_control_lines / sizeof acf_control_lines[0];
