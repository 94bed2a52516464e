// darvo-pack: compiles a volume's source text into the content bundle the
// program embeds, and back; decodes documents with the program's own store.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bundle.h"
#include "console_platform.h"
#include "documents/lesson_store.h"
#include "platform/memory.h"
#include "platform/resources.h"
#include "volume_source.h"

namespace {

// Exit codes besides the store's statuses 1..5.
enum : int {
  ExitUsage = 64,
  ExitBadSource = 65,
  ExitNoInput = 66,
  ExitCannotWrite = 73,
};

const char kHelp[] =
    "usage:\n"
    "  darvo-pack pack SRC_DIR OUT        compile a volume source into a resource bundle file\n"
    "  darvo-pack unpack BUNDLE OUT_DIR   write a bundle's documents back as volume source\n"
    "  darvo-pack dump BUNDLE LESSON      write the document of LESSON (1..346, or 31767 for\n"
    "                                     the index) to stdout, as the lesson store returns it,\n"
    "                                     without the appended zero byte\n"
    "  darvo-pack decode FILE             decode one resource in the stored layout (header,\n"
    "                                     stream, four zero bytes) to stdout the same way\n"
    "  darvo-pack --help                  this text\n"
    "\n"
    "exit status:\n"
    "  0      success\n"
    "  1..5   the document could not be decoded; the store's status (1 no such resource,\n"
    "         2 empty resource or no memory, 3 bad header, 4 nothing to decode,\n"
    "         5 the stream does not fill the document exactly); its message is on stderr\n"
    "  64     wrong command line\n"
    "  65     bad volume source (FILE:LINE: message on stderr; nothing is written)\n"
    "  66     an input cannot be read or is not a bundle\n"
    "  73     an output cannot be written\n"
    "\n"
    "The source format and the bundle layout are described in tools/darvo-pack/README.md.\n";

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "darvo-pack: %s\n", message.c_str());
  return code;
}

bool ReadBinary(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Writes through a temporary file, so a failure leaves nothing half written.
bool WriteBinary(const std::string& path, const void* data, size_t size) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(static_cast<const char*>(data), std::streamsize(size));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

const char* StatusText(int status) {
  switch (status) {
    case StatusNotFound: return "no such resource";
    case StatusNotLoaded: return "the resource is empty or cannot be loaded";
    case StatusBadHeader: return "bad resource header";
    case StatusNothingToDecode: return "nothing to decode";
    default: return "the stream does not fill the document exactly";
  }
}

// Decodes with the program's store; prints the document or the failure.
int Decode(const uint8_t* resource, uint32_t size, const std::string& what) {
  int status = 0;
  uint8_t* doc = DecodeLessonResource(resource, size, &status);
  if (!doc) return Fail(status, what + ": " + StatusText(status) + " (status " + std::to_string(status) + ")");
  const size_t length = size_t(resource[8]) << 8 | resource[9];
  std::fwrite(doc, 1, length, stdout);
  MemFree(doc);
  return std::fflush(stdout) == 0 ? 0 : Fail(ExitCannotWrite, "cannot write to stdout");
}

int Pack(const std::string& srcDir, const std::string& out) {
  VolumeDocuments volume;
  SourceError error;
  if (!ReadVolumeSource(srcDir, &volume, &error)) {
    const std::string where = error.Line ? error.File + ":" + std::to_string(error.Line) : error.File;
    std::fprintf(stderr, "%s: %s\n", where.c_str(), error.Message.c_str());
    return ExitBadSource;
  }
  std::vector<BundleEntry> entries;
  std::string message;
  if (!MakeVolumeResources(volume, &entries, &message)) {
    // Named by its source file, like every other fault of the source.
    std::fprintf(stderr, "%s/%s\n", srcDir.c_str(), message.c_str());
    return ExitBadSource;
  }
  const std::vector<uint8_t> bundle = MakeBundle(std::move(entries));
  if (!WriteBinary(out, bundle.data(), bundle.size())) return Fail(ExitCannotWrite, "cannot write " + out);
  return 0;
}

bool LoadBundle(const std::string& path, std::string* message) {
  std::vector<uint8_t> bytes;
  if (!ReadBinary(path, &bytes)) {
    *message = "cannot read " + path;
    return false;
  }
  std::vector<BundleEntry> entries;
  if (!ParseBundle(bytes, &entries, message)) {
    *message = path + ": " + *message;
    return false;
  }
  ConsoleInstallResources(std::move(entries));
  return true;
}

int Unpack(const std::string& bundlePath, const std::string& outDir) {
  std::string message;
  if (!LoadBundle(bundlePath, &message)) return Fail(ExitNoInput, message);
  // Every document is decoded and written back in memory first.
  std::vector<std::pair<std::string, std::string>> files;
  for (int n = 1; n <= kLessonCount + 1; ++n) {
    const int lesson = n <= kLessonCount ? n : kIndexLesson;
    const std::string what = lesson == kIndexLesson ? "index" : "lesson " + std::to_string(lesson);
    int status = 0;
    uint8_t* doc = LoadLesson(lesson, &status);
    if (!doc) return Fail(status, what + ": " + StatusText(status) + " (status " + std::to_string(status) + ")");
    const Resource* r = FindProgramResource(kRawDataType, uint16_t(lesson == kIndexLesson ? kIndexResourceId : 1000 + lesson));
    const uint8_t* header = static_cast<const uint8_t*>(ResourceBytes(r));
    const size_t length = size_t(header[8]) << 8 | header[9];
    const std::vector<uint8_t> document(doc, doc + length);
    MemFree(doc);
    std::string text;
    if (!DocumentToSource(document, lesson, &text, &message)) return Fail(ExitBadSource, what + ": " + message);
    files.emplace_back(LessonFileName(lesson), std::move(text));
  }
  std::error_code ec;
  std::filesystem::create_directories(outDir + "/lessons", ec);
  if (ec) return Fail(ExitCannotWrite, "cannot create " + outDir + "/lessons");
  for (const auto& [name, text] : files) {
    if (!WriteBinary(outDir + "/" + name, text.data(), text.size())) {
      return Fail(ExitCannotWrite, "cannot write " + outDir + "/" + name);
    }
  }
  return 0;
}

int Dump(const std::string& bundlePath, const std::string& lessonText) {
  char* end = nullptr;
  errno = 0;
  const long lesson = std::strtol(lessonText.c_str(), &end, 10);
  if (lessonText.empty() || *end || errno || lesson < 1 || lesson > 0xFFFF) {
    return Fail(ExitUsage, "LESSON must be a lesson number (1..346, or 31767 for the index)");
  }
  std::string message;
  if (!LoadBundle(bundlePath, &message)) return Fail(ExitNoInput, message);
  int status = 0;
  uint8_t* doc = LoadLesson(int(lesson), &status);
  const std::string what = "lesson " + lessonText;
  if (!doc) return Fail(status, what + ": " + StatusText(status) + " (status " + std::to_string(status) + ")");
  // The document's length is the uncompressed length in its resource's header.
  const Resource* r = FindProgramResource(kRawDataType, uint16_t(uint16_t(lesson - 1) + 1001));
  const uint8_t* header = static_cast<const uint8_t*>(ResourceBytes(r));
  const size_t length = size_t(header[8]) << 8 | header[9];
  std::fwrite(doc, 1, length, stdout);
  MemFree(doc);
  return std::fflush(stdout) == 0 ? 0 : Fail(ExitCannotWrite, "cannot write to stdout");
}

int DecodeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadBinary(path, &bytes)) return Fail(ExitNoInput, "cannot read " + path);
  // An empty file is an empty resource: the store reports it (status 2).
  const uint8_t none = 0;
  return Decode(bytes.empty() ? &none : bytes.data(), uint32_t(bytes.size()), path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
  if (args.size() == 3 && args[0] == "dump") return Dump(args[1], args[2]);
  if (args.size() == 2 && args[0] == "decode") return DecodeFile(args[1]);
  std::fputs(kHelp, stderr);
  return ExitUsage;
}
