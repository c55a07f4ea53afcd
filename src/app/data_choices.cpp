// The choices of the "Set Data Output" window (8): each of the 51 groups against the data file,
// the on-screen list and the graph, and how many each destination takes. The window itself
// (settings_data.cpp) shows them with the settings windows' kit.
#include "app/app.h"

// The window's columns of check boxes, one per destination, in the order shown.
static const data_destination destinations[DATA_DESTINATIONS] = {
    {DEST_FILE, "Disk", DATA_GROUPS_DEFINED, set.Bdsk},
    {DEST_SCREEN, "Screen", RLT_ROWS, set.Brlt},
    {DEST_GRAPH, "Graph", GRF_TRACES, set.Bgrf},
};

const data_destination* data_destination_of(int dest) {
  for (const data_destination& d : destinations)
    if (d.dest == dest) return &d;
  return nullptr;
}

const data_destination* data_destination_column(int column) {
  return column >= 0 && column < DATA_DESTINATIONS ? &destinations[column] : nullptr;
}

int data_choice_count(int dest) {
  const data_destination* d = data_destination_of(dest);
  int n = 0;
  if (d)
    for (int g = 0; g < DATA_GROUPS_DEFINED; g++) n += d->chosen[g] != 0;
  return n;
}

int data_choice_set(int dest, int group, int on) {
  const data_destination* d = data_destination_of(dest);
  if (!d || !data_group_defined(group)) return 0;
  if (on && !d->chosen[group] && data_choice_count(dest) >= d->most) return 0;
  d->chosen[group] = on ? 1 : 0;
  return 1;
}

void data_choices_apply() { set_rlt_grf_choices(); }
