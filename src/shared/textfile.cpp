// The text-file layer: the one input and one output stream, the opener that checks the platform
// marker and version, the scanners every reader uses, checkpoints, and the writer's opener and
// closer that replace a file only once it has been written in full.
#include "shared/shared.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <locale>
#include <string>

#include "app/macibm.h"

std::ifstream inf;
std::ofstream ouf;
int inf_is_bin = 0;
int rev_inf_bin = 0;
char x_eln = '\n';

// The output file being written: its final name and the temporary it is written to first.
static std::string ouf_target;
static std::string ouf_temp;

static const char* const checkpoint_label = "file used by checkpoint";

int inf_failure_notice = 0;
int inf_failed = 0;

// A malformed file stops the program in either program (the editor's fatal code differs), unless
// the caller asked for a notice: then only the first fault of the file is told, and the reader
// runs on to its end on a stream that has stopped giving values.
static int fatal_kind() {
  return macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_FATAL : ALERT_SIM_FATAL;
}

static void file_fault(const char* l1, const char* l2, const char* l3, const char* l4) {
  if (inf_failure_notice) {
    if (!inf_failed) MACIBM_alert(l1, l2, l3, l4, ALERT_NOTICE);
    inf_failed = 1;
    return;
  }
  MACIBM_alert(l1, l2, l3, l4, fatal_kind());
}

static void scan_failed(const char* scanner, const char* label) {
  file_fault("File-scanning error!", scanner, "file:", label);
}

static bool host_is_big_endian() {
  const std::uint32_t one = 1;
  unsigned char first;
  std::memcpy(&first, &one, 1);
  return first == 0;
}

void rev_byte_order4(void* p) {
  unsigned char* b = static_cast<unsigned char*>(p);
  unsigned char t = b[0];
  b[0] = b[3];
  b[3] = t;
  t = b[1];
  b[1] = b[2];
  b[2] = t;
}

// ---- Binary values ---------------------------------------------------------------------------

// Reads one 4-byte value of a binary file into `out`, in the reading machine's order.
static bool read_binary4(void* out) {
  unsigned char b[4];
  if (!inf.read(reinterpret_cast<char*>(b), 4)) return false;
  if (rev_inf_bin) rev_byte_order4(b);
  std::memcpy(out, b, 4);
  return true;
}

// ---- Scanners --------------------------------------------------------------------------------

// Every loop below ends at the line end or at the end of the stream, so no input can keep a
// scanner reading forever, and nothing is stored beyond the destination's size.
void rln(const char* label) {
  char c;
  for (;;) {
    if (!inf.get(c)) {
      scan_failed("rln middle", label);
      return;
    }
    if (c == x_eln) break;
  }
  if (!inf.good()) scan_failed("rln finish", label);
}

// The stream's own extraction skips blanks and line ends and fails on text that is not a number
// and on a number outside the type's range, which makes such a value a scan failure.
template <typename T>
static T scan_value(const char* scanner, const char* label, bool skip_line) {
  static_assert(sizeof(T) == 4, "binary files hold 4-byte values");
  T v{};
  if (inf_is_bin) {
    if (!read_binary4(&v)) scan_failed(scanner, label);
    return v;
  }
  if (!(inf >> v)) {
    scan_failed(scanner, label);
    return T{};
  }
  if (skip_line) rln(label);
  return v;
}

int intscan(const char* label) { return scan_value<int>("intscan", label, true); }
float fltscan(const char* label) { return scan_value<float>("fltscan", label, true); }
int bolscan(const char* label) { return scan_value<int>("bolscan", label, true) == 1 ? 1 : 0; }
int intscanNOSN(const char* label) { return scan_value<int>("intscanNOSN", label, false); }
float fltscanNOSN(const char* label) { return scan_value<float>("fltscanNOSN", label, false); }
int bolscanNOSN(const char* label) {
  return scan_value<int>("bolscanNOSN", label, false) == 1 ? 1 : 0;
}

// Keeps at most size - 2 characters of the line. In a line-feed file a carriage return just before
// the line end is the other half of a Windows line end, not part of the text.
void stringscan(char* dest, const char* label, int size) {
  int cap = size > 2 ? size - 2 : 0;
  int stored = 0;
  long long total = 0;
  char c, last = '\0';
  for (;;) {
    if (!inf.get(c)) {
      if (size >= 1) dest[stored] = '\0';
      scan_failed("stringscan", label);
      return;
    }
    if (c == x_eln) break;
    if (stored < cap) dest[stored++] = c;
    last = c;
    total++;
  }
  if (x_eln == '\n' && last == '\r' && total <= cap) stored--;
  if (size >= 1) dest[stored] = '\0';
  if (!inf.good()) scan_failed("stringscan", label);
}

// A checkpoint is an empty line, a line starting with its number, and another empty line.
int checkpoint(int n, int alert) {
  rln(checkpoint_label);
  int got = intscan(checkpoint_label);
  if (got == n) {
    rln(checkpoint_label);
    return 1;
  }
  std::snprintf(C_s, sizeof C_s, "Wanted checkpoint %d, but got point %d.", n, got);
  if (alert)
    file_fault("An error occurred during read-in of the aircraft file.",
               "Either the file has been corrupted,or it is not really an aircraft file.", C_s, "");
  return 0;
}

// ---- Opening a file for reading --------------------------------------------------------------

// Reads the version without any alert, for callers that handle an unreadable file themselves.
static bool read_version_quietly(int* v) {
  if (inf_is_bin) return read_binary4(v);
  if (!(inf >> *v)) return false;
  char c;
  while (inf.get(c))
    if (c == x_eln) return true;
  return false;
}

// The first line is one marker character and the file's own line end. A marker followed by
// carriage return and line feed was written with Windows line ends: it reads as a line-feed file,
// and the carriage returns before each line feed are passed over.
static bool read_text_marker() {
  char m;
  if (!inf.get(m) || (m != 'A' && m != 'I')) return false;
  char e;
  if (!inf.get(e)) return true;  // the missing version line is found next
  if (e == '\r' && inf.peek() == '\n') {
    inf.get(e);
    e = '\n';
  }
  x_eln = e;
  return true;
}

int inf_open(const char* path, int kind, int version, int alert) {
  inf.clear();
  if (inf.is_open()) inf.close();
  inf.clear();
  inf_is_bin = kind == FILE_BINARY ? 1 : 0;
  rev_inf_bin = 0;
  if (!path) return 0;

  std::ios::openmode mode = std::ios::in;
  if (inf_is_bin) mode |= std::ios::binary;
  inf.open(path, mode);
  if (!inf.good()) return 0;
  inf.imbue(std::locale::classic());

  if (inf_is_bin) {
    // 'i' files hold little-endian values and 'a' files big-endian ones.
    char m;
    if (!inf.get(m) || (m != 'a' && m != 'i')) return 0;
    rev_inf_bin = (m == 'a') != host_is_big_endian() ? 1 : 0;
  } else if (!read_text_marker()) {
    return 0;
  }

  int v = 0;
  if (alert) {
    v = intscan(path);
    if (inf.fail()) return 0;
  } else if (!read_version_quietly(&v)) {
    return 0;
  }
  if (v != version) {
    if (!alert) return 0;
    file_fault("The following file is the wrong version for this version of Kestrix:", path,
               "Throw that file away. You should only use the files that came with the program.",
               "You may have to build or install Kestrix again to get them back.");
    return 0;
  }
  return inf.good() ? 1 : 0;
}

// ---- Writing a file --------------------------------------------------------------------------

static void save_failed(const char* path) {
  // A path typed to a batch tool or a tool's folder argument may name a folder that is not there.
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(path ? path : "").parent_path();
  if (!folder.empty() && !std::filesystem::exists(folder, ec) && !ec) {
    MACIBM_alert("I could not save the file! Its folder does not exist:", path,
                 "Save it in a folder that exists, or make this one first (for example with "
                 "'mkdir -p' in a terminal).",
                 "", ALERT_NOTICE);
    return;
  }
  // Nor is a name that a folder already has: nothing can be written in its place.
  if (path && std::filesystem::is_directory(path, ec)) {
    MACIBM_alert("I could not save the file! A folder of that name is there:", path,
                 "Give the file a name of its own, in that folder or beside it.", "", ALERT_NOTICE);
    return;
  }
  MACIBM_alert(
      "I could not save the file! Could your disk be full?", path,
      "Could the file or its folder be read-only? Files copied from a CD or another user often "
      "are.",
      "Make them writable (for example with 'chmod u+w' in a terminal) and save again.",
      ALERT_NOTICE);
}

// Abandons a write that was never finished: the temporary goes, the target stays as it was.
static void discard_pending_output() {
  if (ouf.is_open()) ouf.close();
  ouf.clear();
  if (!ouf_temp.empty()) {
    std::error_code ec;
    std::filesystem::remove(ouf_temp, ec);
  }
  ouf_temp.clear();
  ouf_target.clear();
}

// A file without any write permission is the read-only flag of the desktop: it is refused as it
// would be when written in place, although the replacement by renaming could go past it.
static bool target_is_read_only(const char* path) {
  std::error_code ec;
  std::filesystem::file_status st = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(st)) return false;
  if (std::filesystem::is_directory(st)) return true;
  using std::filesystem::perms;
  return (st.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
         perms::none;
}

// Writes to a temporary beside the target (the same folder, so the final rename never crosses
// file systems); ouf_close puts it in place. The stream's format state is reset so that one
// writer's width or precision never leaks into the next file.
int ouf_open(const char* path, int kind, int version) {
  discard_pending_output();
  if (path && *path && !target_is_read_only(path)) {
    ouf_target = path;
    // A link is written through, as a file written in place would be: the file it points to is
    // replaced and the link stays, instead of the link becoming a copy and the file going stale.
    std::error_code ec;
    if (std::filesystem::is_symlink(ouf_target, ec)) {
      const std::filesystem::path real = std::filesystem::weakly_canonical(ouf_target, ec);
      if (!ec) ouf_target = real.string();
    }
    ouf_temp = ouf_target + ".tmp";
    std::ios::openmode mode = std::ios::out | std::ios::trunc;
    if (kind == FILE_BINARY) mode |= std::ios::binary;
    ouf.open(ouf_temp, mode);
    if (ouf.is_open()) {
      ouf.imbue(std::locale::classic());
      ouf.flags(std::ios::dec | std::ios::skipws);
      ouf.precision(6);
      ouf.width(0);
      ouf.fill(' ');
      if (kind == FILE_BINARY) {
        ouf.put(host_is_big_endian() ? 'a' : 'i');
        ouf.write(reinterpret_cast<const char*>(&version), 4);
      } else {
        ouf.setf(std::ios::fixed, std::ios::floatfield);
        ouf << "I\n" << version << " version\n";
      }
    }
  }
  if (!ouf.is_open() || !ouf.good()) {
    discard_pending_output();
    save_failed(path);
    return 0;
  }
  return 1;
}

int ouf_close() {
  if (!ouf.is_open()) {
    // Nothing is being written: ouf_open failed and has already said so.
    discard_pending_output();
    return 0;
  }
  ouf.flush();
  bool ok = ouf.good();
  ouf.close();
  ok = ok && !ouf.fail();

  std::string target = ouf_target;
  if (ok && !ouf_temp.empty()) {
    std::error_code ec;
    // The replacement keeps the permissions of the file it replaces.
    std::filesystem::file_status old = std::filesystem::status(target, ec);
    if (!ec && std::filesystem::exists(old))
      std::filesystem::permissions(ouf_temp, old.permissions(), ec);
    ec.clear();
    std::filesystem::rename(ouf_temp, target, ec);
    ok = !ec;
    if (ok) ouf_temp.clear();
  }
  discard_pending_output();
  if (!ok) save_failed(target.c_str());
  return ok ? 1 : 0;
}
