// Helpers shared by every test program.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/macibm.h"

// Thrown by the exit hook that the test programs install: a fatal alert ends the code under test
// with this exception instead of ending the test run.
struct fatal_alert_exit {
  int status;
};

// The lines of the last alert shown, or empty lines when none was.
const alert_record& last_alert();

// Checks that the statement raises a fatal alert.
#define EXPECT_FATAL_ALERT(statement) EXPECT_THROW(statement, fatal_alert_exit)

// The whole of a file, empty when it cannot be read; and a file made to hold exactly these bytes.
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
