// Set-up shared by the world generator's tests: its tables emptied before each test.
#pragma once

#include "support/test_support.h"
#include "worldgen.h"

class WorldgenTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_wg(); }
};
