// The font chooser on the fake platform: opening states, the Hebrew-family
// switch, the family list's blocks, OK and Cancel, and the layout.
#include <string>
#include <vector>

#include "dialogs/font_chooser.h"
#include "shell/app_state.h"
#include "test_support.h"

namespace {

FontSpec MakeFontSpec(const char16_t* face, int32_t size, int32_t base) {
  FontSpec font{};
  for (int i = 0; face[i] && i < 31; ++i) font.Face[i] = face[i];
  font.Size = size;
  font.LetterBase = base;
  return font;
}

std::u16string Face(const FontSpec& font) {
  return std::u16string(font.Face);
}

FakeControl* Control(Window* dialog, uint16_t id) {
  return FakeControlOf(GetDialogControl(dialog, id));
}

bool IsChecked(Window* dialog, uint16_t id) {
  return IsButtonChecked(GetDialogControl(dialog, id));
}

std::u16string Sample(int32_t base) {
  std::u16string text;
  for (int i = 26; i >= 0; --i) text += static_cast<char16_t>(base + i);
  return text;
}

class FontChooserTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    FakeDrawing.Faces = {{u"Zeta Sans", 0}, {u"David CLM", 177}, {u"arial", 0}, {u"Frank Ruehl CLM", 177}};
  }
  // Runs the chooser with the user's steps; returns its result.
  int Run(FontSpec* font, std::vector<std::function<void(Window*)>> steps) {
    for (auto& step : steps) FakeDialogs.Script.push_back(step);
    return RunFontChooser(nullptr, font);
  }
};

struct OpeningCase {
  int32_t Base;
  int32_t Size;
  bool Checked224;
  bool Checked1488;
  int32_t SampleBase;
  std::vector<std::u16string> FirstSizes;  // the first items of the size list
  int32_t SizeCount;
  int32_t SizeSelected;  // -1: none
};

TEST_F(FontChooserTest, OpensWithTheBaseButtonSampleAndSizesOfTheFontSpec) {
  const OpeningCase cases[] = {
      {0, 0, false, true, 1488, {u"10", u"11"}, 14, -1},    // base 0 becomes 1488; size 0 selects none
      {97, 5, false, false, 97, {u"5", u"10"}, 15, 0},      // no button for 97; 5 is added first
      {224, 13, true, false, 224, {u"10", u"11"}, 14, -1},  // 13 is not offered
      {1488, 20, false, true, 1488, {u"10"}, 14, 6},
      {500, 72, false, false, 500, {u"10"}, 14, 13},  // an unknown base checks nothing
  };
  for (const OpeningCase& c : cases) {
    SCOPED_TRACE(c.Base * 1000 + c.Size);
    FakeReset();
    SetUp();
    FontSpec font = MakeFontSpec(u"ARIAL", c.Size, c.Base);
    bool seen = false;
    const int result = Run(&font, {[&](Window* dialog) {
      seen = true;
      EXPECT_EQ(IsChecked(dialog, Base224Button), c.Checked224);
      EXPECT_EQ(IsChecked(dialog, Base1488Button), c.Checked1488);
      EXPECT_FALSE(IsChecked(dialog, Base97Button));
      EXPECT_EQ(GetDialogControl(dialog, Base97Button), nullptr);
      EXPECT_EQ(Control(dialog, SampleBox)->Text, Sample(c.SampleBase));
      FakeControl* sizes = Control(dialog, SizeList);
      ASSERT_EQ(static_cast<int32_t>(sizes->Items.size()), c.SizeCount);
      for (size_t i = 0; i < c.FirstSizes.size(); ++i) EXPECT_EQ(sizes->Items[i], c.FirstSizes[i]);
      EXPECT_EQ(sizes->Items.back(), u"72");
      EXPECT_EQ(sizes->Selection, c.SizeSelected);
      // The faces are sorted, the current one selected, and the face list has
      // the focus, which already made the first sample font.
      FakeControl* faces = Control(dialog, FaceList);
      EXPECT_EQ(faces->Items, (std::vector<std::u16string>{u"arial", u"David CLM", u"Frank Ruehl CLM", u"Zeta Sans"}));
      EXPECT_EQ(faces->Selection, 0);
      EXPECT_EQ(FakeDialogs.Focus, GetDialogControl(dialog, FaceList));
      ASSERT_NE(FontChooser.SampleFont, nullptr);
      EXPECT_EQ(Control(dialog, SampleBox)->UsedFont, FontChooser.SampleFont);
      EXPECT_EQ(FontChooser.SampleFont->Face, u"arial");
      FakeUserCommand(dialog, 2);
    }});
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, 2);
    // Cancel keeps the FontSpec, except that base 0 has become 1488.
    EXPECT_EQ(font.LetterBase, c.Base == 0 ? 1488 : c.Base);
    EXPECT_EQ(font.Size, c.Size);
    EXPECT_EQ(Face(font), u"ARIAL");
    EXPECT_EQ(FakeDrawing.FontsMade, FakeDrawing.FontsFreed);
    EXPECT_EQ(FakeDialogs.LeftOpen, 0);
  }
}

TEST_F(FontChooserTest, OpeningOnAHebrewFaceSwitchesAtOnce) {
  // The face list's focus at the end of initialisation is a list notification.
  FontSpec font = MakeFontSpec(u"David", 0, 224);
  Run(&font, {[](Window* dialog) {
    EXPECT_TRUE(IsChecked(dialog, Base1488Button));
    EXPECT_FALSE(IsChecked(dialog, Base224Button));
    FakeUserCommand(dialog, 1);
  }});
  EXPECT_EQ(font.LetterBase, 1488);
  EXPECT_EQ(Face(font), u"David CLM");
}

TEST_F(FontChooserTest, TheSampleForBase224RunsFromUFAToUE0) {
  FontSpec font = MakeFontSpec(u"", 0, 224);
  Run(&font, {[](Window* dialog) {
    const std::u16string& text = Control(dialog, SampleBox)->Text;
    ASSERT_EQ(text.size(), 27u);
    EXPECT_EQ(text.front(), u'\u00FA');
    EXPECT_EQ(text.back(), u'\u00E0');
    FakeUserCommand(dialog, 2);
  }});
}

TEST_F(FontChooserTest, AHebrewFamilySwitchesTo5D0OnceAndNeverBack) {
  FontSpec font = MakeFontSpec(u"arial", 12, 224);
  const int result = Run(&font, {
      [](Window* dialog) {
        EXPECT_TRUE(IsChecked(dialog, Base224Button));
        FakeChooseListItem(dialog, FaceList, 1);  // David CLM, Hebrew
        EXPECT_TRUE(IsChecked(dialog, Base1488Button));
        EXPECT_FALSE(IsChecked(dialog, Base224Button));
        EXPECT_EQ(Control(dialog, SampleBox)->Text, Sample(1488));
      },
      [](Window* dialog) {
        // Choosing the Hebrew face again while 5D0 is checked changes nothing
        // but the sample font.
        const int sets = Control(dialog, SampleBox)->FontSets;
        FakeChooseListItem(dialog, FaceList, 1);
        EXPECT_TRUE(IsChecked(dialog, Base1488Button));
        EXPECT_EQ(Control(dialog, SampleBox)->FontSets, sets + 1);
        FakeChooseListItem(dialog, FaceList, 3);  // Zeta Sans: no way back
        EXPECT_TRUE(IsChecked(dialog, Base1488Button));
        EXPECT_EQ(Control(dialog, SampleBox)->Text, Sample(1488));
        FakeChooseListItem(dialog, SizeList, 6);  // 20
        FakeUserCommand(dialog, 1);
      },
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Face(font), u"Zeta Sans");
  EXPECT_EQ(font.Size, 20);
  EXPECT_EQ(font.LetterBase, 1488);
  EXPECT_EQ(FakeDrawing.FontsMade, FakeDrawing.FontsFreed);
  EXPECT_EQ(FakeDrawing.MisusedObjects, 0);
}

TEST_F(FontChooserTest, BaseButtonsRedrawTheSampleAndOkTakesTheCheckedBase) {
  FontSpec font = MakeFontSpec(u"Zeta", 0, 1488);
  Run(&font, {[](Window* dialog) {
    FakeClickRadio(dialog, Base224Button);
    EXPECT_EQ(Control(dialog, SampleBox)->Text, Sample(224));
    EXPECT_EQ(FontChooser.SampleFont->Face, u"Zeta Sans");
    FakeUserCommand(dialog, 1);
  }});
  EXPECT_EQ(font.LetterBase, 224);
  EXPECT_EQ(font.Size, 0);  // no size chosen: 0 stays
  EXPECT_EQ(Face(font), u"Zeta Sans");
}

TEST_F(FontChooserTest, OkWithoutChoicesKeepsBase97AndAnUnknownFace) {
  FontSpec font = MakeFontSpec(u"Nowhere", 0, 97);
  Run(&font, {[](Window* dialog) {
    EXPECT_EQ(Control(dialog, FaceList)->Selection, -1);
    // The missing 97 button: the command shows its sample, checks nothing.
    FakeUserCommand(dialog, Base97Button);
    EXPECT_EQ(Control(dialog, SampleBox)->Text, Sample(97));
    FakeUserCommand(dialog, 1);
  }});
  EXPECT_EQ(font.LetterBase, 97);
  EXPECT_EQ(font.Size, 0);
  EXPECT_EQ(Face(font), u"Nowhere");
}

TEST_F(FontChooserTest, CancelAfterChangesKeepsTheFontSpec) {
  FontSpec font = MakeFontSpec(u"arial", 14, 224);
  const int result = Run(&font, {[](Window* dialog) {
    FakeChooseListItem(dialog, FaceList, 3);
    FakeChooseListItem(dialog, SizeList, 12);
    FakeClickRadio(dialog, Base1488Button);
    FakeUserCommand(dialog, 2);
  }});
  EXPECT_EQ(result, 2);
  EXPECT_EQ(Face(font), u"arial");
  EXPECT_EQ(font.Size, 14);
  EXPECT_EQ(font.LetterBase, 224);
}

TEST_F(FontChooserTest, FamiliesComeInBlocksOf25EachFreedOnce) {
  struct BlockCase {
    int Families;
    long FailAfter;
    int Listed;
    long Blocks;
  };
  const BlockCase cases[] = {
      {25, -1, 25, 1},
      {26, -1, 26, 2},
      {60, -1, 60, 3},
      {60, 1, 25, 1},  // the second block cannot be had: the listing stops
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.Families);
    FakeReset();
    FakeDrawing.Faces.clear();
    for (int i = 0; i < c.Families; ++i) {
      std::u16string face = u"Face ";
      face += static_cast<char16_t>(u'A' + i / 26);
      face += static_cast<char16_t>(u'a' + i % 26);
      FakeDrawing.Faces.push_back({face, 0});
    }
    FontSpec font = MakeFontSpec(u"Face Ab", 0, 224);
    FakeDialogs.Script.push_back([&](Window* dialog) {
      FakeMemory.FailAfter = -1;
      EXPECT_EQ(FakeMemory.Allocations, c.Blocks);
      EXPECT_EQ(ListItemCount(GetDialogControl(dialog, FaceList)), c.Listed);
      int chained = 0;
      int starts = 0;
      for (FontFamilyEntry* entry = FontChooser.Head; entry; entry = entry->Next) {
        ++chained;
        starts += entry->BlockStart;
      }
      EXPECT_EQ(chained, c.Listed);
      EXPECT_EQ(starts, c.Blocks);
      FakeUserCommand(dialog, 1);
    });
    FakeMemory.FailAfter = c.FailAfter;
    RunFontChooser(nullptr, &font);
    // Freed (AddressSanitizer reports a block freed twice or left behind).
    EXPECT_EQ(FontChooser.Head, nullptr);
    EXPECT_EQ(FontChooser.FreeEntries, 0);
  }
}

TEST_F(FontChooserTest, TheLayoutFollowsTheClientSize) {
  FontSpec font = MakeFontSpec(u"", 0, 224);
  Run(&font, {[](Window* dialog) {
    // 240 x 294: W 226, H 280, d 150, f 186.
    FakeResizeDialog(dialog, 240, 294);
    struct Place {
      uint16_t Id;
      Rect Expected;
    };
    const Place places[] = {
        {FaceList, {7, 7, 7 + 143, 7 + 179}},
        {SizeList, {157, 59, 157 + 76, 59 + 127}},
        {SampleBox, {7, 186, 7 + 226, 186 + 94}},
        {Base224Button, {157, 24, 157 + 76, 34}},
        {Base1488Button, {157, 41, 157 + 76, 51}},
    };
    for (const Place& p : places) {
      SCOPED_TRACE(p.Id);
      const Rect r = GetWindowRect(GetDialogControl(dialog, p.Id));
      EXPECT_EQ(r.Left, p.Expected.Left);
      EXPECT_EQ(r.Top, p.Expected.Top);
      EXPECT_EQ(r.Right, p.Expected.Right);
      EXPECT_EQ(r.Bottom, p.Expected.Bottom);
    }
    EXPECT_EQ(FakeLogLines("MoveWindow control1001 7,7,143,179 redraw").size(), 1u);
    FakeUserCommand(dialog, 2);
  }});
  // The dialog asks the shell for the full-screen set-up with a Done button.
  EXPECT_EQ(FakeLogLines("ShellInitDialog dialog105 0x1F").size(), 1u);
}

TEST_F(FontChooserTest, ActivationHidesTheTaskBarOnlyInFullScreenAndNotOnATap) {
  FontSpec font = MakeFontSpec(u"", 0, 224);
  App.FullScreen = 1;
  App.TaskBar = FakeAddForeignWindow(u"HHTaskBar", u"", nullptr);
  Run(&font, {[](Window* dialog) {
    EXPECT_EQ(FakeLogLines("ShellInitDialog dialog105 0x1E").size(), 1u);
    FakeWindows.Log.clear();
    SendMessage(dialog, MsgActivate, ActivateByClick, 0);
    EXPECT_TRUE(FakeLogLines("ShowWindow HHTaskBar").empty());
    SendMessage(dialog, MsgActivate, ActivateOn, 0);
    EXPECT_EQ(FakeLogLines("ShowWindow HHTaskBar 0").size(), 1u);
    FakeUserCommand(dialog, 2);
  }});
}

}  // namespace
