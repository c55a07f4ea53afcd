// What the map files share while a map is drawn: the parts of a map in drawing order, the
// vertex buffers and 2-D shapes they are built from, and the colours of the charts.
#pragma once

#include "render/map.h"
#include "render/scene.h"

// The parts of a map, in map.cpp's order: the ground under a 2-D map (the region's terrain or the
// world's background), the storm cells, the chart's symbols with their label boxes, the labels'
// text after the batches, and the 3-D scenes, which draw themselves whole.
void map_draw_ground(const mapview* v);
void map_draw_radar(const mapview* v);
void map_draw_chart(const mapview* v);
void map_draw_labels(const mapview* v);
void map_draw_3d(mapview* v);

// Flat shapes in window pixels for the batches (z 0): a quad of corners in order round it, a line.
void map_quad(vbuf* b, const float xy[4][2], rgba c);
void map_line(vbuf* b, float x1, float y1, float x2, float y2, rgba c);

// The paper of the light charts, and the ground colour of a height (m) under the light from the
// north-west: `shade` is the cosine between the ground's normal and the light.
rgba map_paper();
rgba map_ground_color(float h, float shade);
