// Dialog templates, DLGTEMPLATE and DLGTEMPLATEEX, parsed into one struct.
// Positions stay in dialog units; turning them into pixels is the dialog
// manager's business.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/wintypes.h"
#include "res/name_or_ordinal.h"
#include "res/parse_error.h"

namespace res {

// The predefined control classes as template atoms.
enum class ControlAtom : WORD {
  kButton = 0x80,
  kEdit = 0x81,
  kStatic = 0x82,
  kListBox = 0x83,
  kScrollBar = 0x84,
  kComboBox = 0x85,
};

struct DialogItem {
  DWORD helpId = 0;  // DLGTEMPLATEEX only
  DWORD style = 0;
  DWORD exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  // 16 bits in DLGTEMPLATE (so -1 reads as 0xFFFF), 32 in DLGTEMPLATEEX.
  DWORD id = 0;
  NameOrOrdinal windowClass;  // an atom (ControlAtom) or a class name
  NameOrOrdinal title;        // text, or an ordinal (an image resource id)
  std::size_t creationDataSize = 0;  // skipped; only its size is kept
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;  // DLGTEMPLATEEX only
  DWORD style = 0;
  DWORD exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;         // empty: none
  NameOrOrdinal windowClass;  // empty: the dialog class
  std::u16string title;
  bool hasFont = false;       // DS_SETFONT (0x40) in style
  WORD pointSize = 0;
  WORD weight = 0;            // DLGTEMPLATEEX only; 0 otherwise
  bool italic = false;        // DLGTEMPLATEEX only
  BYTE charset = 0;           // DLGTEMPLATEEX only
  std::u16string fontFace;
  std::vector<DialogItem> items;
};

// The standard atom of a predefined class, if `windowClass` is one.
bool IsControlAtom(const NameOrOrdinal& windowClass, ControlAtom atom);

// Parses a dialog resource. DLGTEMPLATEEX is recognised by its leading
// version 1 and signature 0xFFFF. Errors: kTruncated when a field, a string
// or an item (with its creation data) runs past the data; kBadString when a
// string runs over 4096 units without its terminator; kBadHeader for an
// extended template whose version is not 1.
Expected<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> data);

}  // namespace res
