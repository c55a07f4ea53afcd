// The desktop key table: which handler each key reaches, with and without Shift.
#include <FL/Enumerations.H>
#include <gtest/gtest.h>

#include <string>

#include "app/desktop/desktop.h"

static void expect_key(int fl_key, int shift, desktop_key_kind kind, int value) {
  desktop_key k = desktop_translate_key(fl_key, shift);
  EXPECT_EQ(k.kind, kind) << "key " << fl_key << " shift " << shift;
  EXPECT_EQ(k.value, value) << "key " << fl_key << " shift " << shift;
}

// The characters of the whole typing area of a US keyboard, unshifted and shifted.
TEST(DesktopKeys, TypingKeysGiveTheirUsKeyboardCharacters) {
  const std::string plain = "abcdefghijklmnopqrstuvwxyz1234567890-=[];,./`\\";
  const std::string shifted = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!@#$%^&*()_+{}:<>?~|";
  for (size_t i = 0; i < plain.size(); i++) {
    const int fl_key = static_cast<unsigned char>(plain[i]);
    expect_key(fl_key, 0, KEY_CHAR, static_cast<unsigned char>(plain[i]));
    expect_key(fl_key, 1, KEY_CHAR, static_cast<unsigned char>(shifted[i]));
  }
  // Keys outside the table keep their one character whatever Shift says.
  for (int shift : {0, 1}) {
    expect_key(' ', shift, KEY_CHAR, ' ');
    expect_key('\'', shift, KEY_CHAR, '\'');
    expect_key(FL_Enter, shift, KEY_CHAR, '\r');
    expect_key(FL_Tab, shift, KEY_CHAR, '\t');
    expect_key(FL_Escape, shift, KEY_CHAR, 27);
  }
}

TEST(DesktopKeys, FunctionKeysAndBackspaceReachTheFunctionKeyHandler) {
  const int numbers[13] = {0, 19, 20, 21, 22, 23, 24, 25, 26, 27, 0, 29, 30};
  for (int n = 1; n <= 12; n++) {
    if (n == 10) continue;
    if (n != 11) expect_key(FL_F + n, 0, KEY_FUNCTION, numbers[n]);
    expect_key(FL_F + n, 1, KEY_FUNCTION, numbers[n] + 12);
  }
  // F11 alone is full screen, as on the rest of the desktop.
  expect_key(FL_F + 11, 0, KEY_FULLSCREEN, 0);
  expect_key(FL_BackSpace, 0, KEY_FUNCTION, 28);
  expect_key(FL_BackSpace, 1, KEY_FUNCTION, 40);
  // F10 belongs to the menu bar, never to the simulator.
  expect_key(FL_F + 10, 0, KEY_MENU_BAR, 0);
  expect_key(FL_F + 10, 1, KEY_MENU_BAR, 0);
}

TEST(DesktopKeys, KeypadFliesTheYokeAndArrowsMoveTheFreeView) {
  const char yoke[] = "5284613";
  for (int k = 0; k < 7; k++) {
    expect_key(FL_KP + yoke[k], 0, KEY_YOKE, k);
    expect_key(FL_KP + yoke[k], 1, KEY_YOKE, k);
  }
  // The keypad's other keys type what they show.
  for (char c : std::string("790.+-*/")) expect_key(FL_KP + c, 0, KEY_CHAR, c);
  expect_key(FL_KP_Enter, 0, KEY_CHAR, '\r');

  expect_key(FL_Up, 0, KEY_FREEVIEW, 27);
  expect_key(FL_Left, 0, KEY_FREEVIEW, 25);
  expect_key(FL_Down, 1, KEY_FREEVIEW, 28);
  expect_key(FL_Right, 0, KEY_FREEVIEW, 26);
}

TEST(DesktopKeys, KeysWithoutACharacterGoNowhere) {
  for (int fl_key : {FL_Shift_L, FL_Shift_R, FL_Control_L, FL_Alt_L, FL_Caps_Lock, FL_Home,
                     FL_Insert, FL_Delete, FL_Page_Up, FL_Num_Lock, FL_F + 13})
    EXPECT_EQ(desktop_translate_key(fl_key, 0).kind, KEY_NONE) << fl_key;
}
