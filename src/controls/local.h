// Steps of the control pipeline shared between the files of src/controls.
#pragma once

#include "controls/controls.h"

// The automatic-input gain: 1 for a helicopter, else (stall speed / indicated airspeed)^2 within
// 0.01..1, so that automatic inputs weaken with the square of speed above the stall.
float automatic_gain();
// How far a helicopter's sideslip means anything, 0..1: the indicated airspeed as a share of the
// stall speed. In the hover the air comes from every side and the sideslip angle is noise.
float sideslip_share();
// The lateral and vertical autopilot and the autothrottle, each acting only when engaged; k is the
// automatic-input gain.
void autopilot_lateral(float k);
void autopilot_vertical(float k);
void autothrottle();
