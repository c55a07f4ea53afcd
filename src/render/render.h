// The 3-D view: terrain, scenery, clouds, lightning and the aircraft drawn around the viewpoint.
#pragma once

// Starts a lightning strike near the aircraft.
void start_strike();
