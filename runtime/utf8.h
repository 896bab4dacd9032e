#pragma once

#include <cstddef>
#include <string_view>

namespace quenvale {

// The length of the well-formed UTF-8 sequence that starts at text[i], or 0
// when the bytes there are not one (a stray or cut byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

} // namespace quenvale
