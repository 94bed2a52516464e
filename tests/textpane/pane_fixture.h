// Shared set-up for the text pane tests: a fake surface, documents built by
// hand, and the letter base that keeps letters on 'a'..'{' so that drawn text
// reads as the bytes written.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "documents/letter_code.h"
#include "fake/fake.h"
#include "platform/memory.h"
#include "shell/app_state.h"
#include "test_support.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

// A document under construction: records of style, parameter and text.
class DocBuilder {
 public:
  DocBuilder& Add(uint8_t style, uint8_t param, const std::string& text) {
    offsets_.push_back(bytes_.size() + 2);
    bytes_.push_back(style);
    bytes_.push_back(param);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    return *this;
  }
  // Offset of the text of record i.
  uint16_t TextOffset(size_t i) const { return static_cast<uint16_t>(offsets_[i]); }
  // A new block with the records and the three closing zero bytes; the caller owns it.
  uint8_t* Build() const {
    std::vector<uint8_t> all = bytes_;
    all.insert(all.end(), {0, 0, 0});
    uint8_t* block = static_cast<uint8_t*>(MemAlloc(all.size()));
    std::memcpy(block, all.data(), all.size());
    return block;
  }

 private:
  std::vector<uint8_t> bytes_;
  std::vector<size_t> offsets_;
};

class PaneTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    App.font.LetterBase = 97;
    surface = FakeCreateSurface();
  }
  void TearDown() override {
    DestroyTextPane(pane);
    pane = nullptr;
    FreeDisplayBuffer(&SharedDisplayBuffer);
    ProgramTest::TearDown();
  }
  // Makes the pane at (left, top) of the given size, with font size 0 (line height 16).
  TextPane* MakePane(int32_t left, int32_t top, int32_t width, int32_t height, uint16_t capacity = 100) {
    DestroyTextPane(pane);
    FontSpec font{};
    font.LetterBase = 97;
    const Rect rect{left, top, left + width, top + height};
    pane = CreateTextPane(surface, &rect, &font, capacity);
    return pane;
  }
  std::vector<LineRecord> Lines() const {
    std::vector<LineRecord> out;
    for (const LineRecord* l = pane->Lines; l->Style; ++l) out.push_back(*l);
    return out;
  }
  std::vector<std::u16string> DrawnTexts() const {
    std::vector<std::u16string> out;
    for (const FakeDrawCall& c : FakeCallsOf(FakeDrawLineInBox)) out.push_back(c.Text);
    return out;
  }

  Surface* surface = nullptr;
  TextPane* pane = nullptr;
};

