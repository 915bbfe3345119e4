// Message map lookup; see message_map.h.
#include "framework/message_map.h"

const MessageEntry* MessageMap::Find(UINT message, UINT code, UINT id) const {
  bool routed = message == WM_COMMAND || message == WM_NOTIFY;
  for (const MessageMap* map = this; map; map = map->base_) {
    for (const MessageEntry& e : map->entries_) {
      if (e.message != message) continue;
      if (!routed || (e.code == code && id >= e.firstId && id <= e.lastId)) return &e;
    }
  }
  return nullptr;
}
