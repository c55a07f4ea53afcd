// Paths beside the program and the file-kind filters and default extensions of the open and save
// dialogs.
#include "shared/shared.h"

#include <cstring>
#include <strings.h>

char app_path[STR_SIZE] = "";
char filter_str[STR_SIZE];
char def_ext[5];

void fix_path_seps(char* path) {
  for (; *path; path++)
    if (*path == '\\') *path = '/';
}

void with_extension(char* path, const char* ext) {
  const size_t n = std::strlen(path), e = std::strlen(ext);
  if (n >= e && strcasecmp(path + n - e, ext) == 0) return;
  if (n + e >= STR_SIZE) return;
  app_C(path, ext);
}

void ap_dir(const char* dir, char* name) {
  char joined[STR_SIZE];
  C_to_C(app_path, joined);
  if (dir && *dir) {
    app_C(joined, dir);
    app_C(joined, "/");
  }
  app_C(joined, name);
  fix_path_seps(joined);
  C_to_C(joined, name);
}

static size_t bounded_length(const char* s, size_t most) {
  size_t n = 0;
  while (n < most && s[n]) n++;
  return n;
}

// The filter is a description, a NUL, a pattern, and two NULs to end the list. Overlong
// arguments are cut so that the pattern and both final NULs always fit in the buffer.
int build_IBM_filter(const char* desc, const char* ext) {
  const size_t ext_len = bounded_length(ext, 64);
  const size_t room = sizeof filter_str - (2 * ext_len + 10);
  const size_t desc_len = bounded_length(desc, room);
  size_t n = 0;
  auto put = [&n](const char* s, size_t len) {
    std::memcpy(filter_str + n, s, len);
    n += len;
  };
  put(desc, desc_len);
  put(" (*.", 4);
  put(ext, ext_len);
  put(")", 2);  // with its NUL
  put("*.", 2);
  put(ext, ext_len);
  put("\0", 2);  // two NULs
  // The dialogs take the first four characters of the extension as the default.
  size_t d = ext_len < 4 ? ext_len : 4;
  std::memcpy(def_ext, ext, d);
  def_ext[d] = '\0';
  return static_cast<int>(n - 1);
}

void set_up_IBM_filter(int kind) {
  switch (kind) {
    case FILE_AIRFOIL:
      build_IBM_filter("Airfoil", "afl");
      break;
    case FILE_FLAP:
      build_IBM_filter("Flap", "flp");
      break;
    case FILE_SITUATION:
      build_IBM_filter("Situation", "sit");
      break;
    case FILE_AIRCRAFT:
      build_IBM_filter("Aircraft", "acf");
      break;
    case FILE_ANY:
      build_IBM_filter("Any", "*");
      break;
    default:
      break;  // kinds without a description keep the filter they had
  }
}
