// Runs the whole program on the fake platform with the sample volume and a
// scripted message queue.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "fake/fake_registry.h"
#include "settings/settings_store.h"
#include "shell/app_state.h"
#include "shell/program_main.h"
#include "test_support.h"
#include "textpane/text_pane.h"

class ShellTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    // A font is stored, so the start is not the very first one.
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
  }

  void TearDown() override {
    CloseLeftovers();
    ProgramTest::TearDown();
  }

  // A run whose script ended without closing leaves the window: close it now.
  static void CloseLeftovers() {
    if (Window* window = FakeMainWindow()) DestroyWindow(window);
  }

  static void SetGlobal(const std::u16string& name, uint32_t value) {
    FakeRegistrySeedNumber(GlobalKey, name, value);
  }
  static void SetSetting(const std::u16string& name, uint32_t value) {
    FakeRegistrySeedNumber(SettingsKey, name, value);
  }
  // The stored number, or -1 when the value is missing.
  static int64_t Stored(const std::u16string& name) {
    const FakeRegistryValue* value = FakeRegistryFind(SettingsKey, name);
    if (!value || value->Data.size() != 4) return -1;
    uint32_t number;
    std::memcpy(&number, value->Data.data(), 4);
    return number;
  }

  // Runs the program; when exitAtEnd, the script ends with the Exit command.
  int Run(bool exitAtEnd = true) {
    if (exitAtEnd) FakeQueue(MsgCommand, 40005);
    return ProgramMain(nullptr, u"", ShowNormal);
  }

  // Lesson resources asked for since the last call, as lesson numbers.
  static std::vector<int> LessonsLoaded() {
    std::vector<int> out;
    for (const FakeResourceLookup& lookup : FakeResources.Lookups) {
      if (lookup.Id > 1000 && lookup.Id <= 1346) out.push_back(lookup.Id - 1000);
    }
    FakeResources.Lookups.clear();
    return out;
  }

  static Window* TopBar() { return App.TopScrollBar; }
};
