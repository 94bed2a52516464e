// The fake platform: deterministic, records every call, answers by script.
// Each role has its own fake_<role>.h with what tests can set and read.
#pragma once

#include "fake/fake_dialogs.h"
#include "fake/fake_drawing.h"
#include "fake/fake_memory.h"
#include "fake/fake_message_box.h"
#include "fake/fake_registry.h"
#include "fake/fake_process.h"
#include "fake/fake_resources.h"
#include "fake/fake_windows.h"

// Resets every role of the fake to its start state (called by each test's fixture).
void FakeReset();
