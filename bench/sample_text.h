// A deterministic page-like text in code page 932: HTML markup, ASCII words
// and Japanese sentences, lines ending with CR LF.
#pragma once

#include <cstddef>
#include <string>

namespace kestil::bench {

std::string SampleText(std::size_t bytes);

}  // namespace kestil::bench
