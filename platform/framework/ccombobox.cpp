#include "framework/ccombobox.h"

std::u16string CComboBox::GetLBText(int index) const {
  const LRESULT length = SendMessage(CB_GETLBTEXTLEN, WPARAM(index));
  if (length <= 0) return {};
  std::u16string text(size_t(length) + 1, u'\0');
  const LRESULT copied = SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(copied > 0 ? size_t(copied) : 0);
  return text;
}
