// What every fuzz target shares: a fatal alert throws out of the code under test instead of ending
// the process, alerts echo nowhere, and the input becomes a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>

#include "app/macibm.h"
#include "shared/shared.h"

struct fuzz_fatal {};

// Installs the throwing exit and fills the constants. Every alert is echoed to standard error;
// with a stream that has nowhere to write, the fuzzer's own output stays readable.
inline void fuzz_init() {
  macibm_exit_hook = [](int) { throw fuzz_fatal{}; };
  std::cerr.rdbuf(nullptr);
  init_constants();
}

// Runs a reader, which a fatal alert ends here, then clears the alert log, which would otherwise
// grow with every input.
template <typename F>
void fuzz_run(F reader) {
  try {
    reader();
  } catch (const fuzz_fatal&) {
  }
  macibm_clear_alert_log();
}

inline void fuzz_write(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
