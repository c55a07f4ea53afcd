// The choices of the "Set Data Output" window (8): each of the 51 groups against the data file,
// the on-screen list and the graph, with how many each destination takes, and where each check
// box stands. The window itself draws these with the settings windows' controls.
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

// Three blocks of 17 groups side by side; in each, a row per group: the three boxes, then the
// group's number and label. Rows run down from the top of the 620 x 400 window.
enum {
  ROWS_PER_BLOCK = 17,
  BLOCK_W = 205,
  FIRST_ROW_Y = 370,
  ROW_H = 20,
  LEFT = 8,
  BOX_STEP = 14,
  BOX = 10,
};

void data_choice_box(int group, int column, int* x, int* y) {
  int block = group / ROWS_PER_BLOCK, row = group % ROWS_PER_BLOCK;
  *x = LEFT + BLOCK_W * block + BOX_STEP * column;
  *y = FIRST_ROW_Y - ROW_H * row;
}

int data_choice_at(int mx, int my, int* group, int* column) {
  for (int g = 0; g < DATA_GROUPS_DEFINED; g++) {
    for (int c = 0; c < DATA_DESTINATIONS; c++) {
      int x, y;
      data_choice_box(g, c, &x, &y);
      if (mx >= x && mx < x + BOX && my >= y && my < y + BOX) {
        *group = g;
        *column = c;
        return 1;
      }
    }
  }
  return 0;
}

void data_choices_apply() { set_rlt_grf_choices(); }
