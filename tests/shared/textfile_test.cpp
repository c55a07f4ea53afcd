// The text-file layer: opening and line ends, the scanners and their failures, checkpoints,
// binary files in both byte orders, and writing with the replace-only-when-complete guarantee.
#include "support/test_support.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <iomanip>
#include <string>
#include <vector>

#include "shared/shared.h"

namespace fs = std::filesystem;

static void expect_scan_failure(const char* scanner, const char* label) {
  EXPECT_EQ(last_alert().line[0], "File-scanning error!");
  EXPECT_EQ(last_alert().line[1], scanner);
  EXPECT_EQ(last_alert().line[3], label);
}

TEST(SharedTextfile, LearnsTheLineEndFromTheMarkerLine) {
  char s[STR_SIZE];
  write_file("lf.txt", "I\n35 version\n     7 a comment\n1 2 -3.5 1 0 rest\n0\n2\n-1\n1\n");
  ASSERT_EQ(inf_open("lf.txt", FILE_ANY, 35, 1), 1);
  EXPECT_EQ(x_eln, '\n');
  EXPECT_EQ(intscan("lf"), 7);
  EXPECT_EQ((std::vector<int>{intscanNOSN("lf"), intscanNOSN("lf")}),
            (std::vector<int>{1, 2}));  // several values on one line
  EXPECT_EQ(fltscanNOSN("lf"), -3.5f);
  EXPECT_EQ((std::vector<int>{bolscanNOSN("lf"), bolscanNOSN("lf")}), (std::vector<int>{1, 0}));
  rln("lf");
  EXPECT_EQ((std::vector<int>{bolscan("lf"), bolscan("lf"), bolscan("lf")}),
            std::vector<int>(3, 0));  // 0, 2 and -1 are all false
  EXPECT_EQ(bolscan("lf"), 1);

  write_file("cr.txt", "A\r35 version\r     7 comment\rwing one\r2.5 x\r");
  ASSERT_EQ(inf_open("cr.txt", FILE_ANY, 35, 1), 1);
  EXPECT_EQ(x_eln, '\r');
  EXPECT_EQ(intscan("cr"), 7);
  stringscan(s, "cr", STR_SIZE);
  EXPECT_STREQ(s, "wing one");
  EXPECT_EQ(fltscan("cr"), 2.5f);

  write_file("crlf.txt", "I\r\n35 version\r\n7 comment\r\nwing two\r\n\r\n1\r\n");
  ASSERT_EQ(inf_open("crlf.txt", FILE_ANY, 35, 1), 1);
  EXPECT_EQ(x_eln, '\n');
  EXPECT_EQ(intscan("crlf"), 7);
  stringscan(s, "crlf", STR_SIZE);
  EXPECT_STREQ(s, "wing two");
  stringscan(s, "crlf", STR_SIZE);
  EXPECT_STREQ(s, "");
  EXPECT_EQ(bolscan("crlf"), 1);
}

TEST(SharedTextfile, RefusesBadMarkersAndWrongVersions) {
  for (const char* bytes : {"i\n35 version\n", "X\n35 version\n", "", "I\n", "I\nabc\n"}) {
    write_file("bad.txt", bytes);
    EXPECT_EQ(inf_open("bad.txt", FILE_ANY, 35, 0), 0) << bytes;
  }
  EXPECT_EQ(inf_open("missing.txt", FILE_ANY, 35, 1), 0);
  EXPECT_TRUE(macibm_alert_log().empty());  // silent: the callers give their own messages

  write_file("old.acf", "I\n34 version\n");
  EXPECT_EQ(inf_open("old.acf", FILE_ANY, 35, 0), 0);
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_FATAL_ALERT(inf_open("old.acf", FILE_ANY, 35, 1));
  EXPECT_EQ(last_alert().line[0],
            "The following file is the wrong version for this version of Kestrix:");
  EXPECT_EQ(last_alert().line[1], "old.acf");
  EXPECT_EQ(last_alert().line[3],
            "You may have to build or install Kestrix again to get them back.");
}

TEST(SharedTextfile, StringScanCutsLongLinesAndNeverOverruns) {
  std::string line500(500, 'w'), line100k(100000, 'k');
  const char nul_line[] = "ab\0c\nxyz\n\n";
  write_file("s.txt", "I\n1 version\n" + line500 + "\n" + line100k + "\n" +
                          std::string(nul_line, sizeof nul_line - 1) + line100k + "\n5\n");
  ASSERT_EQ(inf_open("s.txt", FILE_ANY, 1, 1), 1);
  char s[STR_SIZE + 1];
  s[STR_SIZE] = '#';
  stringscan(s, "s", STR_SIZE);
  EXPECT_EQ(std::string(s), std::string(398, 'w'));
  stringscan(s, "s", STR_SIZE);
  EXPECT_EQ(std::string(s).size(), 398u);
  EXPECT_EQ(s[STR_SIZE], '#');
  stringscan(s, "s", STR_SIZE);
  EXPECT_STREQ(s, "ab");  // the NUL byte ends the text but not the line
  char tiny[2] = {'#', '#'};
  stringscan(tiny, "s", 1);  // "xyz" kept in a one-character buffer: nothing but the end
  EXPECT_EQ(tiny[0], '\0');
  EXPECT_EQ(tiny[1], '#');
  stringscan(s, "s", STR_SIZE);
  EXPECT_STREQ(s, "");
  rln("s");
  EXPECT_EQ(intscan("s"), 5);
}

TEST(SharedTextfile, ScanFailuresAreFatalAndNameTheScanner) {
  write_file("end.txt", "I\n1 version\n");
  char s[STR_SIZE];
  const std::pair<const char*, void (*)()> scanners[] = {
      {"rln middle", [] { rln("end"); }},          {"intscan", [] { intscan("end"); }},
      {"fltscan", [] { fltscan("end"); }},         {"bolscan", [] { bolscan("end"); }},
      {"intscanNOSN", [] { intscanNOSN("end"); }}, {"fltscanNOSN", [] { fltscanNOSN("end"); }},
      {"bolscanNOSN", [] { bolscanNOSN("end"); }}};
  for (const auto& sc : scanners) {
    ASSERT_EQ(inf_open("end.txt", FILE_ANY, 1, 1), 1);
    EXPECT_FATAL_ALERT(sc.second());
    expect_scan_failure(sc.first, "end");
  }
  ASSERT_EQ(inf_open("end.txt", FILE_ANY, 1, 1), 1);
  macibm_program = PROGRAM_EDITOR;  // whose fatal code differs: a bad file stops it too
  EXPECT_FATAL_ALERT(stringscan(s, "end", STR_SIZE));
  expect_scan_failure("stringscan", "end");
  macibm_program = PROGRAM_SIMULATOR;

  // Text that is not a number, and numbers beyond the type's range.
  const std::string lines[] = {"abc\n", "99999999999\n", "-99999999999\n", std::string("\0 7\n", 4),
                               "1e60\n"};
  for (const std::string& l : lines) {
    write_file("n.txt", "I\n1 version\n" + l);
    ASSERT_EQ(inf_open("n.txt", FILE_ANY, 1, 1), 1);
    EXPECT_FATAL_ALERT(l[0] == '1' ? fltscanNOSN("n") : intscan("n"));
    expect_scan_failure(l[0] == '1' ? "fltscanNOSN" : "intscan", "n");
  }
}

TEST(SharedTextfile, CheckpointsMatchOrStop) {
  write_file("c.acf", "I\n35 version\n\n101 checkpoint: POWERPLANT\n\n42\n\n102 x\n\n");
  ASSERT_EQ(inf_open("c.acf", FILE_ANY, 35, 1), 1);
  EXPECT_EQ(checkpoint(101, 1), 1);
  EXPECT_EQ(intscan("c"), 42);
  EXPECT_EQ(checkpoint(101, 0), 0);
  EXPECT_STREQ(C_s, "Wanted checkpoint 101, but got point 102.");
  EXPECT_TRUE(macibm_alert_log().empty());

  ASSERT_EQ(inf_open("c.acf", FILE_ANY, 35, 1), 1);
  checkpoint(101, 1);
  intscan("c");
  EXPECT_FATAL_ALERT(checkpoint(101, 1));
  EXPECT_EQ(last_alert().line[0], "An error occurred during read-in of the aircraft file.");
  EXPECT_EQ(last_alert().line[2], "Wanted checkpoint 101, but got point 102.");
  EXPECT_EQ(last_alert().line[3], "");
}

// Bytes of a binary file: marker, version 3, the int 7 and the float 2.5 (0x40200000).
static std::string binary_file(bool big_endian) {
  const unsigned char le[] = {'i', 3, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0x20, 0x40};
  const unsigned char be[] = {'a', 0, 0, 0, 3, 0, 0, 0, 7, 0x40, 0x20, 0, 0};
  return big_endian ? std::string(be, be + 13) : std::string(le, le + 13);
}

TEST(SharedTextfile, BinaryFilesInBothByteOrders) {
  for (bool big : {false, true}) {
    write_file("t.env", binary_file(big));
    ASSERT_EQ(inf_open("t.env", FILE_BINARY, 3, 1), 1) << big;
    EXPECT_EQ(rev_inf_bin, big ? 1 : 0);
    EXPECT_EQ(intscan("t"), 7);
    EXPECT_EQ(fltscan("t"), 2.5f);
    EXPECT_FATAL_ALERT(bolscan("t"));  // nothing left
    expect_scan_failure("bolscan", "t");
  }
  write_file("t.env", "I" + binary_file(false).substr(1));
  EXPECT_EQ(inf_open("t.env", FILE_BINARY, 3, 0), 0);
  write_file("t.env", binary_file(false).substr(0, 3));
  EXPECT_EQ(inf_open("t.env", FILE_BINARY, 3, 0), 0);
}

TEST(SharedTextfile, WritesMarkerVersionAndFixedPointValues) {
  write_file("w.sit", "old contents");
  ASSERT_EQ(ouf_open("w.sit", FILE_SITUATION, 1412), 1);
  ouf << std::setw(4) << std::setprecision(0) << 55.5f << "\n" << std::setprecision(2) << 1.0f;
  EXPECT_EQ(read_file("w.sit"), "old contents");  // replaced only when complete
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_EQ(read_file("w.sit"), "I\n1412 version\n  56\n1.00");
  EXPECT_FALSE(fs::exists("w.sit.tmp"));

  // A new file starts from the default format, whatever the last writer set.
  ASSERT_EQ(ouf_open("w2.sit", FILE_SITUATION, 1412), 1);
  ouf << 1.5f;
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_EQ(read_file("w2.sit"), "I\n1412 version\n1.500000");

  // Written through a link, the file linked to is replaced and the link stays a link.
  fs::remove("link.sit");
  fs::create_symlink("w2.sit", "link.sit");
  ASSERT_EQ(ouf_open("link.sit", FILE_SITUATION, 7), 1);
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_TRUE(fs::is_symlink("link.sit"));
  EXPECT_EQ(read_file("w2.sit"), "I\n7 version\n");

  ASSERT_EQ(ouf_open("w.env", FILE_BINARY, 3), 1);
  int seven = 7;
  ouf.write(reinterpret_cast<const char*>(&seven), 4);
  ASSERT_EQ(ouf_close(), 1);
  ASSERT_EQ(inf_open("w.env", FILE_BINARY, 3, 1), 1);
  EXPECT_EQ(intscan("w"), 7);
}

TEST(SharedTextfile, FailedSaveKeepsTheOldFile) {
  fs::remove_all("gone.sit");
  fs::remove("ro.sit");
  write_file("plain", "a file, not a folder");
  EXPECT_EQ(ouf_open("plain/x.sit", FILE_SITUATION, 1412), 0);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! Could your disk be full?");
  EXPECT_EQ(last_alert().line[1], "plain/x.sit");
  EXPECT_EQ(ouf_close(), 0);
  // A folder that is not there is named as the reason, not a full disk.
  EXPECT_EQ(ouf_open("nowhere/x.sit", FILE_SITUATION, 1412), 0);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! Its folder does not exist:");

  write_file("ro.sit", "keep me");
  fs::permissions("ro.sit", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(ouf_open("ro.sit", FILE_SITUATION, 1412), 0);  // flagged read-only
  EXPECT_EQ(read_file("ro.sit"), "keep me");

  // The target turns into a folder while the file is written: the rename fails.
  ASSERT_EQ(ouf_open("gone.sit", FILE_SITUATION, 1412), 1);
  fs::create_directories("gone.sit/inner");
  EXPECT_EQ(ouf_close(), 0);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! A folder of that name is there:");
  EXPECT_FALSE(fs::exists("gone.sit.tmp"));
  EXPECT_TRUE(fs::is_directory("gone.sit/inner"));
}

TEST(SharedTextfile, FailedWriteKeepsTheOldFile) {
  write_file("big.sit", "old");
  ASSERT_EQ(ouf_open("big.sit", FILE_SITUATION, 1412), 1);
  // A limit on the size of files this process writes runs the write out of room, as a full disk.
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  ouf << std::string(100000, 'x');
  int closed = ouf_close();
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! Could your disk be full?");
  EXPECT_EQ(read_file("big.sit"), "old");
  EXPECT_FALSE(fs::exists("big.sit.tmp"));
}
