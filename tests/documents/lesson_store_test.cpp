#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "documents/decoder.h"
#include "documents/lesson_store.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A resource in the stored layout around a stream, with the shipped header
// values unless a test overrides them.
Bytes Wrap(const Bytes& stream, uint16_t uncompressed, int payload = -1, int compressed = -1) {
  const uint16_t c = compressed < 0 ? uint16_t(stream.size()) : uint16_t(compressed);
  const uint16_t p = payload < 0 ? uint16_t(stream.size() + 8) : uint16_t(payload);
  Bytes r(10 + stream.size() + 4, 0);
  const uint8_t header[10] = {uint8_t(p >> 8), uint8_t(p), 0, 21, 0, 21, uint8_t(c >> 8), uint8_t(c),
                              uint8_t(uncompressed >> 8), uint8_t(uncompressed)};
  std::copy(header, header + 10, r.begin());
  std::copy(stream.begin(), stream.end(), r.begin() + 10);
  return r;
}

// A back-reference code pair.
Bytes Ref(unsigned distance, unsigned length) {
  const unsigned v = 0x8000 | distance << 3 | (length - 3);
  return {uint8_t(v >> 8), uint8_t(v)};
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes r;
  for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
  return r;
}

Bytes S(const char* text) {
  return Bytes(text, text + std::strlen(text));
}

class LessonStoreTest : public ProgramTest {
 protected:
  // Loads lesson 1 from the given resource; returns the document (without the
  // appended zero) or nullopt-like empty marker through ok.
  std::string Load(const Bytes& resource, int* status, bool* ok) {
    FakeAddResource(ResourceRawData, 1001, resource);
    uint8_t* doc = LoadLesson(1, status);
    *ok = doc != nullptr;
    if (!doc) return {};
    const uint16_t length = uint16_t(resource[8] << 8 | resource[9]);
    std::string text(reinterpret_cast<char*>(doc), length);
    EXPECT_EQ(doc[length], 0) << "the zero byte at index uncompressed length";
    MemFree(doc);
    return text;
  }
};

struct StreamCase {
  const char* name;
  Bytes stream;
  uint16_t uncompressed;
  int status;            // 0: decodes to expected
  std::string expected;  // the document
};

TEST_F(LessonStoreTest, StreamTable) {
  const std::string nul(1, '\0');
  const StreamCase cases[] = {
      {"plain literals", S("abc"), 3, 0, "abc"},
      {"zero byte is a literal", Bytes{'a', 0, 'b'}, 3, 0, "a" + nul + "b"},
      {"literal run of binary bytes", Bytes{3, 0x80, 0x01, 0xFF}, 3, 0, "\x80\x01\xFF"},
      {"run cut at the output end is accepted", Bytes{'x', 4, 'a', 'b', 'c', 'd'}, 3, 0, "xab"},
      {"run cut at the end needs only the bytes it copies", Bytes{'x', 8, 'a', 'b'}, 3, 0, "xab"},
      {"run past the compressed length", Bytes{'x', 4, 'a', 'b'}, 5, 5, ""},
      {"distance 1 length 10 repeats a byte", Cat({S("z"), Ref(1, 10)}), 11, 0, "zzzzzzzzzzz"},
      {"overlapping copy repeats a pattern", Cat({S("ab"), Ref(2, 7)}), 9, 0, "ababababa"},
      {"plain back-reference", Cat({S("hello "), Ref(6, 5)}), 11, 0, "hello hello"},
      {"reference cut at the output end", Cat({S("abcd"), Ref(4, 10)}), 6, 0, "abcdab"},
      {"distance 0", Cat({S("abc"), Ref(0, 3)}), 6, 5, ""},
      {"reference before the start", Cat({S("ab"), Ref(3, 3)}), 5, 5, ""},
      {"reference as the first code", Ref(1, 3), 3, 5, ""},
      {"reference missing its second byte", Bytes{'a', 0x80}, 4, 5, ""},
      {"space pair", Bytes{'a', 0xE1}, 3, 0, "a a"},
      {"space pair with one byte of room drops its letter", Bytes{'a', 0xE1}, 2, 0, "a "},
      {"stream ends one byte early", S("abc"), 4, 5, ""},
      {"stream longer than the output is accepted", S("abcdef"), 4, 0, "abcd"},
      {"uncompressed length 0", S("abc"), 0, 4, ""},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeReset();
    int status = 0;
    bool ok = false;
    const std::string doc = Load(Wrap(c.stream, c.uncompressed), &status, &ok);
    if (c.status == 0) {
      EXPECT_TRUE(ok);
      EXPECT_EQ(status, 0);
      EXPECT_EQ(doc, c.expected);
      EXPECT_TRUE(FakeMessageBox.Calls.empty());
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(status, c.status);
      EXPECT_EQ(FakeMessageBox.Calls.size(), c.status == StatusBufferError ? 1u : 0u);
    }
  }
}

TEST_F(LessonStoreTest, BufferErrorBoxHasNoOwnerNoCaptionAndOnlyOk) {
  int status = 0;
  bool ok = true;
  Load(Wrap(S("ab"), 3), &status, &ok);
  EXPECT_EQ(status, StatusBufferError);
  ASSERT_EQ(FakeMessageBox.Calls.size(), 1u);
  const FakeMessageBoxCall& box = FakeMessageBox.Calls[0];
  EXPECT_EQ(box.Owner, nullptr);
  EXPECT_EQ(box.Text, u"UnCompress() buffer error!");
  EXPECT_FALSE(box.HasCaption);
  EXPECT_EQ(box.Flags, unsigned(BoxButtonsOk));
}

TEST_F(LessonStoreTest, HeaderStatuses) {
  struct Case {
    const char* name;
    Bytes resource;
    int status;
    size_t boxes;
  };
  const Case cases[] = {
      {"empty resource", Bytes{}, StatusNotLoaded, 0},
      {"payload length 4", Wrap(S("abc"), 3, 4), StatusBadHeader, 0},
      {"payload length 5 is enough", Wrap(S("abc"), 3, 5), 0, 0},
      {"compressed length 0", Wrap(S("abc"), 3, -1, 0), StatusBadHeader, 0},
      {"header cut short", Bytes{0, 20, 0, 21, 0, 21, 0}, StatusBadHeader, 0},
      {"one byte", Bytes{7}, StatusBadHeader, 0},
      {"compressed length past the resource's bytes", Wrap(S("abc"), 3, -1, 8), StatusBufferError, 1},
      {"compressed length past the resource, nothing to decode", Wrap(S("abc"), 0, -1, 8),
       StatusNothingToDecode, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeReset();
    int status = 0;
    FakeAddResource(ResourceRawData, 1001, c.resource);
    uint8_t* doc = LoadLesson(1, &status);
    EXPECT_EQ(doc != nullptr, c.status == 0);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(FakeMessageBox.Calls.size(), c.boxes);
    MemFree(doc);
  }
}

TEST_F(LessonStoreTest, StreamReadsStayInsideTheResource) {
  // The stream claims 4 bytes; the resource holds the header and 3. The
  // resource is copied into an exact-size block so that ASan sees any overread.
  Bytes r = Wrap(S("abc"), 4);
  r.resize(13);
  r[7] = 4;
  FakeAddResource(ResourceRawData, 1001, r);
  int status = 0;
  EXPECT_EQ(LoadLesson(1, &status), nullptr);
  EXPECT_EQ(status, StatusBufferError);
}

TEST_F(LessonStoreTest, LessonNumbersAndResourceIds) {
  FakeAddResource(ResourceRawData, 1001, Wrap(S("one"), 3));
  FakeAddResource(ResourceRawData, 1346, Wrap(S("last"), 4));
  FakeAddResource(ResourceRawData, 32767, Wrap(S("index"), 5));

  int status = 99;
  EXPECT_EQ(LoadLesson(0, &status), nullptr);
  EXPECT_EQ(LoadLesson(-5, &status), nullptr);
  EXPECT_EQ(status, 99) << "lessons below 1 leave the status alone";
  EXPECT_TRUE(FakeResources.Lookups.empty());

  EXPECT_EQ(LoadLesson(347, &status), nullptr);
  EXPECT_EQ(status, StatusNotFound);
  EXPECT_EQ(FakeResources.Lookups.back().Id, 1347);
  EXPECT_EQ(FakeResources.Lookups.back().Type, ResourceRawData);

  uint8_t* last = LoadLesson(346, nullptr);
  ASSERT_NE(last, nullptr);
  EXPECT_STREQ(reinterpret_cast<char*>(last), "last");
  MemFree(last);

  uint8_t* index = LoadLesson(IndexLesson, nullptr);
  ASSERT_NE(index, nullptr);
  EXPECT_STREQ(reinterpret_cast<char*>(index), "index");
  MemFree(index);

  // Ids wrap at 16 bits: lesson 65536 + 1 asks for resource 1001 again.
  uint8_t* wrapped = LoadLesson(65537, nullptr);
  ASSERT_NE(wrapped, nullptr);
  EXPECT_STREQ(reinterpret_cast<char*>(wrapped), "one");
  MemFree(wrapped);
  MemFree(LoadLesson(1, nullptr));  // no status variable: nothing to write
}

TEST_F(LessonStoreTest, EveryCallGivesAFreshBuffer) {
  FakeAddResource(ResourceRawData, 1001, Wrap(S("abc"), 3));
  uint8_t* a = LoadLesson(1, nullptr);
  uint8_t* b = LoadLesson(1, nullptr);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  a[0] = 'X';
  EXPECT_EQ(b[0], 'a');
  EXPECT_EQ(FakeResources.Lookups.size(), 2u) << "no cache: each call looks the resource up";
  MemFree(a);
  MemFree(b);
}

TEST_F(LessonStoreTest, UnreadableResourceAndNoMemory) {
  FakeAddResource(ResourceRawData, 1001, Wrap(S("abc"), 3));
  FakeResources.Entries[0].BytesUnavailable = true;
  int status = 0;
  EXPECT_EQ(LoadLesson(1, &status), nullptr);
  EXPECT_EQ(status, StatusNotLoaded);

  FakeResources.Entries[0].BytesUnavailable = false;
  FakeMemory.FailAfter = 0;
  status = 0;
  EXPECT_EQ(LoadLesson(1, &status), nullptr);
  EXPECT_EQ(status, StatusNotLoaded);
  EXPECT_TRUE(FakeMessageBox.Calls.empty());
}

TEST_F(LessonStoreTest, DecodeStreamWithoutDescriptorOrInput) {
  int status = 0;
  EXPECT_EQ(DecodeStream(nullptr, &status), nullptr);
  EXPECT_EQ(status, StatusNothingToDecode);
  StreamDescriptor noInput = {nullptr, 3, 7, 3};
  status = 0;
  EXPECT_EQ(DecodeStream(&noInput, &status), nullptr);
  EXPECT_EQ(status, StatusNothingToDecode);

  const uint8_t abc[] = {'a', 'b', 'c'};
  StreamDescriptor good = {abc, 3, 0xDEAD, 3};
  uint8_t* doc = DecodeStream(&good, &status);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(good.Reserved, 0u);
  MemFree(doc);
}

TEST_F(LessonStoreTest, ZeroAtTheEndWhateverTheDocumentEndsWith) {
  Bytes stream = {3, 0xFF, 0xFE, 0xFD};
  FakeAddResource(ResourceRawData, 1001, Wrap(stream, 3));
  uint8_t* doc = LoadLesson(1, nullptr);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc[2], 0xFD);
  EXPECT_EQ(doc[3], 0);
  MemFree(doc);
}

}  // namespace
