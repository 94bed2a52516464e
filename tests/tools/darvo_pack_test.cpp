// darvo-pack: its compressor against the program's decoder, the command line,
// the source format's round trip and errors, and interoperability with an
// independent PalmDOC compressor (txt2pdbdoc).
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bundle.h"
#include "documents/decoder.h"
#include "documents/lesson_store.h"
#include "palmdoc_compressor.h"
#include "platform/memory.h"
#include "test_support.h"
#include "volume_source.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kBundle = DARVO_BINARY_DIR "/content/darvo-content.bin";
const std::string kContent = DARVO_SOURCE_DIR "/content";

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command; returns its exit status.
int Shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Pack() {
  return std::string("'") + DARVO_PACK + "'";
}

// A fresh folder under the test's build folder.
std::string TempDir(const std::string& name) {
  const std::string dir = DARVO_BINARY_DIR "/test-tmp/" + name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// Decodes a stream with the program's own decoder.
Bytes Decode(const Bytes& stream, size_t length, int* status) {
  StreamDescriptor d = {stream.data(), uint32_t(stream.size()), 0, uint32_t(length)};
  uint8_t* out = DecodeStream(&d, status);
  if (!out) return {};
  Bytes doc(out, out + length);
  MemFree(out);
  return doc;
}

using CompressorTest = ProgramTest;

TEST_F(CompressorTest, RoundTripsThroughTheProgramsDecoder) {
  std::vector<Bytes> inputs = {
      {'a'},
      Bytes(3000, 'z'),                                  // overlapping references
      {' ', 'A', ' ', 'b', ' ', 0x7F, ' ', 0x3F, ' '},   // space pairs and their limits
      {0x01, 0x08, 0x80, 0xFF, 0x00, 0x09, 0xC0, 0x20},  // bytes that need a literal run
  };
  Bytes noise;
  uint32_t x = 12345;
  for (int i = 0; i < 5000; ++i) {
    x = x * 1103515245 + 12345;
    noise.push_back(uint8_t(x >> 16 & (i < 2500 ? 0xFF : 0x0F)));
  }
  inputs.push_back(noise);
  for (const Bytes& in : inputs) {
    const Bytes stream = CompressPalmDoc(in.data(), in.size());
    int status = 0;
    EXPECT_EQ(Decode(stream, in.size(), &status), in);
    EXPECT_EQ(status, 0);
  }
  EXPECT_LT(CompressPalmDoc(inputs[1].data(), inputs[1].size()).size(), 700u);
}

TEST_F(CompressorTest, UsesEveryCodeKindWhereItPays) {
  const Bytes in = {'x', 'y', ' ', 'q', 0x90, 'x', 'y', 'x', 'y', 'x', 'y', 'x'};
  const Bytes stream = CompressPalmDoc(in.data(), in.size());
  // x y, space+q as one byte, a run of one for 0x90, x y, then one reference
  // 2 back and 5 long that overlaps its own output.
  const Bytes expected = {'x', 'y', 'q' ^ 0x80, 0x01, 0x90, 'x', 'y', 0x80, 2 << 3 | 2};
  EXPECT_EQ(stream, expected);
}

TEST(DarvoPackTest, RoundTripIsByteIdentical) {
  const std::string dir = TempDir("roundtrip");
  ASSERT_EQ(Shell(Pack() + " pack '" + kContent + "' '" + dir + "/a.bin'"), 0);
  ASSERT_EQ(Shell(Pack() + " unpack '" + dir + "/a.bin' '" + dir + "/src'"), 0);
  ASSERT_EQ(Shell(Pack() + " pack '" + dir + "/src' '" + dir + "/b.bin'"), 0);
  const Bytes a = ReadAll(dir + "/a.bin");
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(a, ReadAll(dir + "/b.bin"));
  EXPECT_EQ(a, ReadAll(kBundle)) << "the build embeds what pack makes";
  // unpack writes the source in the form pack reads: the sample volume comes back as it is.
  EXPECT_EQ(ReadAll(dir + "/src/lessons/120.txt"), ReadAll(kContent + "/lessons/120.txt"));
  EXPECT_EQ(ReadAll(dir + "/src/index.txt"), ReadAll(kContent + "/index.txt"));
}

TEST(DarvoPackTest, FixtureVolumeRoundTrips) {
  const std::string dir = TempDir("fixture");
  const std::string fixture = DARVO_FIXTURES "/volume";
  ASSERT_EQ(Shell(Pack() + " pack '" + fixture + "' '" + dir + "/a.bin'"), 0);
  ASSERT_EQ(Shell(Pack() + " unpack '" + dir + "/a.bin' '" + dir + "/src'"), 0);
  ASSERT_EQ(Shell(Pack() + " pack '" + dir + "/src' '" + dir + "/b.bin'"), 0);
  EXPECT_EQ(ReadAll(dir + "/a.bin"), ReadAll(dir + "/b.bin"));
}

TEST(DarvoPackTest, DumpAndDecodeUseTheStoresStatuses) {
  const std::string dir = TempDir("dump");
  // Lesson 1 as the store returns it, without the appended zero.
  ASSERT_EQ(Shell(Pack() + " dump '" + kBundle + "' 1 > '" + dir + "/1.doc'"), 0);
  const Bytes doc = ReadAll(dir + "/1.doc");
  ASSERT_GE(doc.size(), 5u);
  EXPECT_EQ(doc[0], 0xDC);
  EXPECT_EQ(Bytes(doc.end() - 3, doc.end()), Bytes(3, 0));
  ASSERT_EQ(Shell(Pack() + " dump '" + kBundle + "' 31767 > '" + dir + "/index.doc'"), 0);
  EXPECT_EQ(ReadAll(dir + "/index.doc")[2], 0x8C);

  struct Case {
    const char* name;
    Bytes resource;
    int exit;
  };
  const Case cases[] = {
      {"good", {0, 11, 0, 21, 0, 21, 0, 3, 0, 3, 'a', 'b', 'c', 0, 0, 0, 0}, 0},
      {"empty", {}, StatusNotLoaded},
      {"bad header", {0, 4, 0, 21, 0, 21, 0, 3, 0, 3, 'a', 'b', 'c', 0, 0, 0, 0}, StatusBadHeader},
      {"nothing to decode", {0, 11, 0, 21, 0, 21, 0, 3, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}, StatusNothingToDecode},
      {"stream too short", {0, 11, 0, 21, 0, 21, 0, 3, 0, 4, 'a', 'b', 'c', 0, 0, 0, 0}, StatusBufferError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir + "/resource.bin";
    WriteAll(file, std::string(c.resource.begin(), c.resource.end()));
    EXPECT_EQ(Shell(Pack() + " decode '" + file + "' > '" + dir + "/out' 2> '" + dir + "/err'"), c.exit);
    if (c.exit == StatusBufferError) {
      const Bytes err = ReadAll(dir + "/err");
      EXPECT_NE(std::string(err.begin(), err.end()).find("UnCompress() buffer error!"), std::string::npos);
    }
  }
  EXPECT_EQ(Shell(Pack() + " dump '" + kBundle + "' 347 2>/dev/null"), StatusNotFound);
  EXPECT_EQ(Shell(Pack() + " dump '" + kBundle + "' 0 2>/dev/null"), 64);
  EXPECT_EQ(Shell(Pack() + " dump '" + dir + "/1.doc' 1 2>/dev/null"), 66) << "not a bundle";
  EXPECT_EQ(Shell(Pack() + " decode '" + dir + "/none' 2>/dev/null"), 66);
  EXPECT_EQ(Shell(Pack() + " frobnicate 2>/dev/null"), 64);
  EXPECT_EQ(Shell(Pack() + " --help > /dev/null"), 0);
}

// A copy of the fixture volume with one file changed must fail with the given
// place and message and write nothing.
TEST(DarvoPackTest, BadSourceFailsWithFileAndLineAndWritesNothing) {
  struct Case {
    const char* name;
    const char* file;     // relative to the volume; nullptr: remove lessons/012.txt
    std::string text;
    std::string where;    // expected start of the message
    std::string message;  // expected part of the message
  };
  const std::string big(65600, 'A');
  // 60000 bytes that no back-reference shortens: each needs a literal run, so
  // the stream outgrows the 16-bit lengths of a lesson resource.
  std::string incompressible;
  uint32_t x = 2463534242u;
  for (int i = 0; i < 60000; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", unsigned(0x80 | (x & 0x7F)));
    incompressible += code;
  }
  const Case cases[] = {
      {"unknown character", "lessons/003.txt", "# x\nDC 00|\u05D0\u05D1\nB1 00|abc\n", "lessons/003.txt:3:",
       "unknown character 'a'"},
      {"missing lesson", nullptr, "", "lessons/012.txt:", "missing lesson 12"},
      {"text over the limit", "lessons/005.txt", "DC 00|T\nB1 00|" + big + "\n", "lessons/005.txt:2:",
       "65535"},
      {"first record without text", "lessons/007.txt", "\nDC 00|\nB1 00|\u05D0\n", "lessons/007.txt:2:",
       "first record"},
      {"empty document", "lessons/009.txt", "# nothing\n", "lessons/009.txt:", "no records"},
      {"style 00", "lessons/011.txt", "DC 00|T\n00 00|\u05D0\n", "lessons/011.txt:2:", "StyleByte 00"},
      {"bad record line", "lessons/013.txt", "DC 0|T\n", "lessons/013.txt:1:", "SS PP|text"},
      {"bad index line", "index.txt", "BFFE 8C 01|\u05D0\n8C 01|\u05D1\n", "index.txt:2:", "KKKK SS PP|text"},
      {"invalid UTF-8", "lessons/015.txt", "DC 00|\xD7\n", "lessons/015.txt:1:", "UTF-8"},
      {"zero byte escape", "lessons/017.txt", "DC 00|A\\x00\n", "lessons/017.txt:1:", "\\x00"},
      {"stream too long for a resource", "lessons/019.txt", "DC 00|T\nB1 00|" + incompressible + "\n",
       "lessons/019.txt:", "does not fit a lesson resource"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = TempDir("bad");
    fs::copy(DARVO_FIXTURES "/volume", dir + "/src", fs::copy_options::recursive);
    if (c.file) {
      WriteAll(dir + "/src/" + c.file, c.text);
    } else {
      fs::remove(dir + "/src/lessons/012.txt");
    }
    EXPECT_EQ(Shell(Pack() + " pack '" + dir + "/src' '" + dir + "/out.bin' 2> '" + dir + "/err'"), 65);
    EXPECT_FALSE(fs::exists(dir + "/out.bin"));
    EXPECT_FALSE(fs::exists(dir + "/out.bin.tmp"));
    const Bytes err = ReadAll(dir + "/err");
    const std::string text(err.begin(), err.end());
    EXPECT_EQ(text.rfind(dir + "/src/" + c.where, 0), 0u) << text;
    EXPECT_NE(text.find(c.message), std::string::npos) << text;
  }
}

TEST(DarvoPackTest, UnpackRefusesADocumentItCannotWriteBack) {
  // Bytes after the end record cannot be expressed in the source.
  const Bytes doc = {0xDC, 0, 'a', 0, 0, 0, 0, 'x'};
  std::string text, error;
  EXPECT_FALSE(DocumentToSource(doc, 1, &text, &error));
  const Bytes cut = {0xDC, 0, 'a', 'b'};
  EXPECT_FALSE(DocumentToSource(cut, 1, &text, &error));
}

// txt2pdbdoc writes a PDB file: a 78-byte header whose last two bytes count
// the records, 8-byte record entries (offset first), record 0 the DOC header
// and record 1 the first (here the only) compressed stream.
bool Txt2PdbDocStream(const Bytes& document, const std::string& dir, Bytes* stream) {
  WriteAll(dir + "/doc.txt", std::string(document.begin(), document.end()));
  if (Shell("txt2pdbdoc -b D '" + dir + "/doc.txt' '" + dir + "/doc.pdb' > /dev/null 2>&1") != 0) return false;
  const Bytes pdb = ReadAll(dir + "/doc.pdb");
  if (pdb.size() < 94) return false;
  const unsigned records = pdb[76] << 8 | pdb[77];
  auto offset = [&](unsigned i) {
    const size_t at = 78 + 8 * i;
    return size_t(pdb[at]) << 24 | size_t(pdb[at + 1]) << 16 | size_t(pdb[at + 2]) << 8 | pdb[at + 3];
  };
  if (records != 2) return false;
  stream->assign(pdb.begin() + long(offset(1)), pdb.end());
  return true;
}

TEST_F(CompressorTest, DecodesTxt2PdbDocStreamsAndIsNeverLarger) {
  ASSERT_EQ(Shell("command -v txt2pdbdoc > /dev/null"), 0) << "txt2pdbdoc is installed by scripts/deps.sh";
  ASSERT_TRUE(FakeLoadBundle(kBundle));
  const std::string dir = TempDir("txt2pdbdoc");
  size_t ours = 0, theirs = 0;
  for (int lesson = 1; lesson <= 347; ++lesson) {
    const int which = lesson <= 346 ? lesson : IndexLesson;
    SCOPED_TRACE("lesson " + std::to_string(which));
    const FakeResourceEntry* entry = nullptr;
    for (const FakeResourceEntry& e : FakeResources.Entries) {
      if (e.Id == (which == IndexLesson ? 32767 : 1000 + which)) entry = &e;
    }
    ASSERT_NE(entry, nullptr);
    const size_t length = size_t(entry->Bytes[8]) << 8 | entry->Bytes[9];
    uint8_t* loaded = LoadLesson(which, nullptr);
    ASSERT_NE(loaded, nullptr);
    const Bytes document(loaded, loaded + length);
    MemFree(loaded);

    Bytes stream;
    ASSERT_TRUE(Txt2PdbDocStream(document, dir, &stream));
    // Their stream in our stored layout, through the store.
    Bytes resource;
    ASSERT_TRUE(MakeLessonResource(document, 1, 1, &resource));
    Bytes wrapped(10 + stream.size() + 4, 0);
    std::copy(resource.begin(), resource.begin() + 10, wrapped.begin());
    wrapped[0] = uint8_t((stream.size() + 8) >> 8), wrapped[1] = uint8_t(stream.size() + 8);
    wrapped[6] = uint8_t(stream.size() >> 8), wrapped[7] = uint8_t(stream.size());
    std::copy(stream.begin(), stream.end(), wrapped.begin() + 10);
    FakeAddResource(10, 2000, wrapped);
    int status = 0;
    uint8_t* decoded = LoadLesson(1000, &status);
    ASSERT_NE(decoded, nullptr) << status;
    EXPECT_EQ(Bytes(decoded, decoded + length), document);
    EXPECT_EQ(decoded[length], 0);
    MemFree(decoded);

    ours += resource.size() - 14;
    theirs += stream.size();
  }
  std::printf("compressed streams: ours %zu bytes, txt2pdbdoc %zu bytes\n", ours, theirs);
  EXPECT_LE(ours, theirs);
}

}  // namespace

namespace {

// The committed sample volume and fixture volume are exactly what the
// generator writes: nobody edits its output by hand, nor forgets to rerun it.
TEST(GenContentTest, CommittedVolumesMatchTheGenerator) {
  const std::string dir = TempDir("gen-content");
  const std::string gen = "python3 '" DARVO_SOURCE_DIR "/tools/gen-content/gen_content.py'";
  ASSERT_EQ(Shell(gen + " '" + dir + "/content'"), 0);
  ASSERT_EQ(Shell(gen + " --fixture '" + dir + "/fixture'"), 0);
  EXPECT_EQ(Shell("diff -r -q '" + kContent + "' '" + dir + "/content' | grep -v README"), 1);
  EXPECT_EQ(Shell("diff -r -q '" DARVO_FIXTURES "/volume' '" + dir + "/fixture'"), 0);
}

}  // namespace
