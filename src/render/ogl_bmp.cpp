// Loading 24-bit BMP files: finding the file for each kind, checking and reading the headers and
// pixel rows, then either drawing the picture into the window or reducing it and uploading it as a
// texture with its mipmaps.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <cstring>
#include <fstream>

#include "app/macibm.h"
#include "shared/shared.h"

// Size of the last bitmap read, which a missing texture's grey stand-in takes.
static int last_w = OGL_GREY_DEFAULT_SIZE, last_h = OGL_GREY_DEFAULT_SIZE;
// Mipmap levels below the first: at most half of the largest side each way.
static unsigned char mip_buf[(OGL_BMP_MAX / 2) * (OGL_BMP_MAX / 2) * 4];

void ogl_bmp_reset() { last_w = last_h = OGL_GREY_DEFAULT_SIZE; }

// ---- Reduction and mipmaps -------------------------------------------------------------------

int ogl_reduction_factor(int res, int tex, int w, int h, int max_size) {
  // By resolution level 1..5; the terrain textures, drawn many times over, give way first.
  static const int other[5] = {4, 2, 2, 1, 1};
  static const int terrain[5] = {16, 8, 4, 2, 1};
  res = intlim(res, 1, 5);
  int f = intrange(tex, 10, 21) ? terrain[res - 1] : other[res - 1];
  max_size = intmax2(max_size, 1);
  while (w / f > max_size || h / f > max_size) f *= 2;
  return f;
}

// Keeps every factor-th pixel of the w x h RGBA image in place; the result is at least one pixel
// each way. Returns the new size in *rw, *rh.
static void ogl_reduce_image(unsigned char* rgba, int w, int h, int factor, int* rw, int* rh) {
  factor = intmax2(factor, 1);
  *rw = intmax2(w / factor, 1);
  *rh = intmax2(h / factor, 1);
  // Forward in place: every pixel kept comes from at or after the place it goes to.
  for (int j = 0; j < *rh; j++)
    for (int i = 0; i < *rw; i++)
      std::memmove(rgba + 4 * (j * *rw + i), rgba + 4 * ((long)j * factor * w + (long)i * factor),
                   4);
}

void ogl_halve_image(const unsigned char* src, int w, int h, unsigned char* dst) {
  const int w2 = intmax2(w / 2, 1), h2 = intmax2(h / 2, 1);
  for (int j = 0; j < h2; j++) {
    // The second row and column of a block stay inside an image one texel wide or high.
    const int j0 = 2 * j, j1 = intmin2(2 * j + 1, h - 1);
    for (int i = 0; i < w2; i++) {
      const int i0 = 2 * i, i1 = intmin2(2 * i + 1, w - 1);
      const unsigned char* p[4] = {src + 4 * (j0 * w + i0), src + 4 * (j0 * w + i1),
                                   src + 4 * (j1 * w + i0), src + 4 * (j1 * w + i1)};
      unsigned char avg[4];
      for (int k = 0; k < 4; k++)
        avg[k] = (unsigned char)((p[0][k] + p[1][k] + p[2][k] + p[3][k] + 2) / 4);
      // Written after all four are read: in place, texel (i, j) lies at or before its block.
      std::memcpy(dst + 4 * (j * w2 + i), avg, 4);
    }
  }
}

// ---- Files -----------------------------------------------------------------------------------

static void bitmap_path(int kind, int a, const char* name, char* path) {
  if (kind == BMP_SCREEN) {
    C_to_C(app_path, path);
    app_C(path, "bitmaps/");
    if (std::strcmp(name, "Skyloom") != 0) app_C(path, "Kestrix/");
    app_C(path, name);
  } else if (kind == BMP_TEXTURE) {
    C_to_C(name, path);
    ap_dir("textures", path);
  } else {
    C_to_C(name, path);
  }
  app_C(path, ".BMP");
  fix_path_seps(path);
}

// Opens path, or the same name with a lower-case extension: file names are case-sensitive here.
static bool open_bitmap(std::ifstream& f, const char* path) {
  f.open(path, std::ios::binary);
  if (f.is_open()) return true;
  char lower[STR_SIZE];
  C_to_C(path, lower);
  size_t n = std::strlen(lower);
  if (n >= 4) std::memcpy(lower + n - 4, ".bmp", 4);
  f.clear();
  f.open(lower, std::ios::binary);
  return f.is_open();
}

static unsigned le16(const unsigned char* p) { return p[0] | (unsigned)p[1] << 8; }
static unsigned le32(const unsigned char* p) {
  return p[0] | (unsigned)p[1] << 8 | (unsigned)p[2] << 16 | (unsigned)p[3] << 24;
}

static int refuse(const char* l1, const char* path, const char* l3) {
  MACIBM_alert(l1, path, l3, "", ogl_fatal_kind(0));
  return 0;
}

static int scan_failed(const char* path) {
  MACIBM_alert("File-scanning error!", "intscan", "file:", path, ogl_fatal_kind(0));
  return 0;
}

static const char* const not_a_bitmap = "Trying to read a texture bitmap that is not a bitmap";

// Reads the headers and the pixel rows of an open file into rgb_array, bottom row first, as red,
// green, blue and opaque alpha. Returns 1 with the size, or gives the fatal alert and returns 0.
static int read_bitmap(std::ifstream& f, const char* path, int kind, int* w, int* h) {
  enum { FILE_HEADER = 14, INFO_HEADER = 40 };
  unsigned char fh[FILE_HEADER], ih[INFO_HEADER];
  f.read(reinterpret_cast<char*>(fh), FILE_HEADER);
  if (f.gcount() >= 2 && (fh[0] != 'B' || fh[1] != 'M')) return refuse(not_a_bitmap, path, "");
  if (f.gcount() < FILE_HEADER) return scan_failed(path);
  f.read(reinterpret_cast<char*>(ih), INFO_HEADER);
  if (f.gcount() < INFO_HEADER) return scan_failed(path);

  const long long info_size = le32(ih);
  const long long offset = le32(fh + 10);
  const long long width = (int)le32(ih + 4), height = (int)le32(ih + 8);
  const unsigned bits = le16(ih + 14), compression = le32(ih + 16);
  // A negative height is a picture stored top row first; its size is the magnitude.
  const long long rows = height < 0 ? -height : height;

  // Older headers shorter than 40 bytes hold their sizes in other places.
  if (info_size < INFO_HEADER) return refuse(not_a_bitmap, path, "");
  if (width > OGL_BMP_MAX) return refuse("Bitmap too wide! (max is 1024)", path, "");
  if (rows > OGL_BMP_MAX) return refuse("Bitmap too tall! (max is 1024)", path, "");
  if (width <= 0 || rows == 0) return refuse(not_a_bitmap, path, "");
  if (bits != 24)
    return refuse("Wrong bitmap color depth for texture!", path, "We need 24-bit color.");
  if (compression != 0) return refuse("Bitmap is compressed!", path, "");
  // The pixels start where the header says, which is never inside the headers themselves.
  if (offset < FILE_HEADER + info_size) return refuse(not_a_bitmap, path, "");
  if (kind == BMP_PANEL && (width != PANEL_BMP_W || rows != PANEL_BMP_H))
    return refuse("Custom cockpit bitmap is not 800x333 pixels!", path,
                  "The cockpit bitmap must be 800x333 pixels, with 32 or 24 bit RGB color.");

  f.seekg(offset);
  if (!f) return scan_failed(path);
  static unsigned char row[OGL_BMP_MAX * 3 + 3];
  const int row_bytes = ((int)width * 3 + 3) & ~3;  // rows are padded to whole 4-byte words
  for (int r = 0; r < rows; r++) {
    f.read(reinterpret_cast<char*>(row), row_bytes);
    if (f.gcount() < row_bytes) return scan_failed(path);
    const int dst_row = height < 0 ? (int)rows - 1 - r : r;
    unsigned char* dst = rgb_array + 4 * (long)dst_row * width;
    for (int i = 0; i < width; i++) {
      dst[4 * i + 0] = row[3 * i + 2];
      dst[4 * i + 1] = row[3 * i + 1];
      dst[4 * i + 2] = row[3 * i + 0];
      dst[4 * i + 3] = 255;
    }
  }
  *w = (int)width;
  *h = (int)rows;
  return 1;
}

// ---- Loading ---------------------------------------------------------------------------------

static unsigned char scaled(unsigned char v, float ratio) {
  return (unsigned char)fltlim(v * ratio, 0.0f, 255.0f);
}

static void draw_picture(int x, int y, int w, int h) {
  for (long p = 0; p < (long)w * h; p++) {
    unsigned char* px = rgb_array + 4 * p;
    px[0] = scaled(px[0], ogl_light_rat[0]);
    px[1] = scaled(px[1], ogl_light_rat[1]);
    px[2] = scaled(px[2], ogl_light_rat[2]);
  }
  ogl_be_draw_pixels(ogl_edge_x(x), ogl_edge_y(y), w, h, rgb_array, OGL_mapping().scale);
  ogl_touched(x, y, w, h);
}

static void upload_texture(int n, int b, int w, int h) {
  if (b == TEX_CUTOUT || b == TEX_CUTOUT2) {
    for (long p = 0; p < (long)w * h; p++) {
      unsigned char* px = rgb_array + 4 * p;
      if (px[0] == 0 && px[1] == 0 && px[2] == 0) px[3] = 0;
    }
  }
  if (b == TEX_TERRAIN && w != h)
    MACIBM_alert("WHOA!", "You have defined a NON-SQUARE texture for terrain!",
                 "NON-SQUARE textures are fine for everything but water and terrain files!", "",
                 ALERT_NOTICE);

  int rw, rh;
  ogl_reduce_image(rgb_array, w, h,
                   ogl_reduction_factor(ogl_res, n, w, h, ogl_be_max_texture_size()), &rw, &rh);
  const int mipmapped = b == TEX_TERRAIN;
  ogl_bind_quiet(n);
  ogl_be_texture_params(mipmapped, b == TEX_CLAMP);
  ogl_be_texture_level(0, rw, rh, rgb_array);
  long bytes = 4L * rw * rh;
  if (mipmapped) {
    const unsigned char* src = rgb_array;
    for (int level = 1; rw > 1 || rh > 1; level++) {
      ogl_halve_image(src, rw, rh, mip_buf);
      rw = intmax2(rw / 2, 1);
      rh = intmax2(rh / 2, 1);
      src = mip_buf;
      ogl_be_texture_level(level, rw, rh, mip_buf);
      bytes += 4L * rw * rh;
    }
  }
  tex_size[n] = (int)bytes;
}

int OGL_texbmp(int kind, int a, int b, const char* name) {
  if (!intrange(kind, BMP_TEXTURE, BMP_PANEL) || !name) return 0;
  const bool texture = kind == BMP_TEXTURE || kind == BMP_TEXTURE_PATH;
  char path[STR_SIZE];
  bitmap_path(kind, a, name, path);
  if (texture) OGL_show_init(0);

  int w, h;
  std::ifstream f;
  const bool from_file = open_bitmap(f, path);
  if (from_file) {
    if (!read_bitmap(f, path, kind, &w, &h)) return 0;
    last_w = w;
    last_h = h;
  } else if (kind == BMP_SCREEN) {
    MACIBM_alert("Can't open bitmap!", path, "", "", ogl_fatal_kind(0));
    return 0;
  } else if (kind == BMP_PANEL) {
    return 0;
  } else {
    // A missing scenery texture is drawn plain grey rather than stopping the program.
    w = last_w;
    h = last_h;
    for (long p = 0; p < (long)w * h; p++) {
      unsigned char* px = rgb_array + 4 * p;
      px[0] = px[1] = px[2] = 200;
      px[3] = 255;
    }
  }

  if (!texture) {
    draw_picture(a, b, w, h);
    return 1;
  }
  if (!intrange(a, 0, OGL_TEXTURES - 1)) {
    int value = a;
    MACIBM_alert("Too many textures loaded!", path, "", reinterpret_cast<const char*>(&value),
                 ogl_fatal_kind(1));
    return 0;
  }
  upload_texture(a, b, w, h);
  return from_file ? 1 : 0;
}
