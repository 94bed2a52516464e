// Shared set-up for the tests against the fake platform.
#pragma once

#include <gtest/gtest.h>

#include "fake/fake.h"
#include "shell/app_state.h"

// Every test starts from a fresh program and a fresh fake platform.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    FakeReset();
  }
  void TearDown() override {
    ResetAppState();
    FakeReset();
  }
};
