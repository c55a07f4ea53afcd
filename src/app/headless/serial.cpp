// Serial port 1 of the headless back end: by default a port that reports the codes a test sets
// and swallows what is written; or a file, pipe or terminal standing for the port, which is how
// the headless runner hands the position sentences to another program.
#include "app/headless/headless.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "app/macibm.h"

static int serial_open_code = 1;
static int serial_baud_code = 0;
static std::string device;
static int fd = -1;

void headless_set_serial_codes(int open_code, int baud_code) {
  serial_open_code = open_code;
  serial_baud_code = baud_code;
}

void headless_set_serial_device(const char* path) { device = path ? path : ""; }

void backend_serial_close() {
  if (fd >= 0) close(fd);
  fd = -1;
}

void headless_reset_serial() {
  backend_serial_close();
  serial_open_code = 1;
  serial_baud_code = 0;
  device.clear();
}

int backend_serial_open(int in_queue, int out_queue) {
  if (device.empty()) return serial_open_code;
  backend_serial_close();
  fd = open(device.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, 0644);
  if (fd < 0) return errno == EBUSY ? -2 : errno == ENOMEM ? -4 : -1;
  // A reader that goes away is a failed write, not the end of the program.
  std::signal(SIGPIPE, SIG_IGN);
  struct termios t;
  if (tcgetattr(fd, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
  }
  return 0;
}

int backend_serial_baud(int baud) { return device.empty() ? serial_baud_code : 0; }

int backend_serial_write(const void* bytes, int n) {
  if (device.empty()) return n;
  if (fd < 0) return -1;
  const char* p = static_cast<const char*>(bytes);
  int done = 0;
  while (done < n) {
    ssize_t w = write(fd, p + done, static_cast<size_t>(n - done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    done += static_cast<int>(w);
  }
  return done;
}
