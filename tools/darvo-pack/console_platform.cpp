// The console platform of darvo-pack.
//   [X] allocate, free
//   [X] message boxes: text (and caption) printed to stderr, answered OK
//   [X] raw resources from a loaded bundle
//   [X] end the process
#include "console_platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/memory.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/resources.h"

struct Resource : BundleEntry {};

static std::vector<Resource> Installed;

void ConsoleInstallResources(std::vector<BundleEntry> entries) {
  Installed.clear();
  for (BundleEntry& e : entries) Installed.push_back({std::move(e)});
}

void* MemAlloc(std::size_t size) {
  return std::malloc(size == 0 ? 1 : size);
}

void MemFree(void* block) {
  std::free(block);
}

static std::string Utf8(const char16_t* text) {
  std::string s;
  for (; text && *text; ++text) {
    const char16_t u = *text;
    if (u < 0x80) {
      s += char(u);
    } else if (u < 0x800) {
      s += char(0xC0 | u >> 6);
      s += char(0x80 | (u & 0x3F));
    } else {
      s += char(0xE0 | u >> 12);
      s += char(0x80 | (u >> 6 & 0x3F));
      s += char(0x80 | (u & 0x3F));
    }
  }
  return s;
}

int ShowMessageBox(Window*, const char16_t* text, const char16_t* caption, unsigned flags) {
  if (caption && *caption) {
    std::fprintf(stderr, "%s: %s\n", Utf8(caption).c_str(), Utf8(text).c_str());
  } else {
    std::fprintf(stderr, "%s\n", Utf8(text).c_str());
  }
  return (flags & 0xF) == BoxButtonsYesNoCancel ? AnswerCancel : AnswerOk;
}

void EndProcess(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

const Resource* FindProgramResource(uint16_t type, uint16_t id) {
  for (const Resource& r : Installed) {
    if (r.Type == type && r.Id == id) return &r;
  }
  return nullptr;
}

uint32_t ResourceSize(const Resource* resource) {
  return resource ? uint32_t(resource->Bytes.size()) : 0;
}

const void* ResourceBytes(const Resource* resource) {
  if (!resource) return nullptr;
  return resource->Bytes.empty() ? static_cast<const void*>(resource) : resource->Bytes.data();
}
