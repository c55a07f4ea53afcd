// The editor's batch modes for scripts and tests: the simulator's aircraft checks on a file, and
// opening and saving a file without a window.
#include "editor/editor.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/macibm.h"
#include "shared/shared.h"

// ---- Checks ----------------------------------------------------------------------------------

// Every alert raised while the file is checked is a problem, but for the notice the design checks
// give when Kestrix flies the aircraft all the same (one that sits steeply on the ground): that is
// a warning, and no reason to call the design refused. The same problem met again (an airfoil
// table wrong on every row) is told once, and after a file stopped giving values, the zeros the
// reader then takes are no problems of the design.
static std::vector<std::string> problems, warnings;
static int in_design_checks = 0;

static void collect_problem(const alert_record& a) {
  if (inf_failed) return;
  std::string text;
  for (const std::string& l : a.line) {
    if (l.empty()) continue;
    if (!text.empty()) text += " / ";
    text += l;
  }
  std::vector<std::string>& to = in_design_checks && a.kind == ALERT_NOTICE ? warnings : problems;
  for (const std::string& p : to)
    if (p == text) return;
  to.push_back(text);
}

// The simulator's own load, without its drawing and sounds: the reader with its checks of the
// file's values, the preparation with the airfoils and the flaps, and the design checks. The
// checks raise the simulator's fatal alerts, which the editor's alert codes take for notices, so
// that every problem is met and told rather than the first ending the run. A file that cannot be
// read in full is told and not checked further.
static void check_file(const char* path) {
  problems.clear();
  warnings.clear();
  void (*old_hook)(const alert_record&) = macibm_alert_hook;
  macibm_alert_hook = collect_problem;
  reset_pln();
  reset_afl();
  C_to_C(path, pln.C_path);
  C_to_C(path, pln.C_file);
  inf_failed = 0;
  inf_failure_notice = 1;
  if (!inf_open(path, FILE_ANY, VERSION_AIRCRAFT, 1)) {
    if (!inf_failed)
      MACIBM_alert("The aircraft file cannot be opened, or it is not an aircraft file:", path, "",
                   "", ALERT_NOTICE);
  } else {
    read_plane_file();
    inf.close();
    inf.clear();
    if (!inf_failed) {
      finish_readin1();
      finish_readin2();
      set_slat_effect();
      if (pln.flapEQ) read_flap_file(pln.flap_str);
      in_design_checks = 1;
      dump_geo();
      in_design_checks = 0;
    }
  }
  if (inf.is_open()) inf.close();
  inf.clear();
  inf_failure_notice = 0;
  inf_failed = 0;
  macibm_alert_hook = old_hook;
}

int airwright_check(const char* path, FILE* out) {
  check_file(path);
  for (const std::string& p : problems) std::fprintf(out, "%s: %s\n", path, p.c_str());
  for (const std::string& w : warnings) std::fprintf(out, "%s: warning: %s\n", path, w.c_str());
  std::fflush(out);
  return problems.empty() ? 0 : 1;
}

// The check reads the file as the simulator does, into the simulator's units: the design being
// edited is kept aside meanwhile, and the problems are told in one notice, not one box each.
int tell_check_problems(const char* path) {
  static planestruct design;
  static airfoilstruct foils;
  design = pln;
  foils = afl;
  const int boxes = macibm_no_boxes;
  macibm_no_boxes = 1;
  check_file(path);
  macibm_no_boxes = boxes;
  pln = design;
  afl = foils;
  if (problems.empty()) {
    if (!warnings.empty())
      MACIBM_alert("The aircraft is saved. Kestrix will fly it, but warns:", warnings[0].c_str(),
                   "", "", ALERT_NOTICE);
    return 0;
  }
  char more[STR_SIZE] = "";
  if (problems.size() > 1)
    std::snprintf(more, sizeof more,
                  "There are %d more; 'Airwright --check' on the file lists them all.",
                  static_cast<int>(problems.size()) - 1);
  MACIBM_alert("The aircraft is saved, but Kestrix will not fly it as it is:", problems[0].c_str(),
               more, "", ALERT_NOTICE);
  return static_cast<int>(problems.size());
}

// ---- Open and save ---------------------------------------------------------------------------

int airwright_resave(const char* in, const char* out) {
  int mirrored = 0;
  if (!read_aircraft_file(in, &mirrored)) return 1;
  return writeout_file(out) ? 0 : 1;
}
