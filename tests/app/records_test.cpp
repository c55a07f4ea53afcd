// Resetting the world state: every record comes back to its start-up values whatever was in it.
#include "support/test_support.h"

#include <cstring>
#include <vector>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

struct record_view {
  const char* name;
  void* data;
  size_t size;
};

std::vector<record_view> all_records() {
  return {{"flt", &flt, sizeof flt}, {"ott", &ott, sizeof ott}, {"ins", &ins, sizeof ins},
          {"set", &set, sizeof set}, {"msc", &msc, sizeof msc}, {"scn", &scn, sizeof scn},
          {"nav", &nav, sizeof nav}, {"atm", &atm, sizeof atm}, {"env", &env, sizeof env},
          {"grf", &grf, sizeof grf}, {"pat", &pat, sizeof pat}, {"rel", &rel, sizeof rel},
          {"afl", &afl, sizeof afl}, {"atc", &atc, sizeof atc}, {"fpl", &fpl, sizeof fpl},
          {"pln", &pln, sizeof pln}, {"mnw", &mnw, sizeof mnw}};
}

void dirty_all(unsigned char pattern) {
  for (const auto& r : all_records()) std::memset(r.data, pattern, r.size);
}

std::vector<std::vector<unsigned char>> snapshot() {
  std::vector<std::vector<unsigned char>> out;
  for (const auto& r : all_records()) {
    auto* bytes = static_cast<unsigned char*>(r.data);
    out.emplace_back(bytes, bytes + r.size);
  }
  return out;
}

}  // namespace

// Any byte the resets forget would keep the dirt, which differs between the two patterns.
TEST(AppRecords, ResetLeavesNothingOfThePreviousState) {
  dirty_all(0x5A);
  reset_world_state();
  auto first = snapshot();
  dirty_all(0xA5);
  reset_world_state();
  auto second = snapshot();
  auto records = all_records();
  for (size_t i = 0; i < records.size(); i++) EXPECT_TRUE(first[i] == second[i]) << records[i].name;
}

TEST(AppRecords, ResetRestoresTheDocumentedStartValues) {
  dirty_all(0x5A);
  reset_world_state();

  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  EXPECT_FLOAT_EQ(msc.rtrat, 1.0f);
  EXPECT_EQ(msc.evup, 1);
  EXPECT_EQ(msc.typestart, 900);
  EXPECT_STREQ(msc.req_id_str, "AAA ");

  for (int s : set.rltsel) EXPECT_EQ(s, -1);
  for (int s : set.grfsel) EXPECT_EQ(s, -1);
  EXPECT_NEAR(set.cus_Y, 5000 * 0.3048f, 0.01f);
  EXPECT_NEAR(set.cus_v, 200 * 1852.0f / 3600.0f, 0.001f);

  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(grf.period[0], 999.0f);
  EXPECT_EQ(grf.period[GRF_SAMPLES - 1], 999.0f);
  EXPECT_EQ(grf.data[GRF_TRACES - 1][GRF_VALUES - 1][GRF_SAMPLES - 1], -999.0f);

  EXPECT_EQ(env.apt_list_max, -999);
  EXPECT_EQ(env.vor_list_max, -999);
  EXPECT_EQ(env.ndb_list_max, -999);
  EXPECT_EQ(env.i_aircraft, 89);
  EXPECT_EQ(env.j_aircraft, 79);
  EXPECT_EQ(scn.zoom, 1.0f);
  EXPECT_EQ(scn.r_rat, 1.0f);
  EXPECT_EQ(scn.b_rat, 1.0f);
  EXPECT_EQ(nav.radout, 2);
  EXPECT_EQ(nav.gs_dest, 1);
  EXPECT_EQ(nav.tran1 * 1000 + nav.tran2 * 100 + nav.tran3 * 10 + nav.tran4, 1200);

  EXPECT_EQ(atm.rate_change, 4);
  EXPECT_EQ(atm.strike_t_exp[0], -1.0f);
  EXPECT_EQ(atm.strike_t_exp[STRIKES - 1], -1.0f);

  EXPECT_EQ(ins.HUD_on, 1);
  EXPECT_EQ(ins.radar_on, 1);
  EXPECT_EQ(ins.map_range, 30);
  EXPECT_EQ(ins.HUD_color, 45);
  EXPECT_EQ(ins.ecam_mode, 3);

  EXPECT_EQ(fpl.ifr, 1);
  EXPECT_STREQ(fpl.dep_id_str, "AAA ");
  EXPECT_STREQ(fpl.arr_id_str, "AAA ");
  EXPECT_EQ(fpl.cruise_alt, 5000);
  EXPECT_EQ(pln.draw_full, 1);
}

TEST(AppRecords, ResetStartsWithEverySystemWorking) {
  dirty_all(0);
  reset_world_state();
  const int switches[] = {rel.vacuum, rel.ss_asi, rel.ss_ahz,  rel.ss_alt, rel.ss_tsi, rel.ss_dgy,
                          rel.ss_vvi, rel.efis_1, rel.efis_2,  rel.fc_ail, rel.fc_elv, rel.fc_rud,
                          rel.fc_flp, rel.fc_slt, rel.fc_thr,  rel.hydsys, rel.stbaug, rel.symflp,
                          rel.sttrim, rel.antice, rel.clights, rel.otto,   rel.trotor};
  for (int s : switches) EXPECT_EQ(s, 1);
  for (int i = 0; i < MAX_ENGINES; i++) {
    EXPECT_EQ(rel.engine[i] + rel.thrgov[i] + rel.revlok[i] + rel.oilpmp[i], 4) << i;
  }
  for (int g : rel.lagear) EXPECT_EQ(g, 1);
  for (int i = 0; i < FAIL_ENTRIES; i++) {
    EXPECT_EQ(rel.fail_type[i], 1);
    EXPECT_EQ(rel.fail_time_max[i], 10.0f);
  }
  EXPECT_EQ(rel.hyd_rat, 1.0f);
  EXPECT_EQ(rel.oil_rat, 1.0f);
  EXPECT_EQ(rel.total_fail_entry, 0.0f);
  EXPECT_EQ(rel.RAT_on, 0);
}

TEST(AppRecords, ResetClearsTheFieldsWithoutAStartValue) {
  dirty_all(0x5A);
  reset_world_state();
  EXPECT_EQ(flt.X, 0.0);
  EXPECT_EQ(flt.over_vne, 0);
  EXPECT_EQ(flt.alpha[NUM_PARTS - 1][MAX_ELS - 1], 0.0f);
  EXPECT_EQ(pat.cntr_record, 0);
  EXPECT_EQ(pat.inited[PATH_POINTS - 1], 0);
  EXPECT_EQ(afl.cdpos[NUM_PARTS - 1][1][1][AFL_CD_ROWS - 1], 0.0f);
  EXPECT_EQ(pln.numen, 0);
  EXPECT_EQ(pln.C_path[0], '\0');
  EXPECT_EQ(pln.body_Z[NUM_PARTS - 1][BODY_SECTIONS - 1][BODY_POINTS - 1], 0.0f);
  EXPECT_EQ(atc.menu_up, 0);
  EXPECT_EQ(atc.response[0], '\0');
  EXPECT_EQ(ott.ALHOLD, 0);
  EXPECT_EQ(nav.goodnav[4], 0);
  EXPECT_EQ(env.mvar, 0);
  EXPECT_EQ(scn.rwayxyz[REGION_LIST_MAX - 1][APT_RWYS - 1][RWAY_POINTS - 1][2], 0.0f);
  EXPECT_EQ(atm.wxr[WXR_I - 1][WXR_K - 1], 0.0f);
  EXPECT_EQ(msc.elap_time, 0.0f);
  EXPECT_EQ(set.Bgrf[DATA_GROUPS - 1], 0);
  EXPECT_EQ(grf.indexstart, 0);
  EXPECT_EQ(mnw.wind[MAX_WINDOWS - 1], nullptr);
  EXPECT_EQ(mnw.ready_to_update, 0);
}
