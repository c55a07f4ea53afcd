// Texture borders between water, land and steep land: each border cell gets a shore texture
// turned to face the neighbour it meets.
//
// Every border texture is drawn facing north: a straight border (edge_a) has the neighbour along
// its northern edge, a bend (edge_b) has it along the northern and eastern edges, and an outer
// corner (edge_c) has it at the north-eastern corner only. Turning the texture a quarter turn
// clockwise makes it face east, and so on.
#include "world/world_local.h"

enum { CELL_I_MAX = GRID_I - 2, CELL_J_MAX = GRID_J - 2 };

// North, east, south, west.
static const int step_i[4] = {0, 1, 0, -1};
static const int step_j[4] = {1, 0, -1, 0};

// The call of new_border in progress.
static int border_from = -1;
static int border_codes[6];

static int texture_at(int i, int j) {
  if (i < 0 || j < 0 || i > CELL_I_MAX || j > CELL_J_MAX) return -1;
  return static_cast<int>(planetex[i][j]);
}

static int coast(int i, int j) {
  int t = texture_at(i, j);
  if (t < 0) return 0;
  if (t == border_from) return 1;
  for (int code : border_codes)
    if (t == code) return 1;
  return 0;
}

static void set_st(int i, int j, int s0, int s1, int s2, int s3, int t0, int t1, int t2, int t3,
                   int tex) {
  if (texture_at(i, j) < 0) return;
  planetex[i][j] = static_cast<unsigned int>(tex);
  planes[i][j][0][0] = s0;
  planes[i][j][0][1] = s1;
  planes[i][j][1][0] = s2;
  planes[i][j][1][1] = s3;
  planet[i][j][0][0] = t0;
  planet[i][j][0][1] = t1;
  planet[i][j][1][0] = t2;
  planet[i][j][1][1] = t3;
}

// Corner (a, b) of the cell is vertex (i + a, j + b); upright it gets s = a, t = b. `turns`
// quarter turns clockwise bring the texture's north to north, east, south or west.
static void turn_texture(int i, int j, int tex, int turns) {
  int s[4], t[4];
  for (int c = 0; c < 4; c++) {
    int a = c / 2, b = c % 2;
    switch (turns & 3) {
      case 0:
        s[c] = a, t[c] = b;
        break;
      case 1:
        s[c] = 1 - b, t[c] = a;
        break;
      case 2:
        s[c] = 1 - a, t[c] = 1 - b;
        break;
      default:
        s[c] = b, t[c] = 1 - a;
        break;
    }
  }
  set_st(i, j, s[0], s[1], s[2], s[3], t[0], t[1], t[2], t[3], tex);
}

static int is_either(int t, int a, int b) { return t >= 0 && (t == a || t == b) ? 1 : 0; }

void new_border(int tex_from, int tex_to, int tex_to2, int edge_a, int edge_b, int edge_c,
                int corner_a, int corner_b, int corner_c) {
  border_from = tex_from;
  const int codes[6] = {edge_a, edge_b, edge_c, corner_a, corner_b, corner_c};
  for (int n = 0; n < 6; n++) border_codes[n] = codes[n];

  for (int i = 0; i <= CELL_I_MAX; i++)
    for (int j = 0; j <= CELL_J_MAX; j++) {
      if (texture_at(i, j) != tex_from) continue;
      for (int d = 0; d < 4; d++) {
        if (texture_at(i + step_i[d], j + step_j[d]) != tex_to) continue;
        // The two cells beside this one along the edge it shares with the neighbour.
        int right = (d + 1) % 4, left = (d + 3) % 4;
        int ri = i + step_i[right], rj = j + step_j[right];
        int li = i + step_i[left], lj = j + step_j[left];
        if (coast(ri, rj) && coast(li, lj)) turn_texture(i, j, edge_a, d);
        if (is_either(texture_at(ri, rj), tex_to, tex_to2))
          turn_texture(i, j, edge_b, d);
        else if (is_either(texture_at(li, lj), tex_to, tex_to2))
          turn_texture(i, j, edge_b, left);
      }
      for (int d = 0; d < 4; d++) {
        int next = (d + 1) % 4;
        int di = step_i[d] + step_i[next], dj = step_j[d] + step_j[next];
        if (texture_at(i + di, j + dj) == tex_to && coast(i + step_i[d], j + step_j[d]) &&
            coast(i + step_i[next], j + step_j[next]))
          turn_texture(i, j, edge_c, d);
      }
    }
}
