// The editor's commands through the headless back end: New, Open, Save, Save As and Quit with the
// three answers of the question, failed saves and bad files, and what New works out.
#include "editor/editor_fixture.h"

#include <sys/stat.h>

#include <regex>

namespace {

// An aircraft with a change the user has not saved.
void change_the_aircraft() {
  pln.semilen[PART_WING1_RIGHT] = 12.0f;
  edt.planemod = 1;
}

struct answer_case {
  int answer;            // 1 Yes, 2 No, 3 Cancel
  const char* save_to;   // the save dialog's answer, or null for a cancelled dialog
  bool replaced, saved;  // the aircraft gave way to a new one; the file was written
};
const answer_case answers[] = {
    {1, "kept.acf", true, true},
    {1, nullptr, false, false},  // Yes, then the save dialog cancelled
    {2, nullptr, true, false},
    {3, nullptr, false, false},
};

// A changed aircraft, and the answers ready for the question that a command will ask.
void prepare_answer(const answer_case& c) {
  std::filesystem::remove("kept.acf");
  change_the_aircraft();
  headless_set_question_answer(c.answer);
  if (c.save_to) headless_queue_save_answer(c.save_to);
}

}  // namespace

TEST_F(EditorTest, NewAsksOnlyForAChangedAircraftAndHonoursEachAnswer) {
  edt.planemod = 0;
  pln.semilen[PART_WING1_RIGHT] = 12.0f;
  command(CMD_NEW);
  EXPECT_EQ(pln.semilen[PART_WING1_RIGHT], 0.0f);
  EXPECT_STREQ(headless_last_question(), "");

  for (const answer_case& c : answers) {
    prepare_answer(c);
    command(CMD_NEW);
    EXPECT_STREQ(headless_last_question(), "Save changes to Untitled.acf first?");
    EXPECT_EQ(pln.semilen[PART_WING1_RIGHT] == 0.0f, c.replaced) << c.answer;
    EXPECT_EQ(std::filesystem::exists("kept.acf"), c.saved) << c.answer;
    EXPECT_EQ(edt.planemod, c.replaced ? 0 : 1) << c.answer;
  }
}

TEST_F(EditorTest, QuitAndClosingTheWindowAskAndEndOnlyWhenAllowed) {
  for (int close_window = 0; close_window <= 1; close_window++) {
    for (const answer_case& c : answers) {
      prepare_answer(c);
      if (close_window)
        headless_post_close(WIN_MAIN);
      else
        headless_post_menu(CMD_QUIT);
      if (c.replaced) {
        try {
          editor_loop_pass();
          ADD_FAILURE() << "Quit did not end the editor, answer " << c.answer;
        } catch (const fatal_alert_exit& e) {
          EXPECT_EQ(e.status, 0);  // the silent fatal alert is a normal end
        }
        SetUp();
      } else {
        editor_loop_pass();
        EXPECT_EQ(pln.semilen[PART_WING1_RIGHT], 12.0f) << c.answer;
        EXPECT_EQ(mnw.up[WIN_MAIN], 1) << c.answer;
      }
      EXPECT_EQ(std::filesystem::exists("kept.acf"), c.saved) << c.answer;
    }
  }
}

TEST_F(EditorTest, OpenSaveAsAndSaveWriteTheFileTheyName) {
  const std::string twin = copy_sample("Light Twin.acf");
  open(twin);
  EXPECT_STREQ(pln.C_file, "Light Twin.acf");
  EXPECT_EQ(edt.planenamed, 1);
  EXPECT_EQ(edt.planemod, 0);
  EXPECT_STREQ(mnw.windowname[WIN_MAIN], "Airwright: Light Twin.acf");

  // Save As takes the new name, with the extension the dialogs list, once the file is written.
  change_the_aircraft();
  std::filesystem::remove("Copy.acf");  // left by an earlier run
  headless_queue_save_answer((std::filesystem::current_path() / "Copy").c_str());
  command(CMD_SAVE_AS);
  EXPECT_EQ(edt.planemod, 0);
  EXPECT_STREQ(pln.C_file, "Copy.acf");
  EXPECT_TRUE(std::filesystem::exists("Copy.acf"));
  EXPECT_EQ(read_file("Light Twin.acf"), read_file(sample_path("Light Twin.acf")));
  // A name typed without the extension that names a file once it is added: asked, and kept.
  headless_queue_save_answer((std::filesystem::current_path() / "Light Twin").c_str());
  command(CMD_SAVE_AS);
  EXPECT_STREQ(headless_last_question(), "Light Twin.acf already exists. Replace it?");
  EXPECT_EQ(read_file("Light Twin.acf"), read_file(sample_path("Light Twin.acf")));
  EXPECT_STREQ(pln.C_file, "Copy.acf");

  // Save writes the named file again without a dialog.
  const int dialogs = headless_dialogs_asked();
  pln.semilen[PART_WING1_RIGHT] = 14.0f;
  command(CMD_SAVE);
  EXPECT_EQ(headless_dialogs_asked(), dialogs);
  EXPECT_NE(read_file("Copy.acf").find("  14.0 semi-length, ft"), std::string::npos);

  // The file saved reads back as it was saved, its left wing already the mirror of the right.
  int mirrored = 1;
  ASSERT_EQ(read_aircraft_file("Copy.acf", &mirrored), 1);
  EXPECT_EQ(mirrored, 0);
  EXPECT_EQ(pln.semilen[PART_WING1_LEFT], 14.0f);
}

TEST_F(EditorTest, AFailedSaveKeepsTheOldFileAndTheAircraftChanged) {
  const std::string twin = copy_sample("Light Twin.acf");
  open(twin);
  const std::string before = read_file(twin);
  chmod(twin.c_str(), 0444);
  change_the_aircraft();
  command(CMD_SAVE);
  EXPECT_EQ(edt.planemod, 1);
  EXPECT_EQ(last_alert().line[0], "I could not save the file! Could your disk be full?");
  EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind));
  EXPECT_EQ(read_file(twin), before);

  // Save As into a folder that does not exist keeps the name the aircraft had.
  headless_queue_save_answer("no/such/folder/Other.acf");
  command(CMD_SAVE_AS);
  EXPECT_EQ(edt.planemod, 1);
  EXPECT_STREQ(pln.C_file, "Light Twin.acf");

  // The change is not lost: Quit still asks, and Cancel keeps the editor going.
  headless_set_question_answer(3);
  command(CMD_QUIT);
  EXPECT_STREQ(headless_last_question(), "Save changes to Light Twin.acf first?");
  chmod(twin.c_str(), 0644);
}

TEST_F(EditorTest, ABadFileIsANoticeAndTheAircraftBeingEditedStays) {
  const std::string good = read_file(sample_path("Business Jet.acf"));
  struct bad_case {
    const char* what;
    std::string bytes;  // empty: no file at all
    const char* first_line;
  };
  const bad_case cases[] = {
      {"missing", "", "I am unable to open the airplane! Sorry!!!"},
      {"wrong marker", "X" + good.substr(1), "I am unable to open the airplane! Sorry!!!"},
      {"wrong version", "I\n34 version" + good.substr(good.find('\n', 2)),
       "The following file is the wrong version for this version of Kestrix:"},
      {"checkpoint out of step",
       std::string(good).replace(good.find("\n107 checkpoint"), 4, "\n108"),
       "An error occurred during read-in of the aircraft file."},
      {"cut short", good.substr(0, good.size() / 2), "File-scanning error!"},
      {"not a number", std::string(good).replace(good.find(" empty weight") - 6, 6, " heavy"),
       "File-scanning error!"},
  };
  change_the_aircraft();
  headless_set_question_answer(2);  // the change may go, for a file that opens
  const std::string tail = pln.tailnum;
  for (const bad_case& c : cases) {
    std::filesystem::remove("bad.acf");
    if (!c.bytes.empty()) write_file("bad.acf", c.bytes);
    macibm_clear_alert_log();
    open((std::filesystem::current_path() / "bad.acf").string());
    ASSERT_EQ(macibm_alert_log().size(), 1u) << c.what;  // told once, however broken
    EXPECT_EQ(last_alert().line[0], c.first_line) << c.what;
    EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind)) << c.what;
    EXPECT_EQ(pln.tailnum, tail) << c.what;
    EXPECT_STREQ(pln.C_file, "Untitled.acf") << c.what;
    EXPECT_EQ(pln.semilen[PART_WING1_RIGHT], 12.0f) << c.what;
    EXPECT_EQ(edt.planemod, 1) << c.what;
  }
}

// The default values themselves are the table's; a new aircraft built on them is flown by the
// screens' test. Here: what New works out, and the menus it gives.
TEST_F(EditorTest, NewAircraftOfEitherTypeGetsATailNumberRoundBodiesAndItsTypesMenus) {
  for (int heli = 0; heli <= 1; heli++) {
    command(heli ? CMD_NEW_HELI : CMD_NEW);
    ASSERT_EQ(pln.is_heli, heli);
    EXPECT_TRUE(std::regex_match(pln.tailnum, std::regex("N[0-9]{3}[A-Z]{2}"))) << pln.tailnum;
    // Round bodies: every point at the body's radius from the axis, no two stations alike.
    const std::pair<int, float> radius[] = {
        {PART_FUSELAGE, 3}, {PART_NACELLE1, 2}, {PART_MISC1, 2}};
    for (const auto& [b, r] : radius) {
      EXPECT_EQ(pln.body_r[b], r);
      for (int k = 0; k < BODY_POINTS; k++)
        EXPECT_NEAR(pythag(pln.body_X[b][4][k], pln.body_Y[b][4][k]), r, 1e-5f) << b;
    }
    for (int j = 1; j <= 8; j++)
      EXPECT_GT(pln.body_Z[PART_FUSELAGE][j][0], pln.body_Z[PART_FUSELAGE][j - 1][0]);
    EXPECT_NEAR(pln.trat[5], 0.12f, 1e-4f);  // the views draw the shipped section's thickness
    EXPECT_EQ(edt.planemod, 0);
    EXPECT_EQ(edt.planenamed, 0);
    // The menus are the type's: the other type's New, and the screens from the type's offset.
    EXPECT_NE(macibm_find_menu_item(MENU_EDIT_FILE, heli ? CMD_NEW_PLANE : CMD_NEW_HELI), nullptr);
    const int fuselage = heli ? 49 + SCREEN_ITEMS_HELI : 17 + SCREEN_ITEMS_PLANE;
    const macibm_menu_item* item = macibm_find_menu_item(MENU_EDIT_SCREENS, fuselage);
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->text, "Fuselage");
  }
}
