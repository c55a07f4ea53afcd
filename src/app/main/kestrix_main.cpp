// Kestrix on the desktop: the entry hands over to the simulator's own.
#include "app/app.h"

int main(int argc, char** argv) { return WinMain(nullptr, nullptr, argc > 1 ? argv[1] : "", 1); }
