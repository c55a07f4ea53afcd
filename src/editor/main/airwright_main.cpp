// Airwright: the entry hands over to the editor's own.
#include "editor/editor.h"

int main(int argc, char** argv) { return airwright_main(argc, argv, AIRWRIGHT_HAS_WINDOW); }
