// The symmetry rules: after any command the left parts mirror the right ones and the twin bodies
// copy the first; a file they change counts as changed and says so when it is opened.
#include "editor/editor_fixture.h"

#include <vector>

TEST_F(EditorTest, AnyCommandMakesTheLeftPartsMirrorTheRightAndTheTwinBodiesCopies) {
  edt.planemod = 0;
  const int pairs[3][2] = {{PART_WING1_RIGHT, PART_WING1_LEFT},
                           {PART_WING2_RIGHT, PART_WING2_LEFT},
                           {PART_HSTAB_RIGHT, PART_HSTAB_LEFT}};
  for (const auto& pr : pairs) {
    const int r = pr[0];
    pln.semilen[r] = 10.0f + r, pln.Croot[r] = 5.0f, pln.Ctip[r] = 3.0f;
    pln.Xarm[r] = 1.5f, pln.Yarm[r] = -0.5f, pln.Zarm[r] = 7.0f;
    pln.sweep1[r] = 12, pln.dihed[r] = 4, pln.els[r] = 5, pln.anginc[r][4] = -1.25f;
    C_to_C("thin.afl", pln.Tafl1[r]);
    pln.flap[r][1] = 1;
    // An edit of the left part is not kept: it follows its twin.
    pln.semilen[pr[1]] = 3.0f;
  }
  pln.ailn[PART_WING1_RIGHT][4] = 1;
  pln.elev[PART_HSTAB_RIGHT][2] = 1;
  pln.body_X[PART_NACELLE1][3][2] = 2.75f;
  pln.body_Z[PART_MISC1][6][5] = -4.5f;

  command(CMD_PAINT_KIT);  // any command
  for (const auto& pr : pairs) {
    const int r = pr[0], l = pr[1];
    // Xarm is the mirror image.
    EXPECT_EQ((std::vector<float>{pln.semilen[l], pln.Croot[l], pln.Ctip[l], pln.Xarm[l],
                                  pln.Yarm[l], pln.Zarm[l], pln.anginc[l][4]}),
              (std::vector<float>{pln.semilen[r], 5, 3, -1.5f, -0.5f, 7, -1.25f}))
        << l;
    EXPECT_EQ((std::vector<int>{pln.sweep1[l], pln.dihed[l], pln.els[l], pln.flap[l][1]}),
              (std::vector<int>{12, 4, 5, 1}))
        << l;
    EXPECT_STREQ(pln.Tafl1[l], "thin.afl");
  }
  EXPECT_EQ(pln.ailn[PART_WING1_LEFT][4], 1);
  EXPECT_EQ(pln.elev[PART_HSTAB_LEFT][2], 1);
  for (int b = PART_NACELLE1 + 1; b <= PART_NACELLE4; b++)
    EXPECT_EQ(pln.body_X[b][3][2], 2.75f) << b;
  EXPECT_EQ(pln.body_Z[PART_MISC2][6][5], -4.5f);
  EXPECT_EQ(edt.planemod, 1);  // what the rules changed is a change of the aircraft

  // Nothing left to mirror: the next command changes nothing.
  edt.planemod = 0;
  EXPECT_EQ(apply_symmetry(), 0);
  for (int p = 0; p < NUM_PARTS; p++)
    EXPECT_EQ(is_mirrored_part(p), p == 4 || p == 6 || p == 8 || (p >= 14 && p <= 16) || p == 18)
        << p;
}

TEST_F(EditorTest, AnAsymmetricFileOpensChangedWithANoticeAndASymmetricOneUnchanged) {
  struct open_case {
    const char* file;
    int changed;
  };
  // The trainer's left wing is rigged with a little more incidence than the right.
  headless_set_question_answer(2);  // the trainer, changed now, may give way to the next file
  for (const open_case c : {open_case{"Trainer.acf", 1}, open_case{"Light Twin.acf", 0}}) {
    macibm_clear_alert_log();
    open(copy_sample(c.file));
    EXPECT_STREQ(pln.C_file, c.file);
    EXPECT_EQ(edt.planemod, c.changed) << c.file;
    EXPECT_EQ(macibm_alert_log().size(), static_cast<size_t>(c.changed)) << c.file;
    if (c.changed) {
      EXPECT_EQ(last_alert().line[1], c.file);
    }
    for (int e = 0; e < MAX_ELS; e++)
      EXPECT_EQ(pln.anginc[PART_WING1_LEFT][e], pln.anginc[PART_WING1_RIGHT][e]) << c.file;
  }
}
