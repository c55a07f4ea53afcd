// The batch modes and the files the editor writes: every sample opened and saved again, the
// simulator's checks on a file, and the command line's refusals.
#include "editor/editor_fixture.h"

#include <cstdio>
#include <vector>

namespace {
// Airwright run with the arguments (and the environment's assignments before it); its status.
int airwright(const std::string& args, const std::string& env = "") {
  std::string out;
  return run_command(env + "'" AIRWRIGHT_BINARY "' " + args + " 2>/dev/null", &out);
}
}  // namespace

// Three samples rig their left wing 1's incidence against the engine's torque; the editor mirrors
// the right wing, so that line is the one difference, and it becomes the right wing's line.
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
  // Heavier empty than full, and a file cut half way: one line each. A nose wheel on stilts only
  // makes Kestrix warn: told as a warning, and no problem.
  std::string jet = read_file(sample_path("Business Jet.acf"));
  const size_t empty = jet.find(" empty weight"), nose = jet.find(" ngear vert arm");
  write_file("heavy.acf", std::string(jet).replace(empty - 6, 6, " 99999"));
  write_file("cut.acf", jet.substr(0, jet.size() / 2));
  write_file("steep.acf", std::string(jet).replace(nose - 6, 6, " -20.0"));
  const struct {
    const char* file;
    const char* problem;
    int status;
  } cases[] = {
      {"heavy.acf",
       "You have selected an empty weight that is greater than the maximum weight for "
       "this airplane!",
       1},
      {"cut.acf", "File-scanning error!", 1},
      {"steep.acf", "warning: This thing sits on the ground with an excessive attitute.", 0}};
  for (const auto& c : cases) {
    FILE* report = std::tmpfile();
    EXPECT_EQ(airwright_check(c.file, report), c.status) << c.file;
    std::rewind(report);
    std::string text;
    for (int ch; (ch = std::fgetc(report)) != EOF;) text += static_cast<char>(ch);
    std::fclose(report);
    const std::vector<std::string> problems = lines_of(text);
    ASSERT_EQ(problems.size(), 1u) << text;
    EXPECT_EQ(problems[0].find(std::string(c.file) + ": " + c.problem), 0u) << problems[0];
  }
}

TEST_F(EditorTest, TheCommandLineRefusesWhatItDoesNotKnowAndAFileItCannotRead) {
  EXPECT_EQ(airwright("--resave none.acf x.acf"), 1);
  EXPECT_FALSE(std::filesystem::exists("x.acf"));
  EXPECT_EQ(airwright("--check"), 2);
  // Without a display the editor cannot start, and says so by its status too.
  EXPECT_EQ(airwright("", "DISPLAY= XDG_CONFIG_HOME=. "), 1);
}
