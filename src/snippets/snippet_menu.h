// How the snippet menu shows a slot.
#pragma once

#include <string>

namespace kestil {

constexpr char kSlotDigits[] = "0123456789ABCDEF";

struct SnippetMenuItem {
  std::u16string text;
  bool enabled;
};

// "title(&D)" for a slot with a title or a body, D its digit; "未登録(&D)",
// disabled, for an empty slot. An '&' in the title is doubled, so that the
// menu shows the title as typed and the digit stays the mnemonic.
SnippetMenuItem SnippetMenuText(int slot, const std::u16string& title,
                                const std::u16string& body);

}  // namespace kestil
