// The screens' own fields, screen by screen, and which parts and bodies each screen shapes. The
// ranges are those Kestrix accepts (zero speeds, weights, rpm or spool times it refuses); the
// cross-field rules (idle below maximum rpm, empty below maximum weight) are screens.cpp's. Each
// value shows the decimals the aircraft file keeps of it, and is rounded to them as it is typed,
// so that the least value of a range is still one Kestrix accepts once saved.
#include "editor/editor.h"
#include "editor/screens.h"

#include "aircraft/aircraft.h"
#include "shared/shared.h"

namespace {

constexpr float BIG = 1.0e6f;  // weights, thrusts and moments: far beyond any aircraft
constexpr float ARM = 500.0f;  // positions, ft either way of the reference point

constexpr form_field ft(const char* name, float* f, float lo = -ARM, float hi = ARM) {
  return field_number(name, name, "ft", f, lo, hi, 0.1f, 1);
}
constexpr form_field lb(const char* name, float* f, float lo = 0.0f) {
  return field_number(name, name, "lb", f, lo, BIG, 10.0f, 0);
}
constexpr form_field deg(const char* name, float* f, float lo, float hi, int decimals = 1) {
  return field_number(name, name, "deg", f, lo, hi, 1.0f, decimals);
}
constexpr form_field rpm(const char* name, float* f, float lo) {
  return field_number(name, name, "rpm", f, lo, 100000.0f, 10.0f, 0);
}
constexpr form_field area(const char* name, float* f, float hi, int decimals = 0) {
  return field_number(name, name, "sq ft", f, 0.0f, hi, decimals ? 0.1f : 1.0f, decimals);
}
constexpr form_field fraction(const char* name, float* f) {
  return field_number(name, name, nullptr, f, 0.0f, 1.0f, 0.01f, 2);
}
constexpr form_field check(const char* name, int* i) { return field_check(name, name, i); }

const form_field viewpoint[] = {
    field_text("tail number", "tail number", pln.tailnum, 40),
    ft("pilot's eye aft", &pln.peZ),
    ft("pilot's eye right", &pln.peX),
    ft("pilot's eye up", &pln.peY),
};

const char* const instruments =
    "none|airspeed|artificial horizon|altimeter|supplementary|turn-slip|directional gyro|"
    "vertical speed|ADF";

// A helicopter may leave its speeds at zero; an aeroplane may not (screens.cpp refuses it).
const form_field panel[] = {
    field_choice("airspeed units", "airspeed units", &pln.asi_units, 1, 2, "mph|knots"),
    field_number("Vso", "Vso, stall with full flaps", nullptr, &pln.Vso, 0.0f, 2000.0f, 1.0f, 0),
    field_number("Vs", "Vs, stall clean", nullptr, &pln.Vs, 0.0f, 2000.0f, 1.0f, 0),
    field_number("Vfe", "Vfe, flaps extended", nullptr, &pln.Vfe, 0.0f, 2000.0f, 1.0f, 0),
    field_number("Vno", "Vno, normal operating", nullptr, &pln.Vno, 0.0f, 2000.0f, 1.0f, 0),
    field_number("Vne", "Vne, never exceed", nullptr, &pln.Vne, 0.0f, 2000.0f, 1.0f, 0),
    field_number("Mmo", "Mmo, maximum Mach", nullptr, &pln.Mmo, 0.0f, 5.0f, 0.01f, 2),
    field_choice("panel type", "panel type", &pln.paneltype, 1, 2, "standard|glass"),
    field_number("radio type", "radio type", nullptr, &pln.radiotype, 1, 9),
    field_number("airspeed indicator", "airspeed indicator", nullptr, &pln.AStype, 1, 3),
    field_number("equipment", "equipment", nullptr, &pln.supptype, 1, 7),
    field_number("head-up display", "head-up display", nullptr, &pln.HUDtype, 0, 9),
    field_choice("vertical speed scale", "vertical speed scale", &pln.VVItype, 1, 2,
                 "2,000 ft/min|6,000 ft/min"),
    new_column(array_of(
        field_choice("instrument", "instrument", &pln.ins_of_loc[1], 0, 8, instruments),
        PANEL_LOCS - 1, "upper 1|upper 2|upper 3|upper 4|lower 1|lower 2|lower 3|lower 4")),
};

const form_field force_feedback[] = {
    check("hydraulic controls", &pln.ff_hydraulic),
    check("stick shaker", &pln.ff_stickshaker),
};

int has_vectoring() { return pln.vectEQ; }

const form_field engines[] = {
    field_choice("engine type", "engine type", &pln.entype, 0, 3, "none|piston|turboprop|jet"),
    field_number("engines", "engines", nullptr, &pln.numen, 0, MAX_ENGINES),
    field_number("power", "power per engine", "hp", &pln.pmax, 0.0f, BIG, 10.0f, 1),
    field_number("critical altitude", "critical altitude", "ft", &pln.critalt, 0.0f, 100000.0f,
                 100.0f, 0),
    rpm("idle rpm", &pln.omegamin, 1.0f),
    rpm("maximum rpm", &pln.omegamax, 1.0f),
    rpm("green arc low", &pln.omegamingreen, 0.0f),
    rpm("green arc high", &pln.omegamaxgreen, 0.0f),
    lb("jet thrust", &pln.tmax),
    field_number("spool time", "spool time", "s", &pln.spooltime, 1.0f, 100.0f, 1.0f, 0),
    check("bypass", &pln.bypass),
    area("jet face area", &pln.facejet, 1000.0f),
    lb("afterburner thrust", &pln.burnerinc),
    check("reverse thrust", &pln.revthrustEQ),
    deg("engine vertical cant", &pln.vertcant[0], -180.0f, 180.0f),
    deg("engine side cant", &pln.sidecant[0], -180.0f, 180.0f),
    check("thrust vectoring", &pln.vectEQ),
    // Kept as 1 + arm / 100 with five decimals, and only with vectoring: the file of an aircraft
    // without it holds no arm, so an arm typed then would be gone once the file is opened again.
    applies_when(field_number("vectoring arm", "vectoring arm", "ft", &pln.vectarm, -99.0f, 99.0f,
                              0.1f, 3),
                 has_vectoring),
    check("variable pitch", &pln.varpitchEQ),
};

const form_field rotor_system[] = {
    field_number("tail rotor gearing", "tail rotor / main rotor speed", nullptr, &pln.trotor_rat,
                 0.0f, 20.0f, 0.1f, 1),
    deg("tail rotor vertical cant", &pln.vertcant[1], -180.0f, 180.0f),
    deg("tail rotor side cant", &pln.sidecant[1], -180.0f, 180.0f),
};

const form_field control_geometry[] = {
    fraction("aileron chord", &pln.ailn_crat),
    fraction("elevator chord", &pln.elev_crat),
    fraction("rudder chord", &pln.rudd_crat),
    fraction("spoiler chord", &pln.splr_crat),
    fraction("yaw brake chord", &pln.drud_crat),
    fraction("speed brake chord", &pln.sbrk_crat),
    deg("aileron up", &pln.ailn_up, 0.0f, 90.0f),
    deg("aileron down", &pln.ailn_dn, 0.0f, 90.0f),
    deg("elevator up", &pln.elev_up, 0.0f, 90.0f),
    deg("elevator down", &pln.elev_dn, 0.0f, 90.0f),
    new_column(deg("rudder", &pln.rudd_def, 0.0f, 90.0f)),
    deg("spoiler", &pln.splr_def, 0.0f, 90.0f),
    deg("yaw brake", &pln.drud_def, 0.0f, 90.0f),
    deg("speed brake", &pln.sbrk_def, 0.0f, 90.0f),
    deg("slat gain", &pln.slat_inc, 0.0f, 45.0f, 0),
    field_choice("surface finish", "surface finish", &pln.con_smooth, 1, 3, "rough|fair|smooth"),
    field_text("flap file", "flap file", pln.flap_str, STR_SIZE),
};

int is_plane() { return !pln.is_heli; }

const form_field horizontal_stab[] = {
    field_choice("tail type", "tail type", &pln.hstabtype, 0, 1, "stabilizer|stabilator"),
    // The trim turns the whole stabilizer, up to this many degrees either way. Kestrix trims a
    // helicopter its own way, whatever the file holds.
    applies_when(deg("stabilizer trim", &pln.hstbtrimmax, 0.0f, 45.0f), is_plane),
};

const form_field fuselage[] = {
    field_number("drag coefficient", "drag coefficient", nullptr, &pln.fuse_cd, 0.0f, 2.0f, 0.01f,
                 3),
    check("in the propwash", &pln.fusewash),
};

const form_field nacelles[] = {
    check("nacelles", &pln.nace_eq),
    field_label("nacelles 2 to 4 are copies of nacelle 1", 320),
};

const form_field misc_bodies[] = {
    check("tanks or floats", &pln.misc_eq),
    ft("aft", &pln.misc_Z),
    // The two stand this far either side; Kestrix leaves out the second when this is not above 0.
    ft("right", &pln.misc_X, 0.0f, ARM),
    ft("up", &pln.misc_Y),
    field_label("the second one is a copy of the first, on the other side", 320),
};

const form_field weight_balance[] = {
    ft("centre of gravity aft", &pln.cgZ),
    ft("centre of gravity up", &pln.cgY),
    // Kestrix refuses an aircraft that weighs less than a kilogram.
    lb("empty weight", &pln.m_empty, 3.0f),
    lb("maximum weight", &pln.m_max, 3.0f),
    lb("fuel", &pln.m_fuel),
    lb("jettisonable load", &pln.m_jettison),
};

const form_field landing_gear[] = {
    check("wheels", &pln.gearEQ),
    check("retractable", &pln.retractEQ),
    // Kestrix turns the angle round itself for a wheel behind the main gear: a negative one would
    // steer the wrong way.
    deg("steering", &pln.nwsteer, 0.0f, 90.0f),
    area("gear drag area", &pln.sgear, 100.0f, 1),
    ft("steered wheel aft", &pln.ngearZ),
    ft("steered wheel up", &pln.ngearY),
    ft("main gear aft", &pln.mgearZ),
    ft("main gear right", &pln.mgearX, 0.0f, ARM),
    ft("main gear up", &pln.mgearY),
};

const form_field skid[] = {
    check("skids", &pln.skidEQ),
    ft("skid front aft", &pln.skidZ),
    ft("skid right", &pln.skidX, 0.0f, ARM),
    ft("skid up", &pln.skidY),
    ft("skid length", &pln.skidl, 0.0f, ARM),
};

const form_field special_controls[] = {
    ft("rocket aft", &pln.jatoZ),
    ft("rocket up", &pln.jatoY),
    wrapping(deg("rocket angle", &pln.jatotheta, 0.0f, 360.0f, 0)),
    lb("rocket thrust", &pln.jatothrust),
    field_number("rocket burn time", "rocket burn time", "s", &pln.jatodur, 0.0f, 600.0f, 1.0f, 0),
    deg("stabilizer with roll", &pln.stabroll, -45.0f, 45.0f),
    deg("ailerons with pitch", &pln.ailpitch, -45.0f, 45.0f),
    deg("ailerons with flaps", &pln.ailflaps, -45.0f, 45.0f, 0),
    area("speed brake area", &pln.speedbrake_area, 500.0f),
    area("drag chute area", &pln.chute_area, 5000.0f),
    new_column(check("anti-ice", &pln.antiiceEQ)),
    check("arresting hook", &pln.arrestingEQ),
    check("spoken warnings", &pln.bitchinbettyEQ),
    check("automatic speed brakes", &pln.autosbrkEQ),
    check("automatic wheel brakes", &pln.autofbrkEQ),
    check("automatic sweep", &pln.autosweepEQ),
    check("automatic slats", &pln.autoslatEQ),
};

const form_field vtol_controls[] = {
    deg("pitch cyclic", &pln.elevcyclic, 0.0f, 45.0f, 0),
    deg("roll cyclic", &pln.ailncyclic, 0.0f, 45.0f, 0),
    field_number("roll puffers", "roll puffers", "ft lb", &pln.puffL, 0.0f, BIG, 10.0f, 0),
    field_number("pitch puffers", "pitch puffers", "ft lb", &pln.puffM, 0.0f, BIG, 10.0f, 0),
    field_number("yaw puffers", "yaw puffers", "ft lb", &pln.puffN, 0.0f, BIG, 10.0f, 0),
};

constexpr form_field gain(const char* name, float* f) {
  return field_number(name, name, nullptr, f, -100.0f, 100.0f, 0.1f, 3);
}
constexpr form_field authority(const char* name, float* f) {
  return field_number(name, name, "deg", f, 0.0f, 90.0f, 1.0f, 3);
}

const form_field stability[] = {
    field_number("low speed", "low speed", "kt", &pln.ASloV, 0.0f, 2000.0f, 1.0f, 0),
    authority("pitch authority low", &pln.ASmaxp1),
    gain("pitch gain low", &pln.ASp1),
    authority("heading authority low", &pln.ASmaxh1),
    gain("heading gain low", &pln.ASh1),
    authority("roll authority low", &pln.ASmaxr1),
    gain("roll gain low", &pln.ASr1),
    new_column(field_number("high speed", "high speed", "kt", &pln.AShiV, 1.0f, 2001.0f, 1.0f, 0)),
    authority("pitch authority high", &pln.ASmaxp2),
    gain("pitch gain high", &pln.ASp2),
    authority("heading authority high", &pln.ASmaxh2),
    gain("heading gain high", &pln.ASh2),
    authority("roll authority high", &pln.ASmaxr2),
    gain("roll gain high", &pln.ASr2),
};

template <int N>
constexpr screen_def own(int w, const form_field (&f)[N], int body = -1) {
  return {w, f, N, {0, 0, 0, 0}, 0, -1, 0, body};
}
constexpr screen_def parts(int w, int part, int twin, int expert, const form_field* f = nullptr,
                           int n = 0) {
  return {w, f, n, {part, 0, 0, 0}, 1, twin, expert, -1};
}
constexpr screen_def discs(int w, int expert) {
  return {w, nullptr, 0, {0, 1, 2, 3}, MAX_ENGINES, -1, expert, -1};
}

}  // namespace

const screen_def screen_defs[] = {
    // The aeroplane's screens, then its expert screens.
    own(1, viewpoint),
    own(2, panel),
    own(4, force_feedback),
    own(6, engines),
    discs(7, 0),
    parts(9, PART_WING1_RIGHT, PART_WING1_LEFT, 0),
    parts(10, PART_WING2_RIGHT, PART_WING2_LEFT, 0),
    parts(11, PART_HSTAB_RIGHT, PART_HSTAB_LEFT, 0, horizontal_stab, count_of(horizontal_stab)),
    parts(12, PART_VSTAB1, -1, 0),
    parts(13, PART_VSTAB2, -1, 0),
    own(15, control_geometry),
    own(17, fuselage, PART_FUSELAGE),
    own(18, nacelles, PART_NACELLE1),
    own(19, misc_bodies, PART_MISC1),
    own(21, weight_balance),
    own(23, landing_gear),
    discs(24, 1),
    parts(25, PART_WING1_RIGHT, PART_WING1_LEFT, 1),
    parts(26, PART_WING2_RIGHT, PART_WING2_LEFT, 1),
    parts(27, PART_HSTAB_RIGHT, PART_HSTAB_LEFT, 1),
    parts(28, PART_VSTAB1, -1, 1),
    parts(29, PART_VSTAB2, -1, 1),
    own(31, special_controls),
    own(32, vtol_controls),
    own(34, stability),
    // The helicopter's.
    own(35, viewpoint),
    own(36, panel),
    own(38, force_feedback),
    own(40, engines),
    parts(41, PART_MAIN_ROTOR, -1, 0),
    parts(42, PART_TAIL_ROTOR, -1, 0),
    own(43, rotor_system),
    parts(45, PART_HSTAB_RIGHT, PART_HSTAB_LEFT, 0, horizontal_stab, count_of(horizontal_stab)),
    parts(46, PART_VSTAB1, -1, 0),
    parts(47, PART_VSTAB2, -1, 0),
    own(49, fuselage, PART_FUSELAGE),
    own(50, nacelles, PART_NACELLE1),
    own(51, misc_bodies, PART_MISC1),
    own(53, weight_balance),
    own(55, landing_gear),
    own(56, skid),
    parts(57, PART_MAIN_ROTOR, -1, 1),
    parts(58, PART_TAIL_ROTOR, -1, 1),
    parts(59, PART_HSTAB_RIGHT, PART_HSTAB_LEFT, 1),
    own(61, stability),
};
const int screen_def_count = count_of(screen_defs);
