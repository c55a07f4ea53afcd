// The headless back end: no window, no sound device. Alerts are logged by the common code and no
// box is shown.
#include "app/macibm.h"

void backend_show_alert(const char* title, const std::string& text) {}
void backend_shutdown() {}
