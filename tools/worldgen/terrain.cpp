// Terrain heights of the whole world box: relief noise around the field elevations of the
// airports, shaped down to the sea and the lake levels, flattened round each airport, or taken
// from elevation tiles where the user supplies them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>

#include "worldgen.h"

static const double M_PER_DEG = 60.0 * 1852.0;
static const double DEG = 3.14159265358979323846 / 180.0;

static uint32_t mix(int32_t x, int32_t y) {
  uint32_t h = (uint32_t)x * 0x8da6b343u ^ (uint32_t)y * 0xd8163841u ^ 0x2545f491u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

// Perlin's gradient noise: a hashed unit gradient at every lattice point, blended with the
// quintic fade so that value and slope are continuous everywhere.
float gradient_noise(double x, double y) {
  double fx = std::floor(x), fy = std::floor(y);
  int32_t ix = (int32_t)fx, iy = (int32_t)fy;
  double tx = x - fx, ty = y - fy;
  auto grad = [](int32_t gx, int32_t gy, double dx, double dy) {
    double a = (mix(gx, gy) & 0xffff) * (2.0 * 3.14159265358979323846 / 65536.0);
    return std::cos(a) * dx + std::sin(a) * dy;
  };
  auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
  double n00 = grad(ix, iy, tx, ty), n10 = grad(ix + 1, iy, tx - 1, ty);
  double n01 = grad(ix, iy + 1, tx, ty - 1), n11 = grad(ix + 1, iy + 1, tx - 1, ty - 1);
  double u = fade(tx), v = fade(ty);
  double a = n00 + (n10 - n00) * u, b = n01 + (n11 - n01) * u;
  return (float)((a + (b - a) * v) * 1.41421356);
}

// Five octaves from 60 km down to about 4 km waves, in kilometres of a fixed east-west scale,
// so the relief depends on nothing but the place.
static float relief(double lat, double lon) {
  double x = lon * 88.7, y = lat * 111.1;
  double sum = 0, amp = 1, norm = 0, wave = 60;
  for (int k = 0; k < 5; k++) {
    sum += amp * gradient_noise(x / wave + 17.3 * k, y / wave - 9.1 * k);
    norm += amp;
    amp *= 0.5;
    wave *= 0.5;
  }
  return (float)(sum / norm);
}

// Regional level and roughness from the airports' field elevations on a quarter-degree grid:
// a Gaussian-weighted mean and spread within about a degree, falling back to the mean of the
// airports farther out where none is near. Airports sit in valleys and on plains, so a wide
// spread of their elevations marks mountains.
struct coarse_field {
  int cols, rows;
  double lat0, lon0, step;
  std::vector<float> mean, amp;
};

static void build_coarse(double lat0, double lon0, double lat1, double lon1, coarse_field* f) {
  f->step = 0.25;
  f->lat0 = lat0;
  f->lon0 = lon0;
  f->cols = (int)std::lround((lon1 - lon0) / f->step) + 1;
  f->rows = (int)std::lround((lat1 - lat0) / f->step) + 1;
  f->mean.assign((size_t)f->cols * f->rows, 100.0f);
  f->amp.assign(f->mean.size(), 40.0f);
  // Airports bucketed by whole degree keep the search local.
  const int B = 8;  // degrees searched each way
  int bl0 = (int)std::floor(lat0) - B, bo0 = (int)std::floor(lon0) - B;
  int bcols = (int)(lon1 - lon0) + 2 * B + 2, brows = (int)(lat1 - lat0) + 2 * B + 2;
  std::vector<std::vector<int>> bucket((size_t)bcols * brows);
  for (size_t k = 0; k < wg.apt.size(); k++) {
    int bi = (int)std::floor(wg.apt[k].lon) - bo0, bj = (int)std::floor(wg.apt[k].lat) - bl0;
    if (bi >= 0 && bj >= 0 && bi < bcols && bj < brows) bucket[(size_t)bj * bcols + bi].push_back((int)k);
  }
  const double sigma = 0.5, far_weight = 0.02;
  for (int j = 0; j < f->rows; j++) {
    double lat = lat0 + j * f->step, c = std::cos(lat * DEG);
    for (int i = 0; i < f->cols; i++) {
      double lon = lon0 + i * f->step;
      double sw = 0, sh = 0, shh = 0, iw = 0, ih = 0;
      int ci = (int)std::floor(lon) - bo0, cj = (int)std::floor(lat) - bl0;
      for (int bj = std::max(0, cj - B); bj <= std::min(brows - 1, cj + B); bj++)
        for (int bi = std::max(0, ci - B); bi <= std::min(bcols - 1, ci + B); bi++)
          for (int k : bucket[(size_t)bj * bcols + bi]) {
            const wg_airport& a = wg.apt[k];
            double dy = a.lat - lat, dx = (a.lon - lon) * c, d2 = dx * dx + dy * dy;
            double h = a.elev_ft * 0.3048;
            double w = std::exp(-d2 / (2 * sigma * sigma));
            sw += w, sh += w * h, shh += w * h * h;
            double v = 1.0 / (d2 + 0.01);
            iw += v, ih += v * h;
          }
      double far = iw > 0 ? ih / iw : 100.0;
      double m = (sh + far_weight * far) / (sw + far_weight);
      double var = (shh + far_weight * (far * far + 60.0 * 60.0)) / (sw + far_weight) - m * m;
      size_t n = (size_t)j * f->cols + i;
      f->mean[n] = (float)m;
      f->amp[n] = (float)std::min(1200.0, 25.0 + std::sqrt(std::max(0.0, var)));
    }
  }
}

static float coarse_at(const coarse_field& f, const std::vector<float>& v, double lat, double lon) {
  double fi = (lon - f.lon0) / f.step, fj = (lat - f.lat0) / f.step;
  fi = std::min(std::max(fi, 0.0), f.cols - 1.001);
  fj = std::min(std::max(fj, 0.0), f.rows - 1.001);
  int i = (int)fi, j = (int)fj;
  double ti = fi - i, tj = fj - j;
  auto at = [&](int a, int b) { return v[(size_t)b * f.cols + a]; };
  double lo = at(i, j) + (at(i + 1, j) - at(i, j)) * ti;
  double hi = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * ti;
  return (float)(lo + (hi - lo) * tj);
}

// Lake levels: every lake cell belongs to one water body (cells joined by their edges); a body
// named in the source gets its known level, any other the lowest ground round its shore.
static void lake_levels(const water_mask& m, const coarse_field& f, std::vector<float>* level) {
  size_t n = m.c.size();
  std::vector<int> body(n, -1);
  std::vector<float> body_level;
  std::deque<size_t> q;
  for (size_t s = 0; s < n; s++) {
    if (m.c[s] != MASK_LAKE || body[s] >= 0) continue;
    int id = (int)body_level.size();
    float lowest = 1e9f;
    body[s] = id;
    q.push_back(s);
    while (!q.empty()) {
      size_t p = q.front();
      q.pop_front();
      int i = (int)(p % m.cols), j = (int)(p / m.cols);
      const int di[4] = {1, -1, 0, 0}, dj[4] = {0, 0, 1, -1};
      for (int k = 0; k < 4; k++) {
        int a = i + di[k], b = j + dj[k];
        if (a < 0 || b < 0 || a >= m.cols || b >= m.rows) continue;
        size_t t = (size_t)b * m.cols + a;
        if (m.c[t] == MASK_LAKE) {
          if (body[t] < 0) body[t] = id, q.push_back(t);
        } else if (m.c[t] == MASK_LAND) {
          double lat = m.lat0 + (b + 0.5) / QUAD_CELLS_J, lon = m.lon0 + (a + 0.5) / QUAD_CELLS_I;
          lowest = std::min(lowest, coarse_at(f, f.mean, lat, lon));
        }
      }
    }
    body_level.push_back(lowest < 1e8f ? lowest - 2.0f : 0.0f);
  }
  for (const wg_lake& l : wg.lakes) {
    double fi = (l.lon - m.lon0) * QUAD_CELLS_I, fj = (l.lat - m.lat0) * QUAD_CELLS_J;
    if (fi < 0 || fj < 0 || fi >= m.cols || fj >= m.rows) continue;
    size_t s = (size_t)fj * m.cols + (size_t)fi;
    if (body[s] >= 0)
      body_level[body[s]] = l.level_m;
    else
      std::fprintf(stderr, "worldgen: lake %s is not water in the mask\n", l.name.c_str());
  }
  level->assign(n, 0.0f);
  for (size_t s = 0; s < n; s++)
    if (body[s] >= 0) (*level)[s] = body_level[body[s]];
}

static void apply_hgt(const char* dir, const water_mask& m, world_heights* w) {
  for (int lat = m.lat0; lat < m.lat0 + m.rows / QUAD_CELLS_J; lat++)
    for (int lon = m.lon0; lon < m.lon0 + m.cols / QUAD_CELLS_I; lon++) {
      hgt_tile t;
      std::string path = std::string(dir) + "/" + hgt_name(lat, lon);
      if (!load_hgt_tile(path.c_str(), lat, lon, &t)) continue;
      int i0 = (lon - m.lon0) * QUAD_CELLS_I, j0 = (lat - m.lat0) * QUAD_CELLS_J;
      for (int j = 0; j <= QUAD_CELLS_J; j++)
        for (int i = 0; i <= QUAD_CELLS_I; i++) {
          float h;
          if (hgt_sample(t, lat + (double)j / QUAD_CELLS_J, lon + (double)i / QUAD_CELLS_I, &h))
            w->h[(size_t)(j0 + j) * w->cols + (i0 + i)] = h;
        }
    }
}

// Distance in metres from a point to the centreline of a runway, on the flat world.
static double runway_distance(const wg_runway& r, double lat, double lon) {
  double c = std::cos(r.lat * DEG);
  double e = (lon - r.lon) * M_PER_DEG * c, n = (lat - r.lat) * M_PER_DEG;
  double se = std::sin(r.hdng * DEG), ce = std::cos(r.hdng * DEG), half = r.len_ft * 0.3048 / 2;
  double along = e * se + n * ce, across = e * ce - n * se;
  double beyond = std::max(0.0, std::fabs(along) - half);
  return std::sqrt(beyond * beyond + across * across);
}

// Each runway lies on level ground at its field's elevation out to its taxiways and apron,
// blended into the relief beyond (over 4 km, or 1 km round a heliport's pad). Water stays water:
// a water lane levels only land, where its lake is too small for the water mask. The blends go
// first and the level ground after, the most important field last, so that a neighbour's blend
// never tilts a runway.
static void flatten_runways(const water_mask& m, const std::vector<float>& dist, world_heights* w) {
  for (int pass = 0; pass < 2; pass++)
    for (size_t k = wg.apt.size(); k-- > 0;) {
      const wg_airport& a = wg.apt[k];
      double inner = a.kind == APT_KIND_HELIPORT ? 100 : 600, outer = inner + (a.kind == APT_KIND_HELIPORT ? 1000 : 4000);
      float elev = a.elev_ft * 0.3048f;
      for (const wg_runway& r : a.rwy) {
        if (r.len_ft <= 0) continue;
        double reach = outer + r.len_ft * 0.3048 / 2, c = std::cos(r.lat * DEG);
        int I0 = (int)std::floor((r.lon - m.lon0 - reach / (M_PER_DEG * c)) * QUAD_CELLS_I);
        int I1 = (int)std::ceil((r.lon - m.lon0 + reach / (M_PER_DEG * c)) * QUAD_CELLS_I);
        int J0 = (int)std::floor((r.lat - m.lat0 - reach / M_PER_DEG) * QUAD_CELLS_J);
        int J1 = (int)std::ceil((r.lat - m.lat0 + reach / M_PER_DEG) * QUAD_CELLS_J);
        for (int J = std::max(0, J0); J <= std::min(w->rows - 1, J1); J++)
          for (int I = std::max(0, I0); I <= std::min(w->cols - 1, I1); I++) {
            size_t v = (size_t)J * w->cols + I;
            if (dist[v] == 0) continue;
            double d = runway_distance(r, m.lat0 + (double)J / QUAD_CELLS_J, m.lon0 + (double)I / QUAD_CELLS_I);
            if (pass == 1) {
              if (d <= inner) w->h[v] = elev;
            } else if (d > inner && d < outer) {
              double t = 1.0 - (d - inner) / (outer - inner), s = t * t * (3 - 2 * t);
              w->h[v] = (float)(w->h[v] * (1 - s) + elev * s);
            }
          }
      }
    }
}

// A two-pass chamfer sweep over the vertices with the true east-west and north-south spacing:
// relax(v, u, d) is offered every vertex v with each neighbour u already swept and the distance d
// between them in metres, forwards and then backwards, which carries a value outwards from its
// seeds as far as the grid reaches.
template <typename F>
static void chamfer_sweep(const water_mask& m, const world_heights& w, F relax) {
  const double dz = M_PER_DEG / QUAD_CELLS_J;
  for (int pass = 0; pass < 2; pass++) {
    int step = pass == 0 ? 1 : -1;
    for (int J = pass == 0 ? 0 : w.rows - 1; J >= 0 && J < w.rows; J += step) {
      double lat = m.lat0 + (double)J / QUAD_CELLS_J;
      float dx = (float)(M_PER_DEG * std::cos(lat * DEG) / QUAD_CELLS_I), dd = std::sqrt(dx * dx + (float)(dz * dz));
      const int ni[4] = {-1, 0, 1, -1}, nj[4] = {0, -1, -1, -1};
      const float nd[4] = {dx, (float)dz, dd, dd};
      for (int I = pass == 0 ? 0 : w.cols - 1; I >= 0 && I < w.cols; I += step) {
        size_t v = (size_t)J * w.cols + I;
        for (int k = 0; k < 4; k++) {
          int a = I + ni[k] * step, b = J + nj[k] * step;
          if (a < 0 || b < 0 || a >= w.cols || b >= w.rows) continue;
          relax(v, (size_t)b * w.cols + a, nd[k]);
        }
      }
    }
  }
}

// Ground rises from every airport and seaplane base no faster than the 40-to-1 obstacle surface
// that departures are planned against, so that an aircraft leaving any field in any direction at
// an ordinary climb (an autopilot's 500 ft/min at cruise-climb speed is about 250 ft per mile)
// clears the relief the noise makes. The relief's amplitude comes from the spread of the fields' elevations, which near
// mountain fields would otherwise raise hills steeper than anything departs over within a mile
// or two of a valley runway. Heliports are left out: they need no climb-out and some sit high.
static const float CLIMB_OUT_GRADIENT = 0.025f;  // 152 ft per nautical mile

static void cap_round_fields(const water_mask& m, const std::vector<float>& dist, world_heights* w) {
  std::vector<float> cap(w->h.size(), 1e9f);
  for (const wg_airport& a : wg.apt) {
    if (a.kind == APT_KIND_HELIPORT) continue;
    const float elev = a.elev_ft * 0.3048f;
    auto seed = [&](double lat, double lon) {
      long I = std::lround((lon - m.lon0) * QUAD_CELLS_I), J = std::lround((lat - m.lat0) * QUAD_CELLS_J);
      if (I < 0 || J < 0 || I >= w->cols || J >= w->rows) return;
      float& c = cap[(size_t)J * w->cols + I];
      c = std::min(c, elev);
    };
    seed(a.lat, a.lon);
    for (const wg_runway& r : a.rwy)
      if (r.len_ft > 0) seed(r.lat, r.lon);
  }
  chamfer_sweep(m, *w, [&](size_t v, size_t u, float d) {
    cap[v] = std::min(cap[v], cap[u] + CLIMB_OUT_GRADIENT * d);
  });
  for (size_t v = 0; v < w->h.size(); v++)
    if (dist[v] != 0) w->h[v] = std::min(w->h[v], cap[v]);
}

void build_heights(const water_mask& m, const char* hgt_dir, world_heights* w) {
  w->cols = m.cols + 1;
  w->rows = m.rows + 1;
  size_t nv = (size_t)w->cols * w->rows;
  coarse_field f;
  build_coarse(m.lat0, m.lon0, m.lat0 + (double)m.rows / QUAD_CELLS_J, m.lon0 + (double)m.cols / QUAD_CELLS_I, &f);
  lake_levels(m, f, &w->level);

  // Water level of each vertex that touches water (the lowest of its water cells), and from
  // there the distance of every other vertex to the nearest water and that water's level, by a
  // two-pass chamfer sweep with the true east-west and north-south spacing.
  std::vector<float> dist(nv, 1e9f), wlev(nv, 0.0f);
  for (int J = 0; J < w->rows; J++)
    for (int I = 0; I < w->cols; I++) {
      float lev = 1e9f;
      for (int dj = -1; dj <= 0; dj++)
        for (int di = -1; di <= 0; di++) {
          int a = I + di, b = J + dj;
          if (a < 0 || b < 0 || a >= m.cols || b >= m.rows) continue;
          size_t s = (size_t)b * m.cols + a;
          if (m.c[s] != MASK_LAND) lev = std::min(lev, w->level[s]);
        }
      if (lev < 1e8f) dist[(size_t)J * w->cols + I] = 0, wlev[(size_t)J * w->cols + I] = lev;
    }
  chamfer_sweep(m, *w, [&](size_t v, size_t u, float d) {
    if (dist[u] + d < dist[v]) dist[v] = dist[u] + d, wlev[v] = wlev[u];
  });

  // Relief over the regional level, eased down to the water within a few kilometres so that
  // shores meet their water at its level, and kept above the nearest water within 50 km, so that
  // only basins far from any sea or lake (Death Valley, say) may lie below it.
  const float shore = 6000.0f, basin = 50000.0f;
  w->h.assign(nv, 0.0f);
  for (int J = 0; J < w->rows; J++) {
    double lat = m.lat0 + (double)J / QUAD_CELLS_J;
    for (int I = 0; I < w->cols; I++) {
      double lon = m.lon0 + (double)I / QUAD_CELLS_I;
      size_t v = (size_t)J * w->cols + I;
      if (dist[v] == 0) {
        w->h[v] = wlev[v];
        continue;
      }
      float raw = coarse_at(f, f.mean, lat, lon) + coarse_at(f, f.amp, lat, lon) * (relief(lat, lon) + 0.25f);
      if (dist[v] < shore) {
        float t = dist[v] / shore, s = t * (2 - t);
        raw = wlev[v] + std::max(raw - wlev[v], 1.0f) * s;
      } else if (dist[v] < basin) {
        raw = std::max(raw, wlev[v] + 1.0f);
      }
      w->h[v] = raw;
    }
  }

  cap_round_fields(m, dist, w);
  flatten_runways(m, dist, w);
  if (hgt_dir) apply_hgt(hgt_dir, m, w);
}
