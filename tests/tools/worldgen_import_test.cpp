// Importers of public tables and elevation tiles, and the reader of our own world list.
#include <fstream>

#include "worldgen_fixture.h"

using WorldgenImport = WorldgenTest;

TEST_F(WorldgenImport, CsvSplitKeepsQuotedCommasAndQuotes) {
  std::vector<std::string> f = csv_split("a,\"b, c\",,\"say \"\"hi\"\"\",e\r");
  ASSERT_EQ(f.size(), 5u);
  EXPECT_EQ(f[1], "b, c");
  EXPECT_EQ(f[2], "");
  EXPECT_EQ(f[3], "say \"hi\"");
  EXPECT_EQ(f[4], "e");
  EXPECT_EQ(csv_split("").size(), 1u);
}

TEST_F(WorldgenImport, AirportsRunwaysAndNavaidsFromPublicTables) {
  std::ofstream("src.txt") << "airport SBD 34.0954 -117.2349 1159 tower \"Ours\"\nrunway 06/24 10001 200\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  // Columns in another order than usual, extra columns, a name with a comma over two lines.
  std::ofstream("airports.csv")
      << "id,ident,type,name,latitude_deg,longitude_deg,elevation_ft,continent\n"
         "1,KONT,large_airport,\"Ontario, International\",34.056,-117.601,944,NA\n"
         "2,KSBD,medium_airport,Theirs,34.09,-117.23,1100,NA\n"
         "3,CA12,small_airport,\"Ranch\nStrip\",34.5,-117.5,3000,NA\n"
         "4,KXXH,heliport,Pad,34.2,-117.3,900,NA\n"
         "5,EGLL,large_airport,Far away,51.47,-0.46,83,EU\n"
         "6,K1,closed,Gone,34.3,-117.3,900,NA\n";
  EXPECT_EQ(import_airports_csv("airports.csv"), 2);
  ASSERT_EQ(wg.apt.size(), 3u);
  EXPECT_STREQ(wg.apt[1].id, "ONT ");
  EXPECT_EQ(wg.apt[1].name, "Ontario, International");
  EXPECT_EQ(wg.apt[1].twr, 1);
  EXPECT_STREQ(wg.apt[2].id, "CA12");
  EXPECT_EQ(wg.apt[2].name, "Ranch\nStrip");
  EXPECT_EQ(wg.apt[2].twr, 0);
  EXPECT_EQ(wg.apt[0].name, "Ours");  // our own entry wins

  std::ofstream("runways.csv")
      << "airport_ident,length_ft,width_ft,lighted,closed,le_ident,le_latitude_deg,le_longitude_deg,le_heading_degT,"
         "he_ident,he_latitude_deg,he_longitude_deg,he_heading_degT\n"
         "KONT,12197,150,1,0,08L,34.0,-117.6,,26R,34.0,-117.5,\n"
         "KONT,10200,150,1,0,08R,34.05,-117.62,81.5,26L,34.06,-117.58,261.5\n"
         "KONT,3000,75,0,0,04,,,,22,,,\n"
         "KONT,2000,60,0,0,18,,,,36,,,\n"
         "KONT,100,100,0,0,H1,,,,,,,\n"
         "KSBD,5000,100,1,0,09,,,,27,,,\n";
  EXPECT_EQ(import_runways_csv("runways.csv"), 3);
  const wg_airport& ont = wg.apt[1];
  ASSERT_EQ(ont.rwy.size(), 3u);  // the three longest of four
  EXPECT_EQ((std::vector<int>{ont.rwy[0].len_ft, ont.rwy[0].edge, ont.rwy[0].lr}),
            (std::vector<int>{12197, LIGHT_HIGH, 'L'}));
  EXPECT_NEAR(ont.rwy[0].lon, -117.55f, 1e-4);  // the middle of its ends
  EXPECT_EQ(ont.rwy[0].hdng, 90);               // from the ends when no heading is given
  EXPECT_EQ(ont.rwy[1].hdng, 82);               // the table's true heading, rounded
  EXPECT_EQ(ont.rwy[2].len_ft, 3000);
  EXPECT_EQ(ont.rwy[2].edge, LIGHT_NONE);
  EXPECT_EQ(wg.apt[0].rwy.size(), 1u);  // ours keeps its runways

  std::ofstream("navaids.csv")
      << "ident,name,type,frequency_khz,latitude_deg,longitude_deg,elevation_ft\n"
         "PDZ,\"Paradise, CA\",VORTAC,112200,33.92,-117.53,1300\n"
         "XY,Locator,NDB,338.5,34.1,-117.4,1000\n"
         "DM,Dme only,DME,112200,33.9,-117.5,1000\n"
         "BAD,Out of band,VOR,135000,34,-117,0\n";
  EXPECT_EQ(import_navaids_csv("navaids.csv"), 2);
  ASSERT_EQ(wg.nav.size(), 2u);
  EXPECT_EQ(wg.nav[0].key, 11220);
  EXPECT_EQ(wg.nav[0].name, "Paradise, CA");
  EXPECT_EQ(wg.nav[1].type, NAV_NDB);
  EXPECT_EQ(wg.nav[1].key, 338);
  EXPECT_STREQ(wg.nav[1].id, "XY  ");

  std::ofstream("short.csv") << "ident,name,type\nA,B,VOR\n";
  EXPECT_EQ(import_navaids_csv("short.csv"), -1);
  EXPECT_EQ(import_airports_csv("missing.csv"), -1);
}

TEST_F(WorldgenImport, HgtTilesAreReadBigEndianFromTheNorthWestCorner) {
  EXPECT_EQ(hgt_name(34, -118), "N34W118.hgt");
  EXPECT_EQ(hgt_name(-5, 7), "S05E007.hgt");
  const int n = 1201;
  std::vector<unsigned char> raw((size_t)n * n * 2);
  // Height = 10 x column - row (rows from the north); a negative and a void sample in the corner.
  for (int r = 0; r < n; r++)
    for (int c = 0; c < n; c++) {
      int16_t h = (int16_t)(10 * c - r);
      if (r == n - 1 && c == n - 1) h = -32768;
      raw[2 * ((size_t)r * n + c)] = (unsigned char)((uint16_t)h >> 8);
      raw[2 * ((size_t)r * n + c) + 1] = (unsigned char)((uint16_t)h & 0xff);
    }
  std::ofstream("N34W118.hgt", std::ios::binary).write(reinterpret_cast<char*>(raw.data()), (std::streamsize)raw.size());
  hgt_tile t;
  ASSERT_EQ(load_hgt_tile("N34W118.hgt", 34, -118, &t), 1);
  EXPECT_EQ(t.n, 1201);
  float h;
  ASSERT_EQ(hgt_sample(t, 35.0, -118.0, &h), 1);  // north-west corner: row 0, column 0
  EXPECT_FLOAT_EQ(h, 0);
  ASSERT_EQ(hgt_sample(t, 35.0, -117.5, &h), 1);
  EXPECT_FLOAT_EQ(h, 6000);
  ASSERT_EQ(hgt_sample(t, 34.5, -118.0 + 0.5 / 1200, &h), 1);  // between two columns
  EXPECT_FLOAT_EQ(h, 5 - 600);
  EXPECT_EQ(hgt_sample(t, 34.0, -117.0, &h), 0);  // the void corner
  EXPECT_EQ(hgt_sample(t, 33.9, -117.5, &h), 0);  // outside
  std::ofstream("N35W118.hgt", std::ios::binary) << "too short";
  EXPECT_EQ(load_hgt_tile("N35W118.hgt", 35, -118, &t), 0);
}

TEST_F(WorldgenImport, WorldListReportsMalformedLinesAndReadsOptions) {
  std::ofstream("src.txt") << "airport AB1 40 -100 1000 tower \"Fine\"  # comment\n"
                              "runway 04L/22R 6000 100 true 365 ils 22R@109.35 lom 250\n"
                              "runway 13/31 4000 75 mag 130\n"
                              "runway 99/27 1000 50\n"
                              "runway 01/19 1000 50 ils 05\n"
                              "vor XYZ 40 -100 0 99.0 \"Bad band\"\n"
                              "lake 41 -87 577 \"Lake\"\n"
                              "bogus line\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  EXPECT_EQ(wg.errors, 4);
  ASSERT_EQ(wg.apt.size(), 1u);
  const wg_airport& a = wg.apt[0];
  ASSERT_EQ(a.rwy.size(), 2u);
  // Heading 365 wraps to 5; an ILS on the 22R end only, on 109.35, with a locator on 250 kHz.
  const wg_runway& r = a.rwy[0];
  EXPECT_EQ((std::vector<int>{r.hdng, r.ils_want[0], r.ils_want[1], r.ils_freq[1], r.lom_khz}),
            (std::vector<int>{5, 0, 1, 10935, 250}));
  // A magnetic heading becomes true with the local variation.
  EXPECT_NEAR(a.rwy[1].hdng, 130 + variation_east(40, -100), 0.5);
  EXPECT_GT(variation_east(47.5f, -122.3f), 15);   // Seattle: east
  EXPECT_LT(variation_east(42.4f, -71.0f), -12);   // Boston: west
  ASSERT_EQ(wg.lakes.size(), 1u);
  EXPECT_NEAR(wg.lakes[0].level_m, 175.9, 0.1);
  EXPECT_EQ(read_world_source("no-such-file.txt"), 0);
}
