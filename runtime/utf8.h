#pragma once

#include <cstddef>
#include <string_view>

namespace quenvale {

// The length of the well-formed UTF-8 sequence that starts at text[i], or 0
// when the bytes there are not one (a stray or cut byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

// True when the well-formed sequence of `length` bytes at text[i] is a
// control character (U+0000 to U+001F, U+007F, U+0080 to U+009F): a terminal
// or a viewer may act on one rather than show it.
bool isControlCharacter(std::string_view text, std::size_t i, std::size_t length);

} // namespace quenvale
