// The four weather windows: space, the atmosphere with its clouds, visibility, precipitation,
// storms and the nine wind layers, the ground and the water. Their ranges are those the weather
// itself keeps its settings in once a second, so that nothing set here is undone a second later.
#include "app/settings.h"

#include "shared/shared.h"
#include "weather/weather.h"

static const form_field space_fields[] = {
    field_choice("meteorites", "Meteorites", &atm.meteorite_code, 0, 3, "None|Few|Some|Many"),
};
const form_window wx_space_form = {space_fields, count_of(space_fields), nullptr, nullptr, nullptr};

// ---- Atmosphere ------------------------------------------------------------------------------

static const char wind_layers[] =
    "Below 1,000 ft|Below 2,000 ft|Below 3,000 ft|Below 4,000 ft|Below 5,000 ft|Below 7,000 ft|"
    "Below 10,000 ft|Below 15,000 ft|Above 15,000 ft";

static const form_field atmosphere_fields[] = {
    field_number("temp", "Sea-level temperature", "F", &atm.temp_SL, -40, 120, 1, 0),
    field_number("dewp", "Sea-level dew point", "F", &atm.dewp_SL, -40, 120, 1, 0),
    field_number("baro", "Altimeter setting", "inHg", &atm.baro, 28, 31, 0.01f, 2),
    field_choice("clouds", "Clouds", &atm.cld_type, 0, 1, "Clear|A cloud layer"),
    field_number("base", "Cloud base", "ft MSL", &atm.baseMSL, 0, 98999, 100, 0, &con.mtrstoft),
    field_number("tops", "Cloud tops", "ft MSL", &atm.topsMSL, 1000, 99999, 100, 0, &con.mtrstoft),
    field_number("vis", "Visibility", "nm", &atm.vis, 0.1f, 20, 0.5f, 1, &con.mtrstonm),
    field_slider("rain", "Rain and storms", "1-5", &atm.rain_tstm, 1, 5, 0.1f, 1),
    field_slider("bursts", "Microbursts", "1-5", &atm.burst_prob, 1, 5, 0.1f, 1),
    field_slider("windiness", "Windiness", "1-5", &atm.wind_tbl, 1, 5, 0.1f, 1),
    saved(field_button("new_winds", "Draw new wind layers")),
    field_choice("change", "Weather change", &atm.rate_change, 1, 8,
                 "Worsens fast|Worsens|Worsens slowly|Holds still|Improves slowly|Improves|"
                 "Improves fast|Changes at random"),
    field_check("drift_clouds", "Clouds change", &atm.change_clouds),
    field_check("drift_vis", "Visibility changes", &atm.change_vis),
    field_check("drift_precip", "Precipitation changes", &atm.change_precip),
    field_check("drift_turb", "Turbulence changes", &atm.change_turb),
    field_check("drift_micro", "Microbursts change", &atm.change_micro),
    new_column(array_of(wrapping(field_number("wnddir", "From", "", atm.wnddir, 0, 360, 10, 0)),
                        WIND_LAYERS, wind_layers)),
    beside(array_of(field_number("wndspd", "Speed kt", "", atm.wndspd, 0, 99, 1, 0, &con.msctokts),
                    WIND_LAYERS, wind_layers)),
    beside(array_of(field_number("shrdir", "Shear", "", atm.shrdir, 0, 180, 5, 0), WIND_LAYERS,
                    wind_layers)),
    beside(array_of(field_number("shrspd", "Gust kt", "", atm.shrspd, 0, 99, 1, 0, &con.msctokts),
                    WIND_LAYERS, wind_layers)),
    beside(array_of(field_number("tbl", "Turbulence", "", atm.tbl, 0, 9, 0.5f, 1), WIND_LAYERS,
                    wind_layers)),
    field_label("wind_note", 430),
};

static void atmosphere_open(int w) {
  form_text(w, "wind_note", "Wind directions are magnetic, where the wind blows from.");
}

// A cloud layer's tops stay above its base; new layers are drawn at once from the windiness.
static void atmosphere_action(int w, int field, int element) {
  const float min_depth = 1000.0f * con.fttomtrs;
  if (atm.topsMSL < atm.baseMSL + min_depth) atm.topsMSL = atm.baseMSL + min_depth;
  if (atmosphere_fields[field].kind == FORM_BUTTON) assign_wind_tbl(1.0f);
}

const form_window wx_atmosphere_form = {atmosphere_fields, count_of(atmosphere_fields),
                                        atmosphere_open, nullptr, atmosphere_action};

// ---- Ground and water ------------------------------------------------------------------------

static const form_field ground_fields[] = {
    field_choice("friction", "Runways", &atm.rway_fric_code, 1, 3, "Dry|Damp or slushy|Wet or icy"),
};
const form_window wx_ground_form = {ground_fields, count_of(ground_fields), nullptr, nullptr,
                                    nullptr};

static const form_field water_fields[] = {
    field_number("wave_amp", "Wave height", "ft", &atm.wave_amp, 0, 98, 1, 0, &con.mtrstoft),
    field_number("wave_length", "Wave length", "ft", &atm.wave_length, 1, 6500, 10, 0,
                 &con.mtrstoft),
    field_number("wave_speed", "Wave speed", "kt", &atm.wave_speed, 0, 99, 1, 0, &con.msctokts),
    wrapping(field_number("wave_dir", "Waves travel to", "deg", &atm.wave_dir, 0, 360, 10)),
};
const form_window wx_water_form = {water_fields, count_of(water_fields), nullptr, nullptr, nullptr};
