// Entry points of the weather over the terrain region that the region loader calls, until the
// weather model provides them.
#include "weather/weather.h"

// The weather model will generate the quadrant's storm field here.
void gen_wx_for_sec(int) {}

// The weather model will generate the sector's cloud-base relief here.
void fill_a_sector_with_ocast(int, int) {}

// The weather model will move the storm field with the region here.
void shift_weather(int, int, int, int, int, int) {}

// The weather model will move the cloud-base relief with the region here.
void shift_cloud(int, int, int, int, int, int) {}
