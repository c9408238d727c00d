#include "base/language.h"

#include <string>

namespace kestil {

Language LanguageFor(std::u16string_view path, std::u16string_view text_start) {
  if (path.empty()) return !text_start.empty() && text_start.front() == u'<' ? Language::kHtml : Language::kPlain;
  const std::size_t dot = path.find_last_of(u".\\/");
  if (dot == std::u16string_view::npos || path[dot] != u'.') return Language::kPlain;
  std::u16string ext(path.substr(dot + 1));
  for (char16_t& c : ext) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  for (const char16_t* html : {u"htm", u"html", u"shtml", u"xhtml", u"php"}) {
    if (ext == html) return Language::kHtml;
  }
  if (ext == u"css") return Language::kCss;
  if (ext == u"js") return Language::kScript;
  return Language::kPlain;
}

}  // namespace kestil
