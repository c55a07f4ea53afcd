// The sample-aircraft generator: each sample is filled into the aircraft record in the file's
// units (ft, lb, kt, hp, rpm) by a function of its own and written with the aircraft writer.
#pragma once

// ---- Building blocks (parts.cpp) -------------------------------------------------------------

// Clears the record and sets what every sample shares: the tail number, knots, the standard
// panel of six with the supplementary instrument and the ADF, the shipped airfoils and flap file.
void begin_aircraft(const char* tailnum, int is_heli);

// One lifting surface, part p: the root quarter chord at (x, y, z), its sweep and dihedral in
// whole degrees, els elements, and an incidence running linearly from root to tip. The airfoil
// file goes to all four names; a second file, when given, is the high-Reynolds-number one.
void surface(int p, const char* foil, const char* high_foil, float semilen, float croot, float ctip,
             float z, float x, float y, int sweep, int dihed, int els, float inc_root,
             float inc_tip);
// Makes left part `left` the mirror image of right part `left + 1`, as the editor does.
void mirror(int left);

// A propeller or rotor, part p: blade length, root and tip chord, blades, hub position, and the
// blades twisted for a design advance per revolution (inches) at rpm; with a variable-pitch hub
// the twist is stored relative to the tip and the pitch range runs from 0 to the tip angle + 10.
void propeller(int p, const char* foil, float radius, float croot, float ctip, float blades,
               float z, float x, float y, float advance_in, float rpm);

// A body cross-section: station (ft aft), half width, half height and the height of its centre.
struct station {
  float z, w, h, yc;
};
// Body b from nine stations (the fuselage) or five (nacelles and floats; the rest repeat the
// last); points run from the top round the right side, as the readers expect.
void body(int b, const station* s, int count);
// Nacelles 2 to 4 and the second float become copies of the first, as the editor keeps them.
void copy_bodies();

// Moves the centre of gravity to the given fraction of the mean chord of right wing part p,
// measured from the leading edge of that chord.
void cg_at_chord(int p, float fraction);

// ---- The samples -----------------------------------------------------------------------------

void fill_trainer();
void fill_light_twin();
void fill_floatplane();
void fill_turboprop_transport();
void fill_business_jet();
void fill_helicopter();

struct acf_sample {
  const char* file;  // name in the aircraft folder
  void (*fill)();
};
extern const acf_sample acf_samples[];
extern const int acf_sample_count;

// Writes every sample into folder dir; returns the number that could not be written.
int write_samples(const char* dir);
