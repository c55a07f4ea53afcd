// What the files of the desktop back end share: the key table, the window look-up, the menu bar,
// the deferred events, the dialog folders, the serial port and the force-feedback effects. The
// pure parts (keys, labels, folders, error codes, effects) are declared here so that tests can
// check them without a display.
#pragma once

#include <string>

struct Fl_Menu_Item;

// ---- Keys ------------------------------------------------------------------------------------

// Where a key press goes. KEY_NONE keys (modifiers alone, keys without a character) go nowhere;
// KEY_MENU_BAR opens the menu bar, as F10 does on the desktops the simulator comes from, and
// KEY_FULLSCREEN turns full screen on or off, as F11 does in the programs of the Linux desktop.
enum desktop_key_kind {
  KEY_NONE = 0,
  KEY_CHAR,      // handle_simkey with `value` as the character
  KEY_FUNCTION,  // function_key with 19..42
  KEY_YOKE,      // yoke_key with 0..6
  KEY_FREEVIEW,  // freeviews_keys with 25..28
  KEY_MENU_BAR,
  KEY_FULLSCREEN,  // F11: the main window's full screen on or off
};
struct desktop_key {
  desktop_key_kind kind;
  int value;
};

// Translates an FLTK key code (Fl::event_key(): the unshifted symbol of a US keyboard, FL_F + n,
// FL_KP + c, FL_Left, ...) with the Shift state into the simulator's key.
desktop_key desktop_translate_key(int fl_key, int shift);

// ---- Windows ---------------------------------------------------------------------------------

// Index of the live window of the table with this handle, or -1: an event for a window that is
// not in the table (one being destroyed, a dialog) belongs to no handler and is dropped.
int desktop_window_index(const void* handle);

// Makes the GL context of the window the program draws into current again, after the toolkit
// has drawn another window or run a dialog.
void desktop_restore_current();

// Destroys every window the toolkit still holds and closes the display connection's windows.
void desktop_windows_shutdown();
// 1 while the window manager keeps the main window maximised.
int desktop_main_maximised();

// ---- Deferred events -------------------------------------------------------------------------

// Menu commands, window closes and paints are queued while the toolkit dispatches and delivered
// after it returns, so that a command never runs inside the toolkit's own menu handling.
void desktop_post_menu(int id);
void desktop_post_close(int w);
void desktop_post_paint(int w);
void desktop_clear_events();
// What the user did in settings windows since the last call, handed to the kit in order.
void desktop_deliver_form_events();
// A number typed into the focused field and not yet entered is taken, as leaving the field would
// take it (queued with the other form events).
void desktop_take_typed_value();

// ---- Menu bar --------------------------------------------------------------------------------

// The label the toolkit draws for a menu table text. Table texts mark the accelerator with "&"
// and a literal ampersand with "&&", as the toolkit does; a lone "&" left at the end by a cut
// text, and a character cut in the middle of its UTF-8 bytes, are dropped.
std::string desktop_menu_label(const char* text);

// Builds the menu bar of the main window (x, y, width, height) from the menu table.
void desktop_menu_bar_create(int x, int y, int w, int h);
// Rebuilds the toolkit's menus when the table changed since the last call.
void desktop_menu_bar_refresh();
// Opens the first menu of the bar for keyboard navigation; returns when it is closed.
void desktop_menu_bar_open();
// Forgets the bar (its window is being destroyed).
void desktop_menu_bar_gone();
// The toolkit's menus as last built, refreshed from the table first; null without a bar.
const Fl_Menu_Item* desktop_menu_bar_menu();

// ---- Dialogs ---------------------------------------------------------------------------------

// The folder an open or save dialog starts in for the default extension the filter set: the
// program's aircraft, airfoils or flaps folder, the user's configuration folder for situations,
// the program's folder otherwise. Ends in '/'.
std::string desktop_dialog_folder(const char* ext);
// The toolkit's filter ("Aircraft\t*.{acf,ACF}") for the NUL-separated filter list of the
// dialogs: extensions match in lower or upper case, "*.*" matches every name.
std::string desktop_dialog_filter(const char* filter, int size);

// ---- Serial port -----------------------------------------------------------------------------

// Opens `device` as serial port 1: 0, or a port code. A device that is the system console is
// taken: -2.
int desktop_serial_open_device(const char* device);
// Sets the speed of the open port: 0, -1 without a port, -12 for a speed the port refuses.
int desktop_serial_set_baud(int baud);
int desktop_serial_write(const void* bytes, int n);
// Puts the port's settings back as they were found and closes it.
void desktop_serial_close();

// ---- Force feedback --------------------------------------------------------------------------

// One force-feedback effect as the haptic device plays it, before it is handed to SDL: which of
// the back end's effect slots it takes, and its parameters in SDL's units.
enum desktop_effect_slot {
  EFFECT_NONE = -1,
  EFFECT_SPRING_X = 0,  // the two springs share one condition effect, one axis each
  EFFECT_SPRING_Y,
  EFFECT_VIBRATION_X,
  EFFECT_VIBRATION_Y,
  EFFECT_BUFFETING,
  EFFECT_JOLT,
  EFFECT_SLOTS,
};
struct desktop_effect {
  int slot;       // desktop_effect_slot; EFFECT_NONE when the command only stops effects
  int stop_slot;  // slot to stop (a "clear" command), EFFECT_NONE for none, EFFECT_SLOTS all
  int magnitude;  // 0..32767
  int center;     // spring centre, -32768..32767
  int pos_coeff;  // spring stiffness either side, 0..32767
  int neg_coeff;
  int period_ms;  // vibration and buffeting period; 0 when the frequency is 0
  int direction;  // polar direction, hundredths of a degree 0..35999
  int length_ms;  // play time; -1 until stopped
};
// Turns a force command (FORCE_ call and its three arguments) into an effect.
desktop_effect desktop_force_effect(int call, int a, int b, int c);
