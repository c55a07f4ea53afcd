// The key table of the desktop: which handler a key press reaches and with what. Keys are taken by
// their place on a US keyboard, whatever the layout or Caps Lock say, so that every key command
// sits where the key lists put it.
#include <FL/Enumerations.H>

#include "app/desktop/desktop.h"

// The eight punctuation keys in their unshifted and shifted forms.
static const char punct_plain[] = "-=[];,./";
static const char punct_shift[] = "_+{}:<>?";
// The digits 1..9, 0 with Shift.
static const char digit_shift[] = ")!@#$%^&*(";

static desktop_key key(desktop_key_kind kind, int value) { return desktop_key{kind, value}; }

// The keypad keys that fly the yoke, in the order of their handler's numbers 0..6.
static int yoke_number(int c) {
  static const char order[] = "5284613";
  for (int k = 0; order[k]; k++)
    if (order[k] == c) return k;
  return -1;
}

// Characters of a key that is neither a letter, a digit nor one of the punctuation keys.
static int plain_character(int fl_key) {
  switch (fl_key) {
    case ' ':
      return ' ';
    case '\'':
      return '\'';
    case FL_Enter:
    case FL_KP_Enter:
      return '\r';
    case FL_Tab:
      return '\t';
    case FL_Escape:
      return 27;
    default:
      return 0;
  }
}

desktop_key desktop_translate_key(int fl_key, int shift) {
  // F1..F9, F11 and F12 are 19..27, 29 and 30; Backspace stands for F10, which belongs to the
  // menu bar. Shift adds 12. F11 alone is the desktop's full-screen key; its lever command is
  // Shift + F11's, and Ctrl + F11 (see the windows) the other way.
  const int shift_add = shift ? 12 : 0;
  if (fl_key == FL_BackSpace) return key(KEY_FUNCTION, 28 + shift_add);
  if (fl_key == FL_F + 10) return key(KEY_MENU_BAR, 0);
  if (fl_key == FL_F + 11 && !shift) return key(KEY_FULLSCREEN, 0);
  if (fl_key >= FL_F + 1 && fl_key <= FL_F + 12) {
    int n = fl_key - FL_F;
    return key(KEY_FUNCTION, 18 + n + shift_add);
  }

  // The keypad flies the yoke with 5, 2, 8, 4, 6, 1 and 3; its other keys type what they show.
  if (fl_key >= FL_KP && fl_key <= FL_KP_Last) {
    int c = fl_key - FL_KP;
    int k = yoke_number(c);
    if (k >= 0) return key(KEY_YOKE, k);
    if (c == '\r') return key(KEY_CHAR, '\r');
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == '*' || c == '/')
      return key(KEY_CHAR, c);
    return key(KEY_NONE, 0);
  }

  switch (fl_key) {
    case FL_Up:
      return key(KEY_FREEVIEW, 27);
    case FL_Left:
      return key(KEY_FREEVIEW, 25);
    case FL_Down:
      return key(KEY_FREEVIEW, 28);
    case FL_Right:
      return key(KEY_FREEVIEW, 26);
    default:
      break;
  }

  if (fl_key >= 'a' && fl_key <= 'z') return key(KEY_CHAR, shift ? fl_key - 'a' + 'A' : fl_key);
  if (fl_key >= '0' && fl_key <= '9')
    return key(KEY_CHAR, shift ? digit_shift[fl_key - '0'] : fl_key);
  for (int i = 0; punct_plain[i]; i++)
    if (fl_key == punct_plain[i]) return key(KEY_CHAR, shift ? punct_shift[i] : punct_plain[i]);
  if (fl_key == '`') return key(KEY_CHAR, shift ? '~' : '`');
  if (fl_key == '\\') return key(KEY_CHAR, shift ? '|' : '\\');

  int c = plain_character(fl_key);
  return c ? key(KEY_CHAR, c) : key(KEY_NONE, 0);
}
