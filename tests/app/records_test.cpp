// Resetting the world state: every record comes back to its start-up values whatever was in it.
#include "support/test_support.h"

#include <cstring>
#include <iterator>
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

// The start values other code relies on: the frame period, the empty output selections, the
// "lists not built" sentinels the exit path checks, and the graph's unfilled samples.
TEST(AppRecords, ResetRestoresTheStartValuesOthersRelyOn) {
  dirty_all(0x5A);
  reset_world_state();
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  EXPECT_FLOAT_EQ(msc.rtrat, 1.0f);
  for (int s : set.rltsel) EXPECT_EQ(s, -1);
  for (int s : set.grfsel) EXPECT_EQ(s, -1);
  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(grf.data[GRF_TRACES - 1][GRF_VALUES - 1][GRF_SAMPLES - 1], -999.0f);
  EXPECT_EQ((std::vector<int>{env.apt_list_max, env.vor_list_max, env.ndb_list_max}),
            std::vector<int>(3, -999));
  EXPECT_EQ(atm.strike_t_exp[STRIKES - 1], -1.0f);
  EXPECT_STREQ(fpl.arr_id_str, "AAA ");
}

TEST(AppRecords, ResetStartsWithEverySystemWorking) {
  dirty_all(0);
  reset_world_state();
  std::vector<int> on = {rel.vacuum, rel.ss_asi, rel.ss_ahz,  rel.ss_alt, rel.ss_tsi, rel.ss_dgy,
                         rel.ss_vvi, rel.efis_1, rel.efis_2,  rel.fc_ail, rel.fc_elv, rel.fc_rud,
                         rel.fc_flp, rel.fc_slt, rel.fc_thr,  rel.hydsys, rel.stbaug, rel.symflp,
                         rel.sttrim, rel.antice, rel.clights, rel.otto,   rel.trotor};
  for (int i = 0; i < MAX_ENGINES; i++)
    on.insert(on.end(), {rel.engine[i], rel.thrgov[i], rel.revlok[i], rel.oilpmp[i]});
  on.insert(on.end(), std::begin(rel.lagear), std::end(rel.lagear));
  EXPECT_EQ(on, std::vector<int>(on.size(), 1));
  for (int i = 0; i < FAIL_ENTRIES; i++) {
    EXPECT_EQ(rel.fail_type[i], 1);
    EXPECT_EQ(rel.fail_time_max[i], 10.0f);
  }
  EXPECT_EQ(rel.hyd_rat, 1.0f);
  EXPECT_EQ(rel.oil_rat, 1.0f);
  EXPECT_EQ(rel.total_fail_entry, 0.0f);
  EXPECT_EQ(rel.RAT_on, 0);
}
