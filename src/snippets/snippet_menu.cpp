#include "snippets/snippet_menu.h"

#include "base/cp932.h"

namespace kestil {
namespace {

constexpr char kUnregistered[] = "\x96\xA2\x93\x6F\x98\x5E";  // 未登録

std::string Mnemonic(int slot) { return std::string("(&") + kSlotDigits[slot & 15] + ")"; }

}  // namespace

SnippetMenuItem SnippetMenuText(int slot, const std::string& title, const std::string& body) {
  if (body.empty() && title.empty()) return {kUnregistered + Mnemonic(slot), false};
  return {cp932::MenuEscaped(title) + Mnemonic(slot), true};
}

}  // namespace kestil
