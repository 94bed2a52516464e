// The Qt platform's resource lookup: typed resources from the program's table
// and the lesson documents from the embedded content bundle.
#include <gtest/gtest.h>

#include <cstring>

#include "documents/lesson_store.h"
#include "platform/memory.h"
#include "platform/resources.h"
#include "resources/resources.h"

namespace {

TEST(QtResourcesTest, ServesTheEmbeddedVolume) {
  for (uint16_t id = 1001; id <= 1346; ++id) {
    const Resource* r = FindProgramResource(ResourceRawData, id);
    ASSERT_NE(r, nullptr) << id;
    ASSERT_GE(ResourceSize(r), 14u);
    const uint8_t* bytes = static_cast<const uint8_t*>(ResourceBytes(r));
    EXPECT_EQ(bytes[3], uint8_t(id - 1000 + 20)) << "spare number lesson + 20";
  }
  EXPECT_NE(FindProgramResource(ResourceRawData, 32767), nullptr);
  EXPECT_EQ(FindProgramResource(ResourceRawData, 1347), nullptr);
  EXPECT_EQ(FindProgramResource(ResourceRawData, 1000), nullptr);

  int status = 0;
  uint8_t* doc = LoadLesson(1, &status);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc[0], 0xDC);
  MemFree(doc);
  uint8_t* index = LoadLesson(IndexLesson, &status);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index[0], 0xFE);
  EXPECT_EQ(index[1], 0xBF);
  MemFree(index);
  EXPECT_EQ(LoadLesson(347, &status), nullptr);
  EXPECT_EQ(status, StatusNotFound);
}

TEST(QtResourcesTest, ServesTypedResources) {
  for (const ResourceEntry* e = ProgramResources; e->Type != 0; ++e) {
    const Resource* r = FindProgramResource(e->Type, e->Id);
    ASSERT_NE(r, nullptr) << e->Type << "/" << e->Id;
    EXPECT_EQ(ResourceBytes(r), e->Data);
    EXPECT_EQ(ResourceSize(r), e->Size);
  }
  // A type is part of the key: a string id is no raw-data resource.
  EXPECT_EQ(FindProgramResource(ResourceRawData, 302), nullptr);
}

}  // namespace
