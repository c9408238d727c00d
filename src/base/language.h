// The language a document is written in, which decides how its text is
// coloured.
#pragma once

#include <string_view>

namespace kestil {

enum class Language { kPlain, kHtml, kCss, kScript };

// By the file's extension (.htm .html .shtml .xhtml .php: HTML, .css, .js),
// any case; a document without a name is HTML when its text starts with
// "<"; everything else is plain text.
Language LanguageFor(std::u16string_view path, std::u16string_view text_start);

}  // namespace kestil
