// The graph's samples: a ring of 1800 frames per trace, and what the window needs from it: how
// much time it holds, the span that a chart starting at a given time shows, the pixel column of
// each shown sample and the sample under each column, and each trace's scale.
#include "app/app.h"

#include <cmath>

#include "shared/shared.h"

void clear_graph() { reset_grf(); }

void update_graph() {
  grf.cntr++;
  if (grf.cntr > GRF_SAMPLES - 1) {
    grf.cntr = 0;
    grf.graphstruct_full = 1;
  }
  if (grf.graphstruct_full) grf.indexstart = (grf.cntr + 1) % GRF_SAMPLES;
  grf.period[grf.cntr] = msc.prd;
  for (int s = 0; s < GRF_TRACES; s++) {
    if (set.grfsel[s] != -1) out_dat(DEST_GRAPH, set.grfsel[s], s);
  }
}

int graph_samples() {
  if (grf.cntr < 0 || grf.cntr >= GRF_SAMPLES) return 0;
  return grf.graphstruct_full ? GRF_SAMPLES : grf.cntr + 1;
}

static int next_sample(int k) { return (k + 1) % GRF_SAMPLES; }

// The samples in time order run from indexstart to cntr.
float graph_stored_seconds() {
  int n = graph_samples();
  float t = 0.0f;
  for (int i = 0, k = grf.indexstart; i < n; i++, k = next_sample(k)) t += grf.period[k];
  return t;
}

// The slider reaches the oldest ten seconds the ring holds: how far back that is depends on the
// frame period (1800 frames are 18 s at 0.01 s, 180 s at 0.1 s).
float graph_slider_max() { return fltmax2(graph_stored_seconds() - GRF_CHART_SECONDS, 0.0f); }

void graph_span(float lefttime, int* first, int* last) {
  *first = *last = -1;
  if (graph_samples() == 0) return;
  int k = grf.indexstart;
  float t = 0.0f;
  while (t < lefttime && k != grf.cntr) {
    t += grf.period[k];
    k = next_sample(k);
  }
  *first = k;
  while (t < lefttime + GRF_CHART_SECONDS && k != grf.cntr) {
    t += grf.period[k];
    k = next_sample(k);
  }
  *last = k;
}

// Each sample stands at the column where it begins and covers the columns up to the next one.
void graph_layout(float lefttime) {
  graph_span(lefttime, &grf_first, &grf_last);
  for (int c = 0; c < GRF_COLUMNS; c++) CTRofX[c] = -1;
  if (grf_first < 0) return;
  float x = GRF_CHART_X;
  int col = 0;
  for (int k = grf_first;; k = next_sample(k)) {
    int xk = intlim(intround(x), GRF_CHART_X, GRF_CHART_X + GRF_COLUMNS - 1);
    XofCTR[k] = xk;
    x += grf.period[k] * GRF_PIXELS_PER_SECOND;
    int xn = intlim(intround(x), GRF_CHART_X, GRF_CHART_X + GRF_COLUMNS - 1);
    for (col = xk - GRF_CHART_X; col < xn - GRF_CHART_X; col++) CTRofX[col] = k;
    if (k == grf_last) break;
  }
  for (int c = 0; c < GRF_COLUMNS; c++)
    if (CTRofX[c] < 0 || c >= col) CTRofX[c] = grf_last;
}

float graph_scale(int s) {
  float biggest = 1.0f;
  if (s < 0 || s >= GRF_TRACES) return GRF_HALF_HEIGHT;
  int n = graph_samples();
  for (int v = 0; v < GRF_VALUES; v++) {
    for (int i = 0, k = grf.indexstart; i < n; i++, k = next_sample(k)) {
      float d = grf.data[s][v][k];
      if (d != DATA_ABSENT && std::fabs(d) > biggest) biggest = std::fabs(d);
    }
  }
  return GRF_HALF_HEIGHT / biggest;
}

int graph_sample_under(int mouse_x) {
  int col = intlim(mouse_x - GRF_CHART_X, 0, GRF_COLUMNS - 1);
  return CTRofX[col];
}
