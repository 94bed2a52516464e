// The About box, its drawn link and the addresses opened through the shell.
#include <string>

#include "dialogs/about_box.h"
#include "resources/dialog_templates.h"
#include "shell/commands.h"
#include "test_support.h"

namespace {

class AboutBoxTest : public ProgramTest {};

std::u16string Encoded(const char16_t* text, int32_t capacity = 64) {
  char16_t buffer[64] = {};
  const int32_t length = AppendEncoded(buffer, capacity, 0, text);
  EXPECT_EQ(buffer[length], 0);
  return buffer;
}

TEST_F(AboutBoxTest, AddressTextIsEncodedUnitByUnit) {
  EXPECT_EQ(Encoded(u"Orvanta/Darvo"), u"Orvanta/Darvo");
  EXPECT_EQ(Encoded(u"My Maker & Co/Reader"), u"My+Maker+%26+Co/Reader");
  EXPECT_EQ(Encoded(u"a-b_c~d?"), u"a%2Db%5Fc%7Ed%3F");
  EXPECT_EQ(Encoded(u"\u05D0\u00E9\uFB2A"), u"%5D0%E9%FB2A");
  // A piece that no longer fits is left out whole.
  EXPECT_EQ(Encoded(u"ab&", 5), u"ab");
  EXPECT_EQ(Encoded(u"abcdef", 4), u"abc");
}

TEST_F(AboutBoxTest, CheckForUpdatesOpensTheFullUpdateAddress) {
  RunCommand(nullptr, 129);
  ASSERT_EQ(FakeDialogs.ShellOpens.size(), 1u);
  const FakeShellOpen& call = FakeDialogs.ShellOpens[0];
  EXPECT_EQ(call.Verb, u"Open");
  EXPECT_EQ(call.Target, u"https://www.orvanta.example/cgi-bin/upgrade?p=arm/Orvanta/Darvo&v=1.84a");
  EXPECT_EQ(call.ShowState, 0);
  EXPECT_EQ(call.Flags, static_cast<unsigned>(ShellOpenNoErrorUi));
  char16_t small[20];
  EXPECT_EQ(BuildUpdateAddress(small, 20), 19);
  EXPECT_EQ(std::u16string(small), u"https://www.orvanta");
}

TEST_F(AboutBoxTest, TheLinkFontFallsBackToTahoma10PointsBoldUnderlined) {
  FakeDrawing.PixelsPerInchY = 96;
  FakeDrawing.EdgeWidth = 2;
  FakeDrawing.EdgeHeight = 3;
  FakeDialogs.Script.push_back([](Window* dialog) {
    Font* font = AboutBox.LinkFont;
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Face, u"Tahoma");
    EXPECT_EQ(font->Height, -13);  // -(10 * 96) / 72
    EXPECT_EQ(font->Weight, 800);
    EXPECT_EQ(font->Look, static_cast<uint32_t>(FontUnderlined));
    Window* link = GetDialogControl(dialog, LinkButton);
    EXPECT_EQ(FakeControlOf(link)->UsedFont, font);
    // Sized to its text (19 letters of 6 pixels, cell 16) plus the edges; the
    // corner stays at (7, 58) in dialog units.
    const Rect place = GetWindowRect(link);
    EXPECT_EQ(place.Left, 7 * 6 / 4);
    EXPECT_EQ(place.Top, 58 * 16 / 8);
    EXPECT_EQ(place.Right - place.Left, 19 * 6 + 2 * 2);
    EXPECT_EQ(place.Bottom - place.Top, 16 + 2 * 3);
  });
  FakeDialogs.Script.push_back([](Window* dialog) {
    FakeDrawing.Calls.clear();
    FakeDrawControl(dialog, LinkButton);
    ASSERT_EQ(FakeDrawing.Calls.size(), 1u);
    const FakeDrawCall& call = FakeDrawing.Calls[0];
    EXPECT_EQ(call.Kind, FakeDrawTextAt);
    EXPECT_EQ(call.Text, u"www.orvanta.example");
    EXPECT_EQ(call.TextColour, 0xFF0000u);
    EXPECT_EQ(call.BackColour, 0xFFFFFFu);
    EXPECT_EQ(call.Mode, BackgroundTransparent);
    EXPECT_EQ(call.X, 1);
    EXPECT_EQ(call.Y, 0);
    EXPECT_EQ(call.Box.Right, 19 * 6 + 4);
    EXPECT_EQ(call.FontFace, u"Tahoma");
    EXPECT_EQ(call.FontWeight, 800);
  });
  FakeDialogs.Script.push_back([](Window* dialog) {
    // A tap on the link opens the home page and leaves the box open.
    FakeUserCommand(dialog, LinkButton);
    ASSERT_EQ(FakeDialogs.ShellOpens.size(), 1u);
    EXPECT_EQ(FakeDialogs.ShellOpens[0].Target, u"https://www.orvanta.example/");
    EXPECT_EQ(FakeDialogs.ShellOpens[0].Owner, GetDialogControl(dialog, LinkButton));
    EXPECT_EQ(FakeCurrentDialog(), dialog);
    FakeUserCommand(dialog, 1);
  });
  RunCommand(nullptr, 40004);
  EXPECT_EQ(FakeDialogs.Runs.size(), 1u);
  EXPECT_EQ(FakeDialogs.Runs[0].Result, 1);
  EXPECT_EQ(FakeDialogs.LeftOpen, 0);
  EXPECT_EQ(AboutBox.LinkFont, nullptr);
  EXPECT_EQ(FakeDrawing.FontsMade, FakeDrawing.FontsFreed);
}

TEST_F(AboutBoxTest, TheLinkFontKeepsTheButtonsOwnFaceAndHeight) {
  FakeDialogs.ControlsShowDialogFont = true;
  FakeDialogs.DialogFont = FontDescription{u"System", -11, 400, 0};
  FakeDialogs.Script.push_back([](Window*) {
    ASSERT_NE(AboutBox.LinkFont, nullptr);
    EXPECT_EQ(AboutBox.LinkFont->Face, u"System");
    EXPECT_EQ(AboutBox.LinkFont->Height, -11);
    EXPECT_EQ(AboutBox.LinkFont->Weight, 800);
  });
  RunAboutBox(nullptr);  // the script runs out: the user closes it (Cancel)
  EXPECT_EQ(FakeDialogs.Runs[0].Result, 2);
  EXPECT_EQ(FakeDrawing.FontsMade, FakeDrawing.FontsFreed);
}

TEST_F(AboutBoxTest, WithoutALinkFontTheButtonKeepsItsSizeAndIsStillDrawn) {
  FakeDrawing.FailFontsAfter = 0;
  FakeDialogs.Script.push_back([](Window* dialog) {
    EXPECT_EQ(AboutBox.LinkFont, nullptr);
    const Rect place = GetWindowRect(GetDialogControl(dialog, LinkButton));
    EXPECT_EQ(place.Right - place.Left, 100 * 6 / 4);
    FakeDrawing.Calls.clear();
    FakeDrawControl(dialog, LinkButton);
    EXPECT_EQ(FakeCallsOf(FakeDrawTextAt).size(), 1u);
    FakeUserCommand(dialog, 2);
  });
  RunAboutBox(nullptr);
}

}  // namespace
