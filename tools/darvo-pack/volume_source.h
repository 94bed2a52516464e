// The volume's source text (UTF-8, one file per lesson plus the index) and its
// translation to and from the documents the program reads. README.md describes
// the format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kLessonCount = 346;
constexpr int kIndexLesson = 31767;

// A failure pinned to a place in the source (Line 0: the file as a whole).
struct SourceError {
  std::string File;
  int Line;
  std::string Message;
};

// The documents of a volume, exactly as LoadLesson yields them.
struct VolumeDocuments {
  std::vector<uint8_t> Lessons[kLessonCount];  // lesson n at [n - 1]
  std::vector<uint8_t> Index;
};

// File of a lesson (1..346) or of the index (kIndexLesson), relative to the volume folder.
std::string LessonFileName(int lesson);

// Compiles the source text of one document. file names it in errors.
bool CompileLessonSource(const std::string& text, bool isIndex, const std::string& file,
                         std::vector<uint8_t>* document, SourceError* error);

// Reads and compiles every file of the volume folder dir.
bool ReadVolumeSource(const std::string& dir, VolumeDocuments* volume, SourceError* error);

// Writes one document back as source text; fails (with a message) when the
// document cannot be expressed, e.g. bytes after its end record.
bool DocumentToSource(const std::vector<uint8_t>& document, int lesson, std::string* text,
                      std::string* error);
