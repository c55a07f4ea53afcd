// The conversion from the commands to surface deflections, cyclic and tail-rotor pitch.
#include "controls/fixture.h"

class ControlsDeflections : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pln.ailnEQ = pln.splrEQ = pln.drudEQ = 1, pln.ailn_up = 20.0f, pln.ailn_dn = 15.0f;
    pln.elev_up = 25.0f, pln.elev_dn = 20.0f;
    pln.splr_def = 60.0f, pln.drud_def = 40.0f, pln.rudd_def = 30.0f;
  }
  static void command(float pitch, float roll, float yaw) {
    set.FC_ptch = pitch, set.FC_roll = roll, set.FC_hdng = yaw;
    set_deflections();
  }
};

TEST_F(ControlsDeflections, ACanardMovesOppositeToATailplane) {
  pln.Zarm[8] = 5.0f;
  command(0.5f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(flt.lhstbdef, 12.5f);
  command(-0.5f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(flt.rhstbdef, -10.0f);
  pln.Zarm[8] = -2.0f;
  command(0.5f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(flt.lhstbdef, -10.0f);
  command(-0.5f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(flt.rhstbdef, 12.5f);
}

TEST_F(ControlsDeflections, RollAndYawMoveEachSurfaceByItsOwnTravel) {
  pln.stabroll = 4.0f, pln.ailflaps = 10.0f, flt.flap = 50;
  command(0.0f, 0.5f, 0.5f);
  EXPECT_FLOAT_EQ(flt.lailndef, -7.5f - 10.0f);  // down by its travel, drooped with the flaps
  EXPECT_FLOAT_EQ(flt.railndef, 10.0f - 10.0f);
  EXPECT_FLOAT_EQ(flt.lsplrdef, 0.0f);  // only the down-going wing's spoiler rises
  EXPECT_FLOAT_EQ(flt.rsplrdef, 30.0f);
  EXPECT_FLOAT_EQ(flt.rhstbdef, 2.0f);
  EXPECT_FLOAT_EQ(flt.ruddef, -15.0f);
  EXPECT_FLOAT_EQ(flt.ldruddef, 0.0f);
  EXPECT_FLOAT_EQ(flt.rdruddef, 20.0f);
  command(0.0f, -1.0f, 0.0f);
  EXPECT_FLOAT_EQ(flt.lailndef, 20.0f - 10.0f);
  EXPECT_FLOAT_EQ(flt.lsplrdef, 60.0f);
}

TEST_F(ControlsDeflections, CyclicAndTailRotorServeRotorcraftOnly) {
  pln.elevcyclic = 8.0f, pln.ailncyclic = 6.0f;
  command(0.5f, 0.5f, 0.0f);
  EXPECT_EQ(flt.elevcyclic, 0.0f);
  pln.vectEQ = 1;  // a tilt rotor has cyclic; a vectored jet has not
  command(0.5f, 0.5f, 0.0f);
  EXPECT_FLOAT_EQ(flt.elevcyclic, 4.0f);
  pln.entype = 3;
  command(0.5f, 0.5f, 0.0f);
  EXPECT_EQ(flt.ailncyclic, 0.0f);
  pln.is_heli = 1, pln.minpitch[1] = -5.0f, pln.maxpitch[1] = 15.0f, pln.propdir[0] = -1;
  command(0.0f, 0.5f, -1.0f);
  EXPECT_FLOAT_EQ(flt.ailncyclic, 3.0f);
  EXPECT_FLOAT_EQ(flt.proppitch[1], -5.0f);
  pln.propdir[0] = 1;  // the other sense of rotation reverses the pedal
  command(0.0f, 0.0f, -1.0f);
  EXPECT_FLOAT_EQ(flt.proppitch[1], 15.0f);
}
