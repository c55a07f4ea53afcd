// The batch modes and the files the editor writes: every sample opened and saved again, the
// simulator's checks on a file, and a design saved by the editor flown by kestrix-fly.
#include "editor/editor_fixture.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// Runs a command; returns its exit status with its standard output in *out.
int run(const std::string& command, std::string* out) {
  out->clear();
  FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
  if (!p) return -1;
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out->append(buf, n);
  const int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace

// Three samples rig their left wing 1 with a little more (or less) incidence than the right, to
// balance the engine's torque; the editor keeps the left wing the mirror of the right, so that
// line is the one difference, and it becomes the right wing's line.
TEST_F(EditorTest, EverySampleSavesAsItWasReadButTheRiggedLeftWing) {
  const struct {
    const char* file;
    bool rigged;
  } samples[] = {{"Trainer.acf", true},       {"Light Twin.acf", false},
                 {"Floatplane.acf", true},    {"Turboprop Transport.acf", true},
                 {"Business Jet.acf", false}, {"Helicopter.acf", false}};
  for (const auto& s : samples) {
    const std::string in = sample_path(s.file);
    ASSERT_EQ(airwright_resave(in.c_str(), "out.acf"), 0) << s.file;
    const std::vector<std::string> a = lines_of(read_file(in)), b = lines_of(read_file("out.acf"));
    ASSERT_EQ(a.size(), b.size()) << s.file;
    std::vector<size_t> differ;
    for (size_t i = 0; i < a.size(); i++)
      if (a[i] != b[i]) differ.push_back(i);
    if (!s.rigged) {
      EXPECT_TRUE(differ.empty()) << s.file << " line " << differ.front() + 1;
      continue;
    }
    ASSERT_EQ(differ.size(), 1u) << s.file;
    const size_t left = differ[0];
    EXPECT_NE(b[left].find("angle incidence"), std::string::npos) << s.file;
    // Within the left wing 1's section, whose incidences now read as the right wing's.
    const std::string text = read_file("out.acf");
    const size_t at = text.find(b[left]), sec = text.find("106 checkpoint, wng1lEN");
    EXPECT_GT(at, sec) << s.file;
    EXPECT_LT(at, text.find("107 checkpoint, wng1rEN")) << s.file;
    EXPECT_NE(text.find(b[left], text.find("107 checkpoint")), std::string::npos) << s.file;
  }
}

TEST_F(EditorTest, CheckFindsTheSimulatorsProblemsAndPassesTheSamples) {
  for (const char* f : {"Trainer.acf", "Helicopter.acf", "Business Jet.acf"}) {
    FILE* sink = std::tmpfile();
    EXPECT_EQ(airwright_check(sample_path(f).c_str(), sink), 0) << f;
    std::fclose(sink);
  }
  // Heavier empty than full, and a file that stops half way: each problem told on a line of its
  // own, and nothing the cut file's missing half would make up.
  std::string jet = read_file(sample_path("Business Jet.acf"));
  const size_t empty = jet.find(" empty weight");
  write_file("heavy.acf", std::string(jet).replace(empty - 6, 6, " 99999"));
  write_file("cut.acf", jet.substr(0, jet.size() / 2));
  const struct {
    const char* file;
    const char* problem;
  } cases[] = {{"heavy.acf",
                "You have selected an empty weight that is greater than the maximum weight for "
                "this airplane!"},
               {"cut.acf", "File-scanning error!"}};
  for (const auto& c : cases) {
    FILE* report = std::tmpfile();
    EXPECT_EQ(airwright_check(c.file, report), 1) << c.file;
    std::rewind(report);
    std::string text;
    for (int ch; (ch = std::fgetc(report)) != EOF;) text += static_cast<char>(ch);
    std::fclose(report);
    const std::vector<std::string> problems = lines_of(text);
    ASSERT_EQ(problems.size(), 1u) << text;
    EXPECT_EQ(problems[0].find(std::string(c.file) + ": " + c.problem), 0u) << problems[0];
  }
}

TEST_F(EditorTest, ADesignSavedByTheEditorPassesTheChecksAndFliesInKestrixFly) {
  open(copy_sample("Trainer.acf"));
  pln.semilen[PART_WING1_RIGHT] += 1.5f;  // a longer wing
  headless_queue_save_answer((std::filesystem::current_path() / "Long Trainer.acf").c_str());
  command(CMD_SAVE_AS);
  ASSERT_EQ(edt.planemod, 0);
  const std::string saved = (std::filesystem::current_path() / "Long Trainer.acf").string();

  std::string out;
  EXPECT_EQ(run(quoted(AIRWRIGHT_BINARY) + " --check " + quoted(saved), &out), 0) << out;
  EXPECT_EQ(run(quoted(KESTRIX_FLY_BINARY) + " --aircraft " + quoted(saved) +
                    " --alt-ft 3000 --kias 90 --seconds 60 --throttle 0.8",
                &out),
            0)
      << out;
  float alt = 0.0f, kias = 0.0f;
  int crashed = 1;
  const size_t s = out.rfind("summary ");
  ASSERT_NE(s, std::string::npos) << out;
  const std::string summary = out.substr(s);
  std::sscanf(summary.c_str() + summary.find("alt_ft="), "alt_ft=%f", &alt);
  std::sscanf(summary.c_str() + summary.find("kias="), "kias=%f", &kias);
  std::sscanf(summary.c_str() + summary.find("crashed="), "crashed=%d", &crashed);
  EXPECT_EQ(crashed, 0) << summary;
  EXPECT_GT(alt, 2000.0f) << summary;
  EXPECT_GT(kias, 50.0f) << summary;

  // The command line refuses what it does not know, and a file it cannot read.
  EXPECT_EQ(run(quoted(AIRWRIGHT_BINARY) + " --resave none.acf x.acf", &out), 1);
  EXPECT_FALSE(std::filesystem::exists("x.acf"));
  EXPECT_EQ(run(quoted(AIRWRIGHT_BINARY) + " --check", &out), 2);
}
