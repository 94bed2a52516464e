#include "documents/lesson_store.h"

#include "documents/decoder.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "resources/resources.h"

static void SetStatus(int* status, int code) {
  if (status) *status = code;
}

static uint16_t BigEndian16(const uint8_t* p) {
  return uint16_t(p[0] << 8 | p[1]);
}

uint8_t* DecodeLessonResource(const uint8_t* bytes, uint32_t size, int* status) {
  if (!bytes || size == 0) {
    SetStatus(status, StatusNotLoaded);
    return nullptr;
  }
  // A header cut short cannot be read: it is as bad as a short payload.
  if (size < 2 || BigEndian16(bytes) < 5 || size < LessonStreamOffset) {
    SetStatus(status, StatusBadHeader);
    return nullptr;
  }
  const uint16_t compressed = BigEndian16(bytes + 6);
  if (compressed == 0) {
    SetStatus(status, StatusBadHeader);
    return nullptr;
  }
  StreamDescriptor stream = {bytes + LessonStreamOffset, compressed, 0, BigEndian16(bytes + 8)};
  // A stream said to reach past the resource's own bytes is never read.
  if (compressed > size - LessonStreamOffset) {
    if (stream.OutputLength == 0) {
      SetStatus(status, StatusNothingToDecode);
      return nullptr;
    }
    ShowMessageBox(nullptr, u"UnCompress() buffer error!", nullptr, BoxButtonsOk);
    SetStatus(status, StatusBufferError);
    return nullptr;
  }
  return DecodeStream(&stream, status);
}

uint8_t* LoadLesson(int lesson, int* status) {
  if (lesson < 1) return nullptr;
  const uint16_t id = uint16_t(uint16_t(lesson - 1) + 1001);
  const Resource* resource = FindProgramResource(ResourceRawData, id);
  if (!resource) {
    SetStatus(status, StatusNotFound);
    return nullptr;
  }
  const uint32_t size = ResourceSize(resource);
  const void* bytes = ResourceBytes(resource);
  return DecodeLessonResource(static_cast<const uint8_t*>(bytes), size, status);
}
