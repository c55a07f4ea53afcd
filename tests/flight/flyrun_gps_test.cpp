// kestrix-fly's position sentences read by real receivers: gpsd's own decoder (gpsdecode) from a
// file, and gpsd itself from a pseudo-terminal, each checked against the flight's own figures.
// The programs come from Debian's gpsd and gpsd-clients, which scripts/install-deps.sh installs;
// a missing program fails the test.
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace {

const char* const RUNNER = KESTRIX_RUNTIME_DIR "/kestrix-fly";

// The number after "key": in a JSON object on one line; NAN when absent.
double json_number(const std::string& line, const char* key) {
  size_t at = line.find(std::string("\"") + key + "\":");
  if (at == std::string::npos) return NAN;
  return std::strtod(line.c_str() + at + std::strlen(key) + 3, nullptr);
}

std::string json_text(const std::string& line, const char* key) {
  size_t at = line.find(std::string("\"") + key + "\":\"");
  if (at == std::string::npos) return "";
  size_t from = at + std::strlen(key) + 4;
  return line.substr(from, line.find('"', from) - from);
}

// One row of the runner's time history: time, position, and the ground speed and track between
// this frame and the next, from the world position itself (X east, Z south).
struct flight_row {
  double t, lat, lon, speed, track;
};

std::vector<flight_row> read_flight(const std::string& csv) {
  std::vector<flight_row> rows;
  std::vector<double> x, z;
  for (const std::string& line : lines_of(read_file(csv))) {
    double t, X, Z, lat, lon;  // the header does not read as numbers
    if (std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf", &t, &X, &Z, &lat, &lon) != 5) continue;
    rows.push_back({t, lat, lon, 0, 0});
    x.push_back(X);
    z.push_back(Z);
  }
  for (size_t i = 0; i + 1 < rows.size(); i++) {
    double dt = rows[i + 1].t - rows[i].t, dx = x[i + 1] - x[i], dn = z[i] - z[i + 1];
    rows[i].speed = std::hypot(dx, dn) / dt;
    rows[i].track = std::fmod(std::atan2(dx, dn) * 180.0 / M_PI + 360.0, 360.0);
  }
  return rows;
}

// Seconds of the day in a time of day written as hours, minutes and seconds in `format`.
double day_seconds(const char* text, const char* format) {
  int h, m;
  double s;
  if (std::sscanf(text, format, &h, &m, &s) != 3) return NAN;
  return h * 3600.0 + m * 60.0 + s;
}

// Every TPV report with a fix agrees with the flight at its time: position within the sentence's
// hundredth of a minute, speed and track over the ground. Returns the number of reports checked.
int check_reports(const std::string& json, const std::vector<flight_row>& flight, double utc0) {
  int checked = 0;
  for (const std::string& line : lines_of(json)) {
    if (json_text(line, "class") != "TPV" || json_number(line, "mode") < 2) continue;
    std::string when = json_text(line, "time");
    EXPECT_EQ(when.substr(0, 10), "2024-06-21") << line;
    double t = day_seconds(when.c_str() + 11, "%d:%d:%lfZ") - utc0;  // "2024-06-21T20:00:03.050Z"
    const flight_row* r = nullptr;
    for (const flight_row& f : flight)
      if (std::fabs(f.t - t) < 0.026) r = &f;
    if (!r) {
      ADD_FAILURE() << "no frame of the flight at t=" << t << ": " << line;
      continue;
    }
    EXPECT_NEAR(json_number(line, "lat"), r->lat, 2.0e-4) << line;
    EXPECT_NEAR(json_number(line, "lon"), r->lon, 2.0e-4) << line;
    EXPECT_NEAR(json_number(line, "speed"), r->speed, 0.1 + 0.01 * r->speed) << line;
    EXPECT_NEAR(json_number(line, "track"), r->track, 0.5) << line;
    checked++;
  }
  return checked;
}

// The UTC of the flight's first frame: its first sentence's time (hhmmss.ss after "$GPRMC,").
double first_sentence_utc(const std::string& nmea) {
  size_t at = nmea.find("$GPRMC,");
  return at == std::string::npos ? NAN : day_seconds(nmea.c_str() + at + 7, "%2d%2d%lf");
}

std::string run_args(const std::string& nmea, const std::string& csv) {
  return std::string(RUNNER) +
         " --aircraft builtin:trainer --seconds 30 --throttle 1 --heading 60 --nmea " + nmea +
         " --csv " + csv + " >/dev/null";
}

bool have_program(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

TEST(FlightRunnerGps, GpsdecodeReadsPositionsTimesSpeedsAndTracksOfTheFlight) {
  ASSERT_TRUE(have_program("gpsdecode")) << "gpsdecode is missing: scripts/install-deps.sh "
                                            "installs Debian's gpsd-clients";
  ASSERT_EQ(std::system(run_args("gps.nmea", "gps.csv").c_str()), 0);
  ASSERT_EQ(std::system("gpsdecode < gps.nmea > gps.json"), 0);
  std::vector<flight_row> flight = read_flight("gps.csv");
  ASSERT_GT(flight.size(), 500u);
  std::string nmea = read_file("gps.nmea");
  // One RMC for each of the 30 whole seconds at whose start a frame ran.
  size_t rmc = 0;
  for (size_t at = nmea.find("$GPRMC"); at != std::string::npos; at = nmea.find("$GPRMC", at + 1))
    rmc++;
  EXPECT_EQ(rmc, 30u);
  EXPECT_GE(check_reports(read_file("gps.json"), flight, first_sentence_utc(nmea)), 25);
}

namespace {

// A pseudo-terminal in raw mode: its master descriptor and its slave's path.
struct pty {
  int master = -1;
  std::string slave;
};

pty open_pty() {
  pty p;
  p.master = posix_openpt(O_RDWR | O_NOCTTY);
  if (p.master < 0 || grantpt(p.master) != 0 || unlockpt(p.master) != 0) return p;
  p.slave = ptsname(p.master);
  struct termios t;
  if (tcgetattr(p.master, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(p.master, TCSANOW, &t);
  }
  chmod(p.slave.c_str(), 0666);  // gpsd may read as a user of its own
  return p;
}

int free_port() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t n = sizeof a;
  int port = -1;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
    port = ntohs(a.sin_port);
  close(s);
  return port;
}

pid_t spawn(const std::vector<std::string>& args, const char* out) {
  pid_t pid = fork();
  if (pid == 0) {
    if (out) {
      int fd = open(out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 1);
    }
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

}  // namespace

// The runner writes to one pseudo-terminal as it would to a serial cable; what arrives at the far
// end is passed on to a second one, which gpsd reads as its receiver's port.
TEST(FlightRunnerGps, GpsdReadingAPseudoTerminalReportsTheAircraftsPosition) {
  ASSERT_TRUE(have_program("gpsd") && have_program("gpspipe"))
      << "gpsd or gpspipe is missing: scripts/install-deps.sh installs Debian's gpsd and "
         "gpsd-clients";
  pty cable = open_pty(), receiver = open_pty();
  ASSERT_FALSE(cable.slave.empty() || receiver.slave.empty());
  const int port = free_port();
  ASSERT_GT(port, 0);
  const std::string ps = std::to_string(port);

  pid_t gpsd =
      spawn({"gpsd", "-N", "-n", "-b", "-S", ps, "-F", "gpsd.sock", receiver.slave}, nullptr);
  // gpspipe waits for gpsd's port, then reports for five seconds.
  pid_t pipe = -1;
  for (int tries = 0; tries < 50; tries++) {
    usleep(100000);
    if (std::system(("gpspipe -w -n 1 localhost:" + ps + " >/dev/null 2>&1").c_str()) == 0) {
      pipe = spawn({"gpspipe", "-w", "-x", "5", "localhost:" + ps}, "gpsd.json");
      break;
    }
  }
  ASSERT_GT(pipe, 0) << "gpsd did not answer on port " << port;
  usleep(500000);

  std::atomic<bool> done{false};
  std::string sent;
  std::thread relay([&] {
    char buf[4096];
    while (true) {
      ssize_t n = read(cable.master, buf, sizeof buf);
      if (n > 0) {
        sent.append(buf, static_cast<size_t>(n));
        if (write(receiver.master, buf, static_cast<size_t>(n)) != n) break;
        continue;
      }
      if (done) break;
      usleep(10000);
    }
  });
  int fl = fcntl(cable.master, F_GETFL);
  fcntl(cable.master, F_SETFL, fl | O_NONBLOCK);
  int status = std::system(run_args(cable.slave, "pty.csv").c_str());
  usleep(300000);
  done = true;
  relay.join();
  int st;
  waitpid(pipe, &st, 0);
  kill(gpsd, SIGTERM);
  waitpid(gpsd, &st, 0);
  close(cable.master);
  close(receiver.master);

  ASSERT_EQ(status, 0);
  std::vector<flight_row> flight = read_flight("pty.csv");
  ASSERT_GT(flight.size(), 500u);
  std::string json = read_file("gpsd.json");
  EXPECT_GE(check_reports(json, flight, first_sentence_utc(sent)), 5) << json;
}
