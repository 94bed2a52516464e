// The lesson store: every document of the volume lives in a raw-data resource
// (id 1000 + lesson) as a PalmDOC-compressed stream behind a small big-endian
// header. The store keeps nothing: every call finds, loads and decodes afresh.
//
// Stored layout of a lesson resource (LessonResource):
//   0  u16  payload length: bytes from offset 6 to the end
//   2  u16  first spare number (not read)
//   4  u16  second spare number (not read)
//   6  u16  compressed length: stream bytes
//   8  u16  uncompressed length: document bytes (without the appended zero)
//  10  ...  the compressed stream, then four zero bytes
#pragma once

#include <cstdint>

// Loads the index document (resource 32767).
constexpr int IndexLesson = 31767;

// Statuses of LoadLesson and DecodeStream.
enum LessonStatus : int {
  StatusNotFound = 1,         // no resource with the computed id
  StatusNotLoaded = 2,        // empty or unreadable resource, or no memory for the document
  StatusBadHeader = 3,        // payload length below 5, compressed length 0, or a header cut short
  StatusNothingToDecode = 4,  // no stream or an uncompressed length of 0
  StatusBufferError = 5,      // the stream did not fill the document exactly, or is broken
};

// Offset of the compressed stream in a lesson resource.
constexpr uint32_t LessonStreamOffset = 10;

// Returns a new buffer holding the document of lesson followed by a zero byte
// at index uncompressed length, or nullptr. The caller owns it (MemFree).
// Lessons below 1 give nullptr without touching *status; otherwise a failure
// writes its LessonStatus into *status when status is not nullptr.
uint8_t* LoadLesson(int lesson, int* status);

// Decodes one resource in the stored layout (header, stream, four zero bytes)
// exactly as LoadLesson does once it has the bytes. size is the resource's
// size; no byte outside [bytes, bytes + size) is read.
uint8_t* DecodeLessonResource(const uint8_t* bytes, uint32_t size, int* status);
