// The scenery textures: their numbers and file names, and loading them for the season and the
// resolution level.
#include "app/app.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"

// Terrain and water are square and mipmapped; the runway numbers and letters stop at their edges
// so that neighbouring tiles do not bleed into them; smoke and flames are cut out of black.
const scene_texture scene_textures[] = {
    {10, "wat", TEX_TERRAIN},
    {11, "grs", TEX_TERRAIN},
    {12, "mnt", TEX_TERRAIN},
    {13, "grs_wat_h", TEX_TERRAIN},
    {14, "grs_wat_c", TEX_TERRAIN},
    {15, "wat_grs_c", TEX_TERRAIN},
    {16, "grs_mnt_h", TEX_TERRAIN},
    {17, "grs_mnt_c", TEX_TERRAIN},
    {18, "mnt_grs_c", TEX_TERRAIN},
    {19, "mnt_wat_h", TEX_TERRAIN},
    {20, "mnt_wat_c", TEX_TERRAIN},
    {21, "wat_mnt_c", TEX_TERRAIN},
    {TX_RWAY_TENS + 0, "rway_0L", TEX_CLAMP},
    {TX_RWAY_TENS + 1, "rway_1L", TEX_CLAMP},
    {TX_RWAY_TENS + 2, "rway_2L", TEX_CLAMP},
    {TX_RWAY_TENS + 3, "rway_3L", TEX_CLAMP},
    {TX_RWAY_UNITS + 0, "rway_0R", TEX_CLAMP},
    {TX_RWAY_UNITS + 1, "rway_1R", TEX_CLAMP},
    {TX_RWAY_UNITS + 2, "rway_2R", TEX_CLAMP},
    {TX_RWAY_UNITS + 3, "rway_3R", TEX_CLAMP},
    {TX_RWAY_UNITS + 4, "rway_4R", TEX_CLAMP},
    {TX_RWAY_UNITS + 5, "rway_5R", TEX_CLAMP},
    {TX_RWAY_UNITS + 6, "rway_6R", TEX_CLAMP},
    {TX_RWAY_UNITS + 7, "rway_7R", TEX_CLAMP},
    {TX_RWAY_UNITS + 8, "rway_8R", TEX_CLAMP},
    {TX_RWAY_UNITS + 9, "rway_9R", TEX_CLAMP},
    {TX_RWAY_PAVE, "rway_pave", 0},
    {TX_RWAY_TURN, "rway_turn", 0},
    {TX_RWAY_LINE, "rway_line", 0},
    {TX_RWAY_FDMK, "rway_fdmk", TEX_CLAMP},
    {TX_RWAY_DISP, "rway_disp", 0},
    {TX_DECK, "deck", 0},
    {TX_METAL, "metal", 0},
    {TX_DIRTY, "dirty", 0},
    {TX_PAD, "pad", TEX_CLAMP},
    {TX_TOWER, "tower", 0},
    {TX_HULL, "hull", 0},
    {TX_BLD_BLOCK, "bld_block", 0},
    {TX_BLD_NARTOP, "bld_nartop", 0},
    {TX_BLD_TAPERED, "bld_tapered", 0},
    {TX_BLD_NARBOT, "bld_narbot", 0},
    {TX_BLD_AVON, "bld_avon", 0},
    {TX_BLD_CONTOW, "bld_contow", 0},
    {TX_SMOKE, "smoke", TEX_CUTOUT},
    {TX_FIRE, "fire1", TEX_CUTOUT},
    {TX_RWAY_LETTER + 0, "rway_L", TEX_CLAMP},
    {TX_RWAY_LETTER + 1, "rway_R", TEX_CLAMP},
    {TX_RWAY_LETTER + 2, "rway_C", TEX_CLAMP},
};
const int scene_texture_count = sizeof scene_textures / sizeof scene_textures[0];

// Winter forms of the grass textures 11 and 13..18 (12 is rock and stays).
static const char* const snow_names[8] = {"sno",       nullptr,     "sno_wat_h", "sno_wat_c",
                                          "wat_sno_c", "sno_mnt_h", "sno_mnt_c", "mnt_sno_c"};

const char* seasonal_texture(int tex, const char* name) {
  if (atm.temp_SL < 32.0f && intrange(tex, 11, 18) && snow_names[tex - 11])
    return snow_names[tex - 11];
  return name;
}

void load_scenery_textures() {
  // Reading the files takes real time that belongs to no frame.
  msc.event = 1;
  for (int k = 0; k < scene_texture_count; k++)
    OGL_texbmp(BMP_TEXTURE, scene_textures[k].tex, scene_textures[k].treatment,
               seasonal_texture(scene_textures[k].tex, scene_textures[k].name));
  // The loading bar was drawn across the panel, which redraws only what changed: all of it is
  // drawn again at its next update.
  ins.tickle_all = 1;
}
