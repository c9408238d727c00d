#include "snippets/snippet_menu.h"

#include "base/text16.h"

namespace kestil {
namespace {

constexpr char16_t kUnregistered[] = u"未登録";

std::u16string Mnemonic(int slot) {
  return u"(&" + std::u16string(1, static_cast<char16_t>(kSlotDigits[slot & 15])) + u")";
}

}  // namespace

SnippetMenuItem SnippetMenuText(int slot, const std::u16string& title,
                                const std::u16string& body) {
  if (body.empty() && title.empty()) return {kUnregistered + Mnemonic(slot), false};
  return {MenuEscaped(title) + Mnemonic(slot), true};
}

}  // namespace kestil
