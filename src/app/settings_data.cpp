// The "Set Data Output" window: each of the 51 data groups against the data file, the on-screen
// list and the graph, three blocks of 17 groups side by side, a check box per destination. A
// choice beyond what a destination takes is refused with a message; every change rebuilds the
// list and the graph at once.
#include "app/settings.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/app.h"
#include "app/macibm.h"

enum { BLOCKS = 3, BLOCK_ROWS = 17 };  // 3 x 17 = the 51 groups

// The line of each group in a block: its number and the names of its values ("15 Vtru Vind"),
// short enough for three blocks across the window.
static std::string block_lines(int block) {
  std::string lines;
  for (int g = block * BLOCK_ROWS; g < (block + 1) * BLOCK_ROWS; g++) {
    char label[DATA_LABEL_LEN + 1];
    data_label(g, label);
    if (!lines.empty()) lines += '|';
    lines += std::to_string(g);
    for (int k = 0; k < GRF_VALUES; k++) {
      char name[5], unit[5];
      if (!data_label_field(label, k, name, unit)) continue;
      const char* s = name;
      while (*s == ' ') s++;
      lines += ' ';
      lines += s;
    }
  }
  return lines;
}
static const std::string lines_of[BLOCKS] = {block_lines(0), block_lines(1), block_lines(2)};

// The check boxes of one destination (a column of the destinations' table) for one block. The
// data file is no preference: disk output never starts switched on, so that column is not saved.
static form_field boxes(const char* name, int column, int block) {
  const data_destination* d = data_destination_column(column);
  form_field f = array_of(field_check(name, d->title, d->chosen + block * BLOCK_ROWS), BLOCK_ROWS,
                          lines_of[block].c_str());
  return d->dest == DEST_FILE ? not_saved(f) : f;
}

// Fields 3b, 3b + 1 and 3b + 2 are block b's columns, in the order of the destinations' table.
// clang-format off
static const form_field data_fields[] = {
    boxes("disk0", 0, 0),             beside(boxes("screen0", 1, 0)), beside(boxes("graph0", 2, 0)),
    new_column(boxes("disk1", 0, 1)), beside(boxes("screen1", 1, 1)), beside(boxes("graph1", 2, 1)),
    new_column(boxes("disk2", 0, 2)), beside(boxes("screen2", 1, 2)), beside(boxes("graph2", 2, 2)),
    field_label("limits", 440),
};
// clang-format on

static void data_open(int w) {
  char text[120];
  std::snprintf(text, sizeof text,
                "The file takes every group, the on-screen list %d and the graph %d.", RLT_ROWS,
                GRF_TRACES);
  form_text(w, "limits", text);
}

// The destination of a field's column and the group of its element.
static const data_destination* column_of(int field, int element, int* group) {
  *group = field / DATA_DESTINATIONS * BLOCK_ROWS + element;
  return data_destination_column(field % DATA_DESTINATIONS);
}

// A choice the destination has no room for is refused and the user told why.
static int data_check(int w, int field, int element, float value) {
  int group = 0;
  const data_destination* d = column_of(field, element, &group);
  if (!d || field >= BLOCKS * DATA_DESTINATIONS) return 1;  // not a check box
  if (data_choice_set(d->dest, group, value != 0.0f)) return 1;
  char line[120];
  std::snprintf(line, sizeof line, "The %s takes at most %d groups.",
                d->dest == DEST_SCREEN ? "on-screen list" : "graph", d->most);
  MACIBM_alert(line, "Switch one of its groups off before choosing another.", "", "", ALERT_NOTICE);
  return 0;
}

static void data_action(int w, int field, int element) { data_choices_apply(); }

const form_window data_output_form = {data_fields, count_of(data_fields), data_open, data_check,
                                      data_action};
