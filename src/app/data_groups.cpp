// The data-output groups: the 51 numbered groups of flight quantities, each with its label, the
// display format of each value and the records its values come from, as one table.
#include "app/app.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// A group's label is four 9-character fields (a 4-character name, a blank, a 4-character unit)
// separated by blanks; unused fields are blank. dig and dec are the digits and decimals each value
// is shown with; `values` fills the four values, DATA_ABSENT where the group has none.
struct data_group {
  const char* label;
  unsigned char dig[GRF_VALUES], dec[GRF_VALUES];
  void (*values)(float v[GRF_VALUES]);
};

// The four engines' entries of an engine array, each times a factor.
static void engines_times(float v[GRF_VALUES], const float* a, float k) {
  for (int i = 0; i < GRF_VALUES; i++) v[i] = a[i] * k;
}

// Lift over drag, and each propeller's thrust power over its shaft power. At rest, and for an
// engine that is stopped or not fitted, these are nothing over nothing: absent, not a number.
static float ratio_or_absent(float num, float den) {
  if (!(std::fabs(den) > 1.0e-6f)) return DATA_ABSENT;
  return num / den;
}

static void prop_efficiencies(float v[GRF_VALUES]) {
  for (int i = 0; i < GRF_VALUES; i++)
    v[i] = i < pln.numen ? ratio_or_absent(flt.thrust[i] * flt.av, flt.power[i]) : DATA_ABSENT;
}

static float load_factor() {
  float ay = flt.aY + con.g;
  return std::sqrt(flt.aX * flt.aX + flt.aZ * flt.aZ + ay * ay) / con.g;
}

#define V1(a) v[0] = (a)
#define V2(a, b) v[0] = (a), v[1] = (b)
#define V3(a, b, c) v[0] = (a), v[1] = (b), v[2] = (c)
#define V4(a, b, c, d) v[0] = (a), v[1] = (b), v[2] = (c), v[3] = (d)

static const data_group groups[DATA_GROUPS_DEFINED] = {
    {"FREQ /sec TIME rtio", {4, 3}, {1, 2}, [](float* v) { V2(1.0f / msc.prd, msc.rtrat); }},
    {"TIME  sec", {4}, {0}, [](float* v) { V1(msc.elap_time); }},
    {"LTIM  hrs ZTIM  hrs", {3, 3}, {1, 1},
     [](float* v) { V2(msc.locl_time / 3600.0f, msc.zulu_time / 3600.0f); }},
    {"DRAT part", {4}, {3}, [](float* v) { V1(atm.crtsig); }},
    {" RHO sft3", {4}, {4}, [](float* v) { V1(atm.rho * con.medtoend); }},
    {"ALPH  deg BETA  deg", {4, 4}, {1, 1}, [](float* v) { V2(flt.Alpha, flt.Beta); }},
    {"HPTH  deg", {4}, {1}, [](float* v) { V1(flt.hpath); }},
    {"VPTH  deg", {4}, {1}, [](float* v) { V1(fltwrap(flt.vpath, -180.0f, 180.0f)); }},
    {"THT1 part THT2 part THT3 part THT4 part", {3, 3, 3, 3}, {2, 2, 2, 2},
     [](float* v) {
       for (int i = 0; i < 4; i++) v[i] = flt.thro[i] + 0.005f;
     }},
    {"PRP1  rpm PRP2  rpm PRP3  rpm PRP4  rpm", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.prop, con.rsctorpm); }},
    {"SWP1  deg SWP2  deg HSWP  deg TVEC  deg", {3, 3, 3, 3}, {0, 0, 0, 0},
     [](float* v) {
       V4(static_cast<float>(pln.sweepnow[4]), static_cast<float>(pln.sweepnow[6]),
          static_cast<float>(pln.sweepnow[8]), static_cast<float>(pln.vertcant[0]));
     }},
    {"ELEV yoke AILN yoke RUDD yoke", {3, 3, 3}, {2, 2, 2},
     [](float* v) { V3(set.YK_ptch, set.YK_roll, set.YK_hdng); }},
    {"ELEV surf AILN surf RUDD surf", {3, 3, 3}, {2, 2, 2},
     [](float* v) { V3(set.FC_ptch, set.FC_roll, set.FC_hdng); }},
    {"TRIM  deg FLAP part SLAT part", {4, 3, 3}, {2, 2, 2},
     [](float* v) { V3(flt.trim, flt.flap * 0.02f, flt.slat); }},
    {"GEAR  0/1 WBRK part WBRK part SPBK  0/1", {1, 3, 3, 1}, {0, 2, 2, 0},
     [](float* v) {
       V4(static_cast<float>(set.gear_handle), set.toe_brake[0], set.toe_brake[1],
          static_cast<float>(flt.sbrk));
     }},
    {"Vtru ktas Vind kias", {4, 4}, {0, 0}, [](float* v) { V2(flt.av * con.msctokts, flt.vind); }},
    {" VVI  fpm", {4}, {0}, [](float* v) { V1(flt.vu * con.msctofpm); }},
    {"MACH    #    G unit", {4, 3}, {2, 1}, [](float* v) { V2(flt.av / atm.a, load_factor()); }},
    {"   A ktas", {3}, {0}, [](float* v) { V1(atm.a * con.msctokts); }},
    {"   Q  psf", {4}, {0}, [](float* v) { V1(flt.Qstatic * con.meptoenp); }},
    {"   M ftlb    L ftlb    N ftlb", {4, 4, 4}, {0, 0, 0},
     [](float* v) { V3(flt.M * con.nmtoftlb, flt.L * con.nmtoftlb, flt.N * con.nmtoftlb); }},
    {"Qdot d/ss Pdot d/ss Rdot d/ss", {3, 3, 3}, {0, 0, 0},
     [](float* v) { V3(flt.Qdot, flt.Pdot, flt.Rdot); }},
    {"   Q  d/s    P  d/s    R  d/s", {4, 4, 4}, {1, 1, 1},
     [](float* v) { V3(flt.Q, flt.P, flt.R); }},
    {"PTCH  deg ROLL  deg", {3, 3}, {0, 0}, [](float* v) { V2(flt.the180, flt.phi180); }},
    {"HDNG true HDNG  mag MVAR  deg", {3, 3, 2}, {0, 0, 0},
     [](float* v) { V3(flt.psi, flt.magpsi, static_cast<float>(env.mvar)); }},
    {"dist   ft dist   nm", {4, 4}, {0, 0},
     [](float* v) { V2(flt.dist * con.mtrstoft, flt.dist * con.mtrstonm); }},
    {" LAT  deg  LON  deg  ALT   ft", {3, 4, 4}, {1, 1, 0},
     [](float* v) { V3(flt.lat, longitude_180(), flt.h * con.mtrstoft); }},
    {"   X    m    Y    m    Z    m", {4, 4, 4}, {0, 0, 0},
     [](float* v) {
       V3(static_cast<float>(flt.X), static_cast<float>(flt.Y), static_cast<float>(flt.Z));
     }},
    {"POWR 1,hp POWR 2,hp POWR 3,hp POWR 4,hp", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.power, con.watttohp); }},
    {"THST 1,lb THST 2,lb THST 3,lb THST 4,lb", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.thrust, con.ntntolbs); }},
    {"NTRQ ftlb NTRQ ftlb NTRQ ftlb NTRQ ftlb", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.trq, con.nmtoftlb); }},
    {"RPM1  rpm RPM2  rpm RPM3  rpm RPM4  rpm", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.tac, con.rsctorpm); }},
    {"PTCH  deg PTCH  deg PTCH  deg PTCH  deg", {2, 2, 2, 2}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.proppitch, 1.0f); }},
    {"PWSH   kt PWSH   kt PWSH   kt PWSH   kt", {3, 3, 3, 3}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.DVinc, con.msctokts); }},
    {"MP 1 inhg MP 2 inhg MP 3 inhg MP 4 inhg", {3, 3, 3, 3}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.mpr, 1.0f); }},
    {"N1 1 pcnt N1 2 pcnt N1 3 pcnt N1 4 pcnt", {3, 3, 3, 3}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.n1_, 1.0f); }},
    {"FF 1  rat FF 2  rat FF 3  rat FF 4  rat", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.ff_, con.kgstolbs * 3600.0f); }},
    {"LIFT   lb DRAG   lb SIDE   lb", {4, 4, 4}, {0, 0, 0},
     [](float* v) {
       V3(flt.fnrmlaero * con.ntntolbs, flt.faxilaero * con.ntntolbs,
          flt.fsideaero * con.ntntolbs);
     }},
    {"NORM   lb AXIL   lb SIDE   lb", {4, 4, 4}, {0, 0, 0},
     [](float* v) {
       V3(flt.fnrmlprop * con.ntntolbs, flt.faxilprop * con.ntntolbs,
          flt.fsideprop * con.ntntolbs);
     }},
    {"NOSE f,lb LEFT f,lb RIGT f,lb", {4, 4, 4}, {0, 0, 0},
     [](float* v) {
       V3(flt.gearf[0] * con.ntntolbs, flt.gearf[1] * con.ntntolbs, flt.gearf[2] * con.ntntolbs);
     }},
    {" L/D  rat", {4}, {2}, [](float* v) { V1(ratio_or_absent(-flt.fnrmlaero, flt.faxilaero)); }},
    {"PEF1  rat PEF2  rat PEF3  rat PEF4  rat", {4, 4, 4, 4}, {3, 3, 3, 3}, prop_efficiencies},
    {"AILN  deg AILN  deg", {3, 3}, {1, 1}, [](float* v) { V2(flt.lailndef, flt.railndef); }},
    {"SPLR  deg SPLR  deg", {3, 3}, {1, 1}, [](float* v) { V2(flt.lsplrdef, flt.rsplrdef); }},
    {"ELEV  deg ELEV  deg", {3, 3}, {1, 1}, [](float* v) { V2(flt.lhstbdef, flt.rhstbdef); }},
    {"RUDD  deg", {3}, {1}, [](float* v) { V1(flt.ruddef); }},
    {"DRUD  deg DRUD  deg", {3, 3}, {1, 1}, [](float* v) { V2(flt.ldruddef, flt.rdruddef); }},
    {"CYCL  deg CYCL  deg", {3, 3}, {1, 1}, [](float* v) { V2(flt.elevcyclic, flt.ailncyclic); }},
    {"PALD   lb FUEL   lb JETI   lb", {4, 4, 4}, {0, 0, 0},
     [](float* v) {
       V3(flt.m_fixed * con.kgstolbs, flt.m_fuel * con.kgstolbs, flt.m_jettison * con.kgstolbs);
     }},
    {"EMPTY  lb GROS   lb", {4, 4}, {0, 0},
     [](float* v) { V2(pln.m_empty * con.kgstolbs, flt.m_total * con.kgstolbs); }},
    {"FF#1 lb/h FF#2 lb/h FF#3 lb/h FF#4 lb/h", {4, 4, 4, 4}, {0, 0, 0, 0},
     [](float* v) { engines_times(v, flt.ff_, con.kgstolbs * 3600.0f); }},
};

#undef V1
#undef V2
#undef V3
#undef V4

int data_group_defined(int group) { return group >= 0 && group < DATA_GROUPS_DEFINED; }

void data_label(int group, char out[DATA_LABEL_LEN + 1]) {
  std::snprintf(out, DATA_LABEL_LEN + 1, "%-*s", DATA_LABEL_LEN,
                data_group_defined(group) ? groups[group].label : "");
}

int data_label_field(const char* label, int k, char name[5], char unit[5]) {
  name[0] = unit[0] = '\0';
  const size_t n = std::strlen(label), at = static_cast<size_t>(k) * 10;
  // The name's last character tells: a blank there is a field left empty.
  if (k < 0 || k >= GRF_VALUES || at + 3 >= n || label[at + 3] == ' ') return 0;
  std::snprintf(name, 5, "%.4s", label + at);
  if (at + 5 < n) std::snprintf(unit, 5, "%.4s", label + at + 5);
  return 1;
}

// Every value leaves here finite and within the limit: a value that is not a number (a division
// by zero in flight, a record not yet filled) would otherwise reach the file, the screen and the
// graph's integer pixel arithmetic.
void data_values(int group, float v[GRF_VALUES]) {
  for (int k = 0; k < GRF_VALUES; k++) v[k] = DATA_ABSENT;
  if (!data_group_defined(group)) return;
  groups[group].values(v);
  for (int k = 0; k < GRF_VALUES; k++) {
    if (!std::isfinite(v[k]))
      v[k] = DATA_ABSENT;
    else
      v[k] = fltlim(v[k], -DATA_LIMIT, DATA_LIMIT);
  }
  // A field with no label carries no value, whatever the group's function left there.
  for (int k = 0; k < GRF_VALUES; k++)
    if (!data_field_used(group, k)) v[k] = DATA_ABSENT;
}

int data_field_used(int group, int k) {
  char name[5], unit[5];
  return data_group_defined(group) && data_label_field(groups[group].label, k, name, unit);
}

void set_dig_dec(int group, int dig[GRF_VALUES], int dec[GRF_VALUES]) {
  for (int k = 0; k < GRF_VALUES; k++) {
    dig[k] = data_group_defined(group) ? groups[group].dig[k] : 0;
    dec[k] = data_group_defined(group) ? groups[group].dec[k] : 0;
  }
}
