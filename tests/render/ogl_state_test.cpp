// The palette's limits, texture binding bookkeeping and the reset of the drawing state.
#include "support/test_support.h"

#include "render/ogl.h"

TEST(RenderOglState, ColourNumbersOutsideThePaletteAreFatal) {
  reset_ogl();
  OGL_assigncolor(69, 0.1f, 0.2f, 0.3f);
  EXPECT_EQ(col_rgb[69][2], 0.3f);
  for (int c : {70, -1}) {
    EXPECT_FATAL_ALERT(OGL_assigncolor(c, 1, 1, 1));
    EXPECT_EQ(last_alert().line[0], "too many colors!");
  }
  // The editor has codes of its own for the same fatal alert.
  macibm_program = PROGRAM_EDITOR;
  EXPECT_FATAL_ALERT(OGL_assigncolor(70, 1, 1, 1));
  EXPECT_EQ(last_alert().kind, ALERT_EDIT_FATAL);
}

TEST(RenderOglState, BindingCountsOnlyTexturesInTheTable) {
  reset_ogl();
  OGL_bindtex(7);
  OGL_bindtex(7);
  OGL_bindtex(60);
  OGL_bindtex(-1);
  int used = 0;
  for (int n = 0; n < OGL_TEXTURES; n++) used += tex_used[n];
  EXPECT_EQ(used, 1);
  EXPECT_EQ(tex_used[7], 1);
  reset_ogl();
  EXPECT_EQ(tex_used[7], 0);
}
