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

// Called with every alert before it is shown; the headless flight runner uses it to stop the run
// on the first alert. Null by default.
extern void (*macibm_alert_hook)(const alert_record& a);

// ---- Shutdown -------------------------------------------------------------------------------

// Program-specific work of the fatal path, run once after the box is closed and before the
// streams are closed: the simulator logs flight time and spoils its preferences file here.
// `had_message` is 1 when the fatal alert carried any text. Null in programs that need none.
extern void (*macibm_fatal_hook)(int had_message);

// The last step of the fatal path. The default ends the process with the given status; tests
// replace it with one that throws, so that a fatal alert can be observed without ending the run.
extern void (*macibm_exit_hook)(int status);

// The one exit path: runs the fatal hook, closes the output, error-log and track streams,
// releases the back end's windows and devices, and calls the exit hook. Guarded against
// re-entry: a fatal alert raised during shutdown goes straight to the exit hook.
void MACIBM_shutdown(int had_message);

// ---- Streams owned by the platform start-up -------------------------------------------------

extern std::ofstream err;  // the error log "Error.out", open for the whole run
extern std::ofstream trk;  // the data output file "Kestrix.out", open for the whole run

// Opens "Error.out" in the current folder when it is not open yet. Alerts call it, so an alert
// raised before start-up still reaches the log.
void macibm_open_error_log();

// ---- Back-end hooks (implemented by src/app/headless and src/app/desktop) --------------------

// Shows the message box of an alert; returns when the user has closed it. The headless back end
// shows nothing.
void backend_show_alert(const char* title, const std::string& text);
// Releases every window and device of the back end on the fatal path.
void backend_shutdown();

// ---- Windows, menus and mouse ----------------------------------------------------------------

enum {
  MAX_WINDOWS = 62,  // window indexes 0..61; 0 is the main window
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
  int dx[MAX_WINDOWS], dy[MAX_WINDOWS];  // client size, pixels
  void* menu[MAX_MENUS];                 // menu handle by index 1..235
  int mx, my;           // mouse position in its window, pixels, y up from the bottom
  int mousedown;        // a mouse button is held
  float dragtime;       // seconds since the button was pressed
  int dragging_index;   // window being clicked
  int ready_to_update;  // windows are live; cleared while an alert is up
};
extern menuwindowstruct mnw;

// Restore mnw to its start-up state: no windows, no menus, no button held.
void reset_mnw();

// ---- Joystick and force feedback -------------------------------------------------------------

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
