// Boxes and file dialogs of the desktop: the box titles and answers (keys pressed by a timer while
// the box waits), the dialogs' start folders and filters.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <string>

#include "app/app.h"
#include "app/desktop/desktop.h"
#include "shared/shared.h"
#include "support/test_support.h"

namespace {
std::string box_title;
int box_key;
int box_width;
}  // namespace

// Presses a key in the box that is up, as the user would, and remembers its title.
static void press_in_box(void*) {
  Fl_Window* box = Fl::modal();
  if (!box) {
    Fl::repeat_timeout(0.05, press_in_box);
    return;
  }
  box_title = box->label() ? box->label() : "";
  box_width = box->w();
  Fl::e_keysym = box_key;
  Fl::e_state = 0;
  Fl::e_text = const_cast<char*>(box_key == FL_Escape ? "\033" : "\r");
  Fl::e_length = 1;
  Fl::handle(FL_KEYDOWN, box);
}

static void answer_next_box_with(int key) {
  box_title.clear();
  box_key = key;
  Fl::add_timeout(0.05, press_in_box);
}

// An alert can come before any window: the box needs no parent.
TEST(DesktopDialogs, AlertBoxShowsWithoutAMainWindowUnderItsTitle) {
  ASSERT_EQ(backend_init(), 1);
  ASSERT_EQ(mnw.up[0], 0);
  answer_next_box_with(FL_Enter);
  MACIBM_alert("Sound init failure!", "Sound will not be available, but you can still fly.", "", "",
               ALERT_NOTICE);
  EXPECT_EQ(box_title, "Skyloom Message");
  // A long line (Airwright's check joins a problem's lines) wraps: the box and its button stay on
  // the screen.
  answer_next_box_with(FL_Enter);
  std::string problem;
  for (int i = 0; i < 40; i++) problem += "Go into Airwright and ";
  MACIBM_alert("The aircraft is saved, but Kestrix will not fly it as it is:", problem.c_str(), "",
               "", ALERT_NOTICE);
  EXPECT_LT(box_width, Fl::w());
}

// Return keeps the changes and Escape cancels: no single key throws the changes away.
TEST(DesktopDialogs, QuestionAnswersYesOnReturnAndCancelOnEscape) {
  ASSERT_EQ(backend_init(), 1);
  answer_next_box_with(FL_Enter);
  EXPECT_EQ(MACIBM_respond_alert("Trainer.acf"), 1);
  EXPECT_EQ(box_title, "Skyloom Alert Question");
  answer_next_box_with(FL_Escape);
  EXPECT_EQ(MACIBM_respond_alert("100% Trainer.acf"), 3);  // a "%" in the name is only text
}

TEST(DesktopDialogs, DialogsStartInTheFolderOfTheirFileKind) {
  std::snprintf(app_path, STR_SIZE, "/opt/kestrix/");
  std::snprintf(prefs_path, sizeof prefs_path, "/home/pilot/.config/Kestrix/Kestrix.prf");
  EXPECT_EQ(desktop_dialog_folder("acf"), "/opt/kestrix/aircraft/");
  EXPECT_EQ(desktop_dialog_folder("ACF"), "/opt/kestrix/aircraft/");
  EXPECT_EQ(desktop_dialog_folder("afl"), "/opt/kestrix/airfoils/");
  EXPECT_EQ(desktop_dialog_folder("flp"), "/opt/kestrix/flaps/");
  EXPECT_EQ(desktop_dialog_folder("sit"), "/home/pilot/.config/Kestrix/");
  EXPECT_EQ(desktop_dialog_folder("*"), "/opt/kestrix/");
  // Preferences in the current folder leave situations beside the program.
  std::snprintf(prefs_path, sizeof prefs_path, "Kestrix.prf");
  EXPECT_EQ(desktop_dialog_folder("sit"), "/opt/kestrix/");
}

TEST(DesktopDialogs, FiltersComeFromTheFileKindAndMatchUpperCaseExtensions) {
  set_up_IBM_filter(FILE_AIRCRAFT);
  EXPECT_EQ(desktop_dialog_filter(filter_str, STR_SIZE), "Aircraft\t*.{acf,ACF}");
  set_up_IBM_filter(FILE_SITUATION);
  EXPECT_EQ(desktop_dialog_filter(filter_str, STR_SIZE), "Situation\t*.{sit,SIT}");
  set_up_IBM_filter(FILE_ANY);
  EXPECT_EQ(desktop_dialog_filter(filter_str, STR_SIZE), "Any\t*");
  // A list with no end inside the buffer yields what is whole, and an empty list nothing.
  const char cut[] = {'A', '\0', '*', '.', 'a'};
  EXPECT_EQ(desktop_dialog_filter(cut, sizeof cut), "");
  const char none[] = {'\0', '\0'};
  EXPECT_EQ(desktop_dialog_filter(none, sizeof none), "");
}
