#pragma once

#include <runtime/language.h>

#include <string>

namespace quenvale {

// The language of a code the page got from languageCode(); Japanese, the
// window's own, for any other.
inline Language pageLanguage(const std::string& code) {
    return languageNamed(code).value_or(Language::Japanese);
}

} // namespace quenvale
