// The platform clipboard; see clipboard.h.
#include "win/clipboard.h"

#include <map>
#include <memory>

namespace {

// A text block behind a HANDLE: the handle is the block's address.
struct TextBlock {
  std::u16string text;
};

struct Clipboard {
  bool open = false;
  HWND opener = nullptr;
  HWND owner = nullptr;
  // Blocks the callers own, and those the clipboard holds by format.
  std::map<HANDLE, std::unique_ptr<TextBlock>> loose;
  std::map<UINT, std::unique_ptr<TextBlock>> held;
  win::ClipboardBridge bridge;
};

Clipboard& Board() {
  static Clipboard board;
  return board;
}

HANDLE HandleOf(const TextBlock* block) { return const_cast<TextBlock*>(block); }

// Takes the desktop's text, when a bridge offers one, as the text held here.
void PullFromDesktop() {
  Clipboard& b = Board();
  if (!b.bridge.fetch) return;
  std::optional<std::u16string> text = b.bridge.fetch();
  if (!text) return;
  auto it = b.held.find(CF_UNICODETEXT);
  if (it != b.held.end() && it->second->text == *text) return;  // keep the handle stable
  b.held[CF_UNICODETEXT] = std::make_unique<TextBlock>(TextBlock{std::move(*text)});
}

bool RequireOpen() {
  if (Board().open) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Clipboard& b = Board();
  if (b.open && b.opener != owner) return FALSE;
  b.open = true;
  b.opener = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!RequireOpen()) return FALSE;
  Board().open = false;
  Board().opener = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!RequireOpen()) return FALSE;
  Clipboard& b = Board();
  b.held.clear();
  b.owner = b.opener;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (!RequireOpen()) return nullptr;
  Clipboard& b = Board();
  auto it = b.loose.find(data);
  if (!data || it == b.loose.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::unique_ptr<TextBlock>& slot = b.held[format];
  slot = std::move(it->second);  // frees what the format held before
  b.loose.erase(it);
  if (format == CF_UNICODETEXT && b.bridge.publish) b.bridge.publish(slot->text);
  return data;
}

HANDLE GetClipboardData(UINT format) {
  if (!RequireOpen()) return nullptr;
  if (format == CF_UNICODETEXT) PullFromDesktop();
  auto& held = Board().held;
  auto it = held.find(format);
  return it == held.end() ? nullptr : HandleOf(it->second.get());
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (format == CF_UNICODETEXT) PullFromDesktop();
  return Board().held.count(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner() { return Board().owner; }

namespace win {

HANDLE NewClipboardText(std::u16string_view text) {
  auto block = std::make_unique<TextBlock>(TextBlock{std::u16string(text)});
  HANDLE handle = HandleOf(block.get());
  Board().loose.emplace(handle, std::move(block));
  return handle;
}

const std::u16string* ClipboardTextOf(HANDLE data) {
  Clipboard& b = Board();
  if (auto it = b.loose.find(data); it != b.loose.end()) return &it->second->text;
  for (const auto& [format, block] : b.held)
    if (HandleOf(block.get()) == data) return &block->text;
  return nullptr;
}

void FreeClipboardText(HANDLE data) { Board().loose.erase(data); }

std::optional<std::u16string> ReadClipboardText(HWND opener) {
  if (!OpenClipboard(opener)) return std::nullopt;
  std::optional<std::u16string> text;
  if (const std::u16string* held = ClipboardTextOf(GetClipboardData(CF_UNICODETEXT))) text = *held;
  CloseClipboard();
  return text;
}

BOOL WriteClipboardText(HWND opener, std::u16string_view text) {
  if (!OpenClipboard(opener)) return FALSE;
  EmptyClipboard();
  HANDLE data = NewClipboardText(text);
  if (!SetClipboardData(CF_UNICODETEXT, data)) FreeClipboardText(data);
  CloseClipboard();
  return TRUE;
}

void SetClipboardBridge(ClipboardBridge bridge) { Board().bridge = std::move(bridge); }

void ResetClipboard() { Board() = Clipboard{}; }

}  // namespace win
