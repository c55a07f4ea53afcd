// Serial port 1 through POSIX termios: the first serial device of the machine, raw 8-bit
// characters, written without waiting. The port's own settings are kept and put back when the
// program ends, so that whatever uses the port next finds it as it was.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "app/desktop/desktop.h"
#include "app/macibm.h"

static int port = -1;
static struct termios saved;  // the settings the port had when it was opened

// The port codes for an errno of open(): -1 no such port, -2 already open, -4 no memory, -10 a
// hardware error.
static int desktop_serial_open_error(int err) {
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTTY:
    case EIO:  // a device node with no port behind it
      return -1;
    case EBUSY:
    case EWOULDBLOCK:
      return -2;
    case ENOMEM:
      return -4;
    default:
      return -10;
  }
}

// The system console may sit on the first serial port; it is in use and not ours to reprogram.
static bool is_console(const char* device) {
  std::ifstream f("/sys/class/tty/console/active");
  std::string name;
  const char* base = std::strrchr(device, '/');
  base = base ? base + 1 : device;
  while (f >> name)
    if (name == base) return true;
  return false;
}

int desktop_serial_open_device(const char* device) {
  desktop_serial_close();
  if (is_console(device)) return -2;
  int fd = open(device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return desktop_serial_open_error(errno);
  // Another program holding the port locked has it open.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int e = errno;
    close(fd);
    return desktop_serial_open_error(e == EWOULDBLOCK ? EBUSY : e);
  }
  if (tcgetattr(fd, &saved) != 0) {
    int e = errno;
    close(fd);
    return desktop_serial_open_error(e);
  }
  struct termios raw = saved;
  cfmakeraw(&raw);
  raw.c_cflag |= CLOCAL | CREAD;
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &raw) != 0) {
    int e = errno;
    close(fd);
    return desktop_serial_open_error(e);
  }
  port = fd;
  return 0;
}

int desktop_serial_set_baud(int baud) {
  if (port < 0) return -1;
  speed_t speed;
  switch (baud) {
    case 9600:
      speed = B9600;
      break;
    case 19200:
      speed = B19200;
      break;
    case 38400:
      speed = B38400;
      break;
    case 57600:
      speed = B57600;
      break;
    case 115200:
      speed = B115200;
      break;
    default:
      return -12;
  }
  struct termios t;
  if (tcgetattr(port, &t) != 0) return -1;
  if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return -12;
  if (tcsetattr(port, TCSANOW, &t) != 0) return errno == EINVAL ? -12 : -1;
  return 0;
}

// A port that cannot take the bytes now drops them: the loop never waits for the line.
int desktop_serial_write(const void* bytes, int n) {
  if (port < 0) return -1;
  if (n <= 0) return 0;
  ssize_t w = write(port, bytes, static_cast<size_t>(n));
  if (w < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
  return static_cast<int>(w);
}

void desktop_serial_close() {
  if (port < 0) return;
  tcsetattr(port, TCSANOW, &saved);
  flock(port, LOCK_UN);
  close(port);
  port = -1;
}

// ---- Back-end hooks --------------------------------------------------------------------------

// Port 1 is the first of the machine's serial devices that exists: the built-in port, else a USB
// adapter. A machine with none has no port to report on.
int backend_serial_open(int in_queue, int out_queue) {
  static const char* const devices[] = {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM0"};
  for (const char* d : devices) {
    struct stat st;
    if (stat(d, &st) == 0) return desktop_serial_open_device(d);
  }
  return 1;
}

int backend_serial_baud(int baud) { return desktop_serial_set_baud(baud); }
int backend_serial_write(const void* bytes, int n) { return desktop_serial_write(bytes, n); }
void backend_serial_close() { desktop_serial_close(); }
