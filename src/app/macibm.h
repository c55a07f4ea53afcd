// The platform seam: every call the programs make into the operating system's user interface,
// devices and process services. Implemented once in common code (alerts, window and menu tables)
// and by two back ends chosen at link time: src/app/headless and src/app/desktop.
#pragma once

#include <fstream>
#include <string>
#include <vector>

// ---- Alerts ---------------------------------------------------------------------------------

// Alert kinds, the last argument of MACIBM_alert. The simulator and the editor use different
// codes for the same kinds; any code that is not one of the program's special codes is a notice.
enum {
  ALERT_NOTICE = 0,
  ALERT_SIM_SERIAL = 56,  // serial-port and start-up notices of the simulator: shown like a notice
  ALERT_SIM_ABOUT = 55,
  ALERT_SIM_FATAL = 57,
  ALERT_SIM_FATAL_VALUE = 58,
  ALERT_EDIT_ABOUT = 52,
  ALERT_EDIT_FATAL = 54,
  ALERT_EDIT_FATAL_VALUE = 55,
};

// Which program is running: decides the alert codes, the about text and whether the fatal path
// logs flight time and spoils the preferences file. Set once at start-up.
enum macibm_program_kind { PROGRAM_SIMULATOR = 0, PROGRAM_EDITOR = 1 };
extern macibm_program_kind macibm_program;

// Shows an alert of four lines (any may be empty or null). For the "fatal with value" kinds l4
// points at an int whose decimal text replaces the fourth line. The fatal kinds end the program
// through MACIBM_shutdown after the box is closed.
void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int kind);

// One alert as it was shown: the four lines (after the value substitution) and the kind.
struct alert_record {
  std::string line[4];
  int kind;
};

// Every alert shown since the last clear, oldest first. Tests read this to check that the right
// message was given; the programs never read it.
const std::vector<alert_record>& macibm_alert_log();
void macibm_clear_alert_log();
bool macibm_alert_is_fatal(int kind);
// The fatal and fatal-with-value codes of the program that is running.
int macibm_fatal_kind();
int macibm_fatal_value_kind();

// Called with every alert before it is shown; the headless flight runner uses it to stop the run
// on the first alert. Null by default.
extern void (*macibm_alert_hook)(const alert_record& a);

// Set by a program run from a script (the editor's batch modes): alerts are logged and written to
// standard error as ever, but no box is shown, so nothing waits for a user or needs a display.
extern int macibm_no_boxes;

// ---- Shutdown -------------------------------------------------------------------------------

// Program-specific work of the fatal path, run once after the box is closed and before the
// streams are closed: the simulator logs flight time and spoils its preferences file here.
// `had_message` is 1 when the fatal alert carried any text. Null in programs that need none.
extern void (*macibm_fatal_hook)(int had_message);

// The last step of the fatal path. The default ends the process with the given status; tests
// replace it with one that throws, so that a fatal alert can be observed without ending the run.
extern void (*macibm_exit_hook)(int status);

// The one exit path: runs the fatal hook, closes the output, error-log and track streams,
// releases the back end's windows and the serial port, and calls the exit hook with status 0 when the
// alert had no text (File > Exit) and 1 when it had. Guarded against re-entry: a fatal alert
// raised during shutdown goes straight to the exit hook with status 1.
void MACIBM_shutdown(int had_message);

// ---- File dialogs ---------------------------------------------------------------------------

// The standard open dialog for files of the given kind (filter from set_up_IBM_filter). Returns 1
// when a file was chosen, with its name in `name` and its full path in `path` (400 characters
// each), and 0 when the dialog was cancelled.
int MACIBM_open(char* name, char* path, int kind);

// ---- Streams owned by the platform start-up -------------------------------------------------

extern std::ofstream err;  // the error log "Error.out", open for the whole run
extern std::ofstream trk;  // the data output file "Kestrix.out", open for the whole run

// Opens "Error.out" in the current folder when it is not open yet. Alerts call it, so an alert
// raised before start-up still reaches the log.
void macibm_open_error_log();

// ---- Windows, menus and mouse ----------------------------------------------------------------

enum {
  MAX_WINDOWS = 62,  // window indexes 0..61
  WIN_MAIN = 0,      // the main window
  MAX_MENUS = 236,   // menu indexes 1..235
};

// The window table, the menus and the mouse. Handles and OpenGL contexts belong to the back end,
// which casts them. Lifetime: program.
struct menuwindowstruct {
  int up[MAX_WINDOWS];                   // the window exists
  void* wind[MAX_WINDOWS];               // window handle
  void* wgl_ctx[MAX_WINDOWS];            // OpenGL context of the window
  char windowname[MAX_WINDOWS][400];     // title
  int x[MAX_WINDOWS], y[MAX_WINDOWS];    // position on the screen, pixels
  int dx[MAX_WINDOWS], dy[MAX_WINDOWS];  // client size in the window's drawing coordinates
  int wdx[MAX_WINDOWS], wdy[MAX_WINDOWS];  // client size on the screen, pixels
  float scale[MAX_WINDOWS];                // screen pixels per drawing coordinate, 0.05..8
  int ox[MAX_WINDOWS], oy[MAX_WINDOWS];    // pixel where drawing coordinate (0, 0) begins
  void* menu[MAX_MENUS];                 // menu handle by index 1..235
  int mx, my;           // mouse position in its window's drawing coordinates, y up from the bottom
  int mousedown;        // a mouse button is held
  float dragtime;       // seconds since the button was pressed
  int dragging_index;   // window being clicked
  int ready_to_update;  // windows are live; cleared while an alert is up
  int ui_scale;         // panel and text scale, percent UI_SCALE_MIN..UI_SCALE_MAX; 0 automatic
  int main_w, main_h;   // main window's client size in its normal state, pixels; 0 the default
  int main_state;       // main window: MAIN_NORMAL, MAIN_MAXIMISED or MAIN_FULL_SCREEN
};
extern menuwindowstruct mnw;

enum { MAIN_NORMAL = 0, MAIN_MAXIMISED = 1, MAIN_FULL_SCREEN = 2 };
enum { UI_SCALE_MIN = 100, UI_SCALE_MAX = 300 };

// Restore mnw to its start-up state: no windows, no menus, no button held.
void reset_mnw();

// ---- Program start-up ------------------------------------------------------------------------

extern void* active_inst;     // the program instance handed to the entry
extern int active_windstyle;  // the show mode handed to the entry

// Platform start-up, in this order: the back end's window class, the serial port closed and marked
// untried (it opens on first use), the cleared aircraft, constants and window records, the error log, app_path and prefs_path, the display
// mode, the constants, the palette, the main window with its menu bar (filled by the application's
// setupmenus hook) and the start-up picture with its progress bar. Returns 0 when the back end
// cannot start (the window class cannot be registered), else 1.
int MACIBM_init(const char* title, int dx, int dy);

// Full name of the simulator's preferences file; its folder is the programs' configuration folder.
extern char prefs_path[400];

// When set, the folder (ending in '/') that stands for the program's own folder: test programs,
// which live apart from the data, point it at the folder holding the programs and their data.
extern const char* macibm_program_folder;

// Fills app_path (the program's folder with a trailing '/') from the running executable and
// prefs_path ($XDG_CONFIG_HOME/Kestrix/Kestrix.prf, else ~/.config/Kestrix/Kestrix.prf). A path
// that does not fit its buffer falls back to the current folder.
void macibm_find_paths();


// Display mode check. On Linux the desktop keeps its own mode: always succeeds (returns 1) and
// changes nothing, for want 1 (the simulator's mode) and want 0 (the desktop's) alike.
int set_res(int want);

// Milliseconds of wall-clock time on a steady clock, with the fraction of the millisecond. The
// loop paces itself with it; tests may replace the hook with a clock of their own.
double MACIBM_clock_ms();
extern double (*macibm_clock_hook)();

// ---- Windows ---------------------------------------------------------------------------------

// Records title and client size of window w and centres it on an 800 x 600 screen; the main
// window moves 3 pixels further left and 9 up. w outside 0..61 is a fatal-with-value alert.
void set_win_params(int w, const char* title, int dx, int dy);
// Creates window w on its first call (holding the sounds), raises it when bring_to_front (it then
// becomes mnw.dragging_index), and makes it current for drawing.
void MACIBM_startwind(int w, int bring_to_front);
void MACIBM_invalwind(int w);  // asks for a redraw of the whole window
void MACIBM_killwind(int w);   // destroys window w if it exists
void MACIBM_handlezap(int w);  // the user closed window w: forget it and let the program react
void set_win_title(int w, const char* title);
// Index of the live window with this handle; 0 when none matches or there is no main window.
int get_win_index(void* handle);

// ---- Window sizes and the drawing's scale ----------------------------------------------------
// A window is drawn in its table size dx x dy (the main window in 800 x 580) whatever its size on
// the screen: the drawing is scaled to fit the window's pixels, centred across, the main window's
// standing on its bottom edge (the panel there, the 3-D view filling what is left above it) and
// the others' in the middle. The mouse comes back in drawing coordinates.

// Screen pixels per drawing coordinate that windows open at: mnw.ui_scale, or automatically the
// screen's dots per inch over 96, in quarter steps within 1..3.
float macibm_screen_scale();
// The largest scale, at most `most`, at which a drawing of dx x dy fits a window of wdx x wdy,
// and the pixel where the drawing begins: centred across, and on the bottom edge (bottom set) or
// centred up and down. Sizes below one pixel count as one.
void macibm_fit_drawing(int dx, int dy, int wdx, int wdy, float most, int bottom, float* scale,
                        int* ox, int* oy);
// Lays window w's drawing out in its pixels with the scale setting as the largest scale (a window
// with no size on the screen yet takes its table size), and with `use` set makes that the drawing
// layer's mapping.
void macibm_layout_window(int w, int use);
// A new scale setting: percent UI_SCALE_MIN..UI_SCALE_MAX, anything else automatic; every window
// is laid out again and drawn again.
void MACIBM_set_ui_scale(int percent);
// Puts the main window in mnw.main_state with the normal size mnw.main_w x main_h, each brought
// within the screen (a size of 0, the default: the table size at the screen's scale).
void MACIBM_restore_main_window();
// True full screen on or off; off returns to the state the window had before.
void MACIBM_fullscreen(int on);
// Gives window w the size it opens at: its table size at the screen's scale, within the screen.
void macibm_opening_size(int w);
// Window w's client size in pixels: its size on the screen, or its table size until it has one.
void macibm_window_pixels(int w, int* wdx, int* wdy);

// ---- Menus -----------------------------------------------------------------------------------

// One entry of a menu: an item, a separator or a submenu. `text` holds the "&" before the
// accelerator character and "&&" for each ampersand of the text itself.
struct macibm_menu_item {
  int id;          // command identifier of an item; the menu index of a submenu
  int separator;   // a separator line
  int submenu;     // 1 when this entry opens menu `id`
  int checked;     // a check mark is shown
  int enabled;     // 0 when greyed out
  int new_column;  // the entry starts a new column of the menu
  char text[400];
};

// Menu indexes run 1..235; 0 is the menu bar. Indexes above 234 and below 1 are fatal-with-value
// alerts with the texts of each call.
void MACIBM_create_menu(int m, const char* title);  // a drop-down menu at the end of the menu bar
void MACIBM_create_submenu(int parent, int m, int pos, const char* title);
void MACIBM_append_menu(int m, int id, int accel_pos, const char* text);
void MACIBM_delete_menu_item(int m, int id);
void MACIBM_delete_menu(int m);
void MACIBM_check_menu(int m, int id, int on);
void MACIBM_gray_menu(int m, int id, int enabled);

// The menu table as the back ends draw it and tests read it.
int macibm_menu_exists(int m);
const char* macibm_menu_title(int m);
int macibm_menu_size(int m);                                   // entries of menu m (0 is the bar)
const macibm_menu_item* macibm_menu_entry(int m, int k);       // entry k of menu m, or null
const macibm_menu_item* macibm_find_menu_item(int m, int id);  // item id of menu m, or null
void macibm_clear_menus();

// ---- Dialogs ---------------------------------------------------------------------------------

// The open and save dialogs for a file kind: on a choice `path` receives the full path and `name`
// the file name (400 characters each) and the result is 1; a cancelled dialog returns 0 and
// leaves both as they were. The simulator's sounds are held while a dialog is up. A name saved
// without the kind's extension gets it; a file of that whole name is replaced only when the user
// says Yes to replacing it, and otherwise the dialog counts as cancelled.
int MACIBM_open(char* name, char* path, int kind);
int MACIBM_save(char* name, char* path, int kind);
// "Save changes to <name> first?": 1 Yes, 2 No, 3 Cancel.
int MACIBM_respond_alert(const char* name);

// ---- Joystick, force feedback and serial port ----------------------------------------------

// One reading of a joystick. Axes run 0..65535 with the centre near 32767: x right, y towards
// the pilot (stick back), z throttle (0 fully forward), r rudder right. buttons has bit k set
// while button k + 1 is held; pov is the hat's direction in hundredths of a degree clockwise from
// forward, or -1 when the hat is centred.
struct macibm_joy_state {
  int x, y, z, r;
  unsigned buttons;
  int pov;
};

// Results of a joystick read: 0 a good reading; any other value means the stick could not be
// read and the state was left untouched.
enum { JOY_READ_OK = 0, JOY_READ_UNPLUGGED = 6, JOY_READ_NO_DRIVER = 7 };

// Joystick devices the platform knows of; 0 when it has none.
int MACIBM_joy_devices();
// Reads joystick `stick` (0 is the first) into *s; returns a JOY_READ_ code.
int MACIBM_joy_read(int stick, macibm_joy_state* s);

// The force-feedback stick's commands. Magnitudes are 0..100, directions whole degrees 0..359,
// frequencies and durations as forcecall passes them. A platform without a force-feedback stick
// ignores every command.
enum {
  FORCE_XSPRING = 1,      // a: centre offset -100..100, b: positive and c: negative stiffness
  FORCE_YSPRING,          // the same for the pitch axis
  FORCE_XVIBRATION,       // a, b: magnitudes either way, c: frequency 0..50 Hz
  FORCE_YVIBRATION,       // the same for the pitch axis
  FORCE_XVIBRATION_CLEAR,
  FORCE_YVIBRATION_CLEAR,
  FORCE_BUFFETING,        // a: magnitude
  FORCE_BUFFETING_CLEAR,
  FORCE_JOLT,             // a: magnitude, b: direction, c: duration 0..2500 ms
  FORCE_CLEAR,            // every force off
};
void MACIBM_force(int call, int a, int b, int c);
// Clears the forces, closes the force-feedback stick and releases the joystick devices.
void MACIBM_joy_close();

// Joystick probe: 0 ready, 5 no joystick devices, 6 joystick 0 unplugged, 7 no driver.
int init_WIN95();
// Sets set.controls_type to -1, probes, and on success starts force feedback on the stick and sets
// controls_type 5 (returns 1); otherwise shows why and returns 0: flight is by mouse then.
int MACIBM_initjoy();
// Serial port 1, opened on first use (512-byte queues, 115200 baud) rather than at start-up; a
// port that cannot be opened gets one notice and is not tried again. 1 when the port is open.
int MACIBM_serial_ready();
// Writes n bytes to serial port 1 (opening it first): the count accepted, or -1 when no port is
// open.
int MACIBM_serial_write(const void* bytes, int n);
// Closes serial port 1; the next serial output opens it afresh.
void MACIBM_serial_close();

// ---- Sound -----------------------------------------------------------------------------------

// The sound device holds one sound per number 0..SOUND_SLOTS - 1, each with its own samples and
// its own playing state, rate and volume. None of these calls waits for the sound to play.
enum { SOUND_SLOTS = 20 };
// Where a sound stands: at its start (loaded, rewound, never played), playing, paused where it
// was stopped, or at its end after a one-shot finished.
enum { SOUND_AT_START = 0, SOUND_PLAYING = 1, SOUND_PAUSED = 2, SOUND_FINISHED = 3 };

// Opens the default sound device; 1 on success, 0 when there is none to open.
int MACIBM_sound_open();
// Releases every sound and the device.
void MACIBM_sound_close();
// Gives sound n these samples: `bytes` of interleaved frames, 8-bit unsigned or 16-bit signed
// little-endian, 1 or 2 channels at `rate` frames per second; it stands at its start, at the file's
// own rate and full volume. No samples (bytes 0) leave it empty and silent. Returns 0 when the
// device refuses them, and the sound is then empty.
int MACIBM_sound_load(int n, const unsigned char* pcm, int bytes, int channels, int bits, int rate);
// Plays sound n from where it stands, looping when `loop` is non-zero; a sound already playing
// goes on, taking the new looping. A sound at its end plays nothing until rewound.
void MACIBM_sound_play(int n, int loop);
void MACIBM_sound_pause(int n);   // stops it where it stands
void MACIBM_sound_rewind(int n);  // stops it and puts it back at its start
int MACIBM_sound_state(int n);    // a SOUND_ value
// Gain 0..1 (0 silent) and pitch (the playback rate over the file's own rate, above 0); each
// returns 0 when the device refuses the value.
int MACIBM_sound_gain(int n, float gain);
int MACIBM_sound_pitch(int n, float pitch);

// A stream of samples made at run time (the controller's speech), apart from the numbered sounds:
// 16-bit signed mono frames at `rate` per second, heard after everything already queued on it.
// Returns 0 when the device refuses them.
int MACIBM_stream_queue(const short* pcm, int frames, int rate);
// Silences the stream and forgets everything queued on it.
void MACIBM_stream_cancel();
// 1 while the stream has samples still to be heard.
int MACIBM_stream_playing();

// ---- Speech ----------------------------------------------------------------------------------

// The speech engine makes each sentence into samples beside the frame loop, never holding it up,
// and the stream above plays them in order. Voices: 0 the controllers', 1 the ATIS recording's.
// Hands a sentence to the engine; 0 when the engine refuses it (none selected, too many waiting).
int MACIBM_speak(const char* text, int voice);
// Drops the sentences waiting and silences the one being heard.
void MACIBM_speech_cancel();
// Moves what the engine has made to the stream; once per loop pass. Returns the number of
// sentences the engine failed to make since the last call.
int MACIBM_speech_pump();

// ---- Input events --------------------------------------------------------------------------

// The back ends translate their window system's events into these calls; they update mnw and call
// the program's handlers below. Window indexes outside the table are fatal alerts.
void macibm_event_menu(int id);
void macibm_event_key(char c);      // a character for the simulator's key handler
void macibm_event_function(int n);  // F1..F12 (Backspace as F10): 19..30, with Shift 31..42
void macibm_event_yoke(int k);      // keypad 5, 2, 8, 4, 6, 1, 3: 0..6
void macibm_event_freeview(int k);  // arrows: 25 left, 26 right, 27 up, 28 down
// Mouse position in window w with y counted down from the top row, as window systems give it.
void macibm_event_mouse_move(int w, int x, int y);
void macibm_event_button_down(int w);
extern double macibm_button_down_ms;  // clock reading when the button went down
void macibm_event_button_up();
void macibm_event_paint(int w);
// Window w's client area is now wdx x wdy pixels: its drawing is laid out again, and the main
// window's normal size remembered. The back end asks for the redraw itself.
void macibm_event_resize(int w, int wdx, int wdy);
// Dispatches every waiting event of the back end, then returns.
void MACIBM_dispatch_events();

// The program's handlers, installed before MACIBM_init; null hooks are skipped.
extern void (*macibm_setupmenus_hook)();
extern void (*macibm_menu_hook)(int id);
extern void (*macibm_key_hook)(char c);
extern void (*macibm_function_hook)(int n);
extern void (*macibm_yoke_hook)(int k);
extern void (*macibm_freeview_hook)(int k);
extern void (*macibm_click_hook)(int w);   // a button went down in window w
extern void (*macibm_paint_hook)(int w);   // window w must be drawn again
extern void (*macibm_zap_hook)(int w);     // the user closed window w
extern void (*macibm_hold_sounds_hook)();  // before an alert, a dialog or a new window
extern void (*macibm_resume_sounds_hook)();

// ---- Back-end hooks (implemented by src/app/headless and src/app/desktop) --------------------

// Registers the window class; 0 when that fails.
int backend_init();
// Shows the message box of an alert; returns when the user has closed it.
void backend_show_alert(const char* title, const std::string& text);
// Yes/No/Cancel box; returns 1, 2 or 3.
int backend_ask(const char* title, const std::string& question);
// Open or save dialog for the filter in filter_str, proposing `start_name`: 1 with the full path
// chosen written to `path` (at most size - 1 characters), 0 when cancelled.
int backend_file_dialog(int save, const char* start_name, char* path, int size);
// Window w of the table: creates it at mnw.x/y with its title and a client area of mnw.wdx x wdy
// pixels, and stores its handle in mnw.wind[w]. Returns 0, or 1 when the window cannot be created,
// 2 when no pixel format can be chosen and 3 when it cannot be set.
int backend_create_window(int w);
void backend_destroy_window(int w);
void backend_make_current(int w, int raise);  // current for drawing, raised when asked
void backend_invalidate(int w);
void backend_set_title(int w);
void backend_menus_changed();  // the menu table changed: draw the menu bar again
void backend_pump_events();    // turns waiting window-system events into macibm_event_ calls
// Serial port 1: 0 when opened, a negative library code (-1, -2, -4, -10) on failure, or 1 when the
// machine has no port to open (nothing to report). The baud-rate call answers the same way with
// the codes -1 and -12.
int backend_serial_open(int in_queue, int out_queue);
int backend_serial_baud(int baud);
int backend_serial_write(const void* bytes, int n);
void backend_serial_close();
// Joystick: the code of init_WIN95; force feedback on port 1, stick 0, and its release.
int backend_joystick_probe();
void backend_force_feedback_start();
void backend_force_feedback_stop();
// Speech engine with a US English voice; 1 when one could be selected.
int backend_speech_init();
// Releases the back end's windows and its connection to the window system on the fatal path.
// The joystick and the sound device are the simulator's to release (MACIBM_joy_close,
// MACIBM_sound_close, from its fatal hook), so that the editor's fatal path links neither.
void backend_shutdown();
// The screen's area for windows (without what the desktop keeps for itself), pixels, and its
// dots per inch.
void backend_screen(int* w, int* h, float* dpi);
// Gives the main window the client size w x h in its normal state and puts it in `state` (a
// MAIN_ value); its new size comes back through macibm_event_resize.
void backend_main_window(int w, int h, int state);
