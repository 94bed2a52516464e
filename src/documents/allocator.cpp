#include "documents/allocator.h"

#include "platform/memory.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "settings/settings_store.h"

void* AllocateOrAbort(size_t size) {
  void* block = MemAlloc(size);
  if (block) return block;
  ShowMessageBox(nullptr, u"There is not enough memory, aborting", u"Error", BoxButtonsOk | BoxIconStop);
  // Saving destroys the panes; the program ends here rather than at the next
  // turn of the message loop, so no caller can reach the freed panes.
  SaveSettings();
  EndProcess(OutOfMemoryExitCode);
  return nullptr;
}
