// The palette both programs draw with. Colours 0..35 belong to the scene and are dimmed with the
// scene light by the drawing layer; 36..69 are the panel's and the windows' own colours.
#include "app/macibm.h"

#include "render/ogl.h"

namespace {
struct rgb {
  float r, g, b;
};
}  // namespace

static const rgb palette[70] = {
    // Scene: sky, ground, water and runway
    {0.40f, 0.60f, 0.90f},  // 0 sky at the zenith
    {0.70f, 0.80f, 0.95f},  // 1 sky at the horizon
    {0.25f, 0.45f, 0.20f},  // 2 grass
    {0.45f, 0.40f, 0.30f},  // 3 bare ground and mountain
    {0.15f, 0.30f, 0.55f},  // 4 water
    {1.00f, 0.20f, 0.20f},  // 5 first graph trace, red lights
    {0.35f, 0.35f, 0.37f},  // 6 runway pavement
    {0.20f, 0.60f, 1.00f},  // 7 third graph trace, blue lights
    {0.95f, 0.95f, 0.95f},  // 8 runway paint, white lights
    {0.20f, 0.90f, 0.20f},  // 9 second graph trace, green lights
    {1.00f, 0.70f, 0.10f},  // 10 amber lights
    {0.85f, 0.85f, 0.85f},  // 11 cloud tops
    {0.55f, 0.55f, 0.58f},  // 12 cloud bases
    {0.60f, 0.58f, 0.55f},  // 13 buildings
    {0.30f, 0.30f, 0.32f},  // 14 building windows
    {0.12f, 0.35f, 0.12f},  // 15 trees
    {1.00f, 1.00f, 0.30f},  // 16 fourth graph trace, yellow lights
    {0.50f, 0.50f, 0.52f},  // 17 ship hulls and decks
    {0.40f, 0.40f, 0.40f},  // 18 oil rigs
    {0.80f, 0.80f, 0.82f},  // 19 aircraft skin
    {0.10f, 0.10f, 0.12f},  // 20 tyres and dark trim
    {0.95f, 0.95f, 1.00f},  // 21 snow
    {0.90f, 0.45f, 0.10f},  // 22 fire
    {0.35f, 0.35f, 0.35f},  // 23 smoke
    {0.70f, 0.70f, 0.40f},  // 24 taxiway lines
    {0.15f, 0.15f, 0.18f},  // 25 background of text and number boxes
    {0.55f, 0.50f, 0.40f},  // 26 dirt strips
    {0.30f, 0.50f, 0.30f},  // 27 far terrain haze
    {0.65f, 0.75f, 0.85f},  // 28 fog
    {0.05f, 0.05f, 0.15f},  // 29 night sky
    {1.00f, 1.00f, 1.00f},  // 30 stars
    {0.60f, 0.20f, 0.20f},  // 31 traffic aircraft
    {0.25f, 0.25f, 0.27f},  // 32 tower
    {0.75f, 0.70f, 0.60f},  // 33 sand and beaches
    {0.20f, 0.40f, 0.60f},  // 34 deep water
    {0.50f, 0.65f, 0.45f},  // 35 farmland
    // Panel and windows
    {0.00f, 0.00f, 0.00f},  // 36 black
    {1.00f, 1.00f, 1.00f},  // 37 white
    {0.20f, 0.20f, 0.22f},  // 38 panel face
    {0.30f, 0.30f, 0.33f},  // 39 panel bezels
    {0.10f, 0.10f, 0.10f},  // 40 instrument faces
    {0.90f, 0.90f, 0.90f},  // 41 instrument markings
    {1.00f, 0.25f, 0.25f},  // 42 red arcs and warnings
    {1.00f, 0.85f, 0.10f},  // 43 yellow arcs and cautions
    {0.25f, 0.85f, 0.25f},  // 44 green arcs
    {0.20f, 1.00f, 0.40f},  // 45 head-up display and on-screen data
    {0.95f, 0.95f, 0.95f},  // 46 white arc
    {0.45f, 0.30f, 0.15f},  // 47 horizon ground
    {0.30f, 0.55f, 0.90f},  // 48 horizon sky
    {1.00f, 0.60f, 0.00f},  // 49 needles
    {0.00f, 0.90f, 0.90f},  // 50 glass-display cyan
    {0.90f, 0.20f, 0.90f},  // 51 glass-display magenta
    {0.60f, 0.60f, 0.60f},  // 52 window background
    {0.75f, 0.75f, 0.75f},  // 53 buttons
    {0.40f, 0.40f, 0.40f},  // 54 button shadows
    {0.95f, 0.95f, 0.95f},  // 55 button highlights
    {0.10f, 0.10f, 0.40f},  // 56 window text
    {0.85f, 0.10f, 0.10f},  // 57 annunciators lit
    {0.30f, 0.10f, 0.10f},  // 58 annunciators dark
    {0.15f, 0.60f, 0.15f},  // 59 map land
    {0.15f, 0.30f, 0.70f},  // 60 map water
    {0.90f, 0.90f, 0.20f},  // 61 map airports
    {0.20f, 0.80f, 0.90f},  // 62 map navaids
    {1.00f, 1.00f, 1.00f},  // 63 map aircraft
    {0.80f, 0.50f, 0.20f},  // 64 weather radar light
    {0.90f, 0.20f, 0.10f},  // 65 weather radar heavy
    {0.30f, 0.90f, 0.30f},  // 66 weather radar weak
    {0.50f, 0.50f, 0.55f},  // 67 graph grid
    {0.05f, 0.05f, 0.05f},  // 68 graph background
    {0.70f, 0.70f, 0.30f},  // 69 progress bar
};

void macibm_define_colors() {
  for (int c = 0; c < 70; c++) OGL_assigncolor(c, palette[c].r, palette[c].g, palette[c].b);
}
