#pragma once

#include <runtime/language.h>

#include <optional>
#include <string>
#include <string_view>

namespace quenvale {
class RuntimeError;

// The values a row's message may name.
enum class FieldName { Reference, Fsb, Target, Multiplier };

// What a value goes by inside a sentence, in the language.
std::string_view fieldName(FieldName field, Language language);

// Why a conversion or a calculation failed, in two lines: what went wrong in
// the user's terms (quoting the text, named by `field` where known), then the
// run-time error; the window's message in the same language.
std::string failureText(const RuntimeError& error, std::optional<FieldName> field,
                        Language language);

// The message on one line, for formats that hold one record a line.
std::string oneLine(std::string_view message);

} // namespace quenvale
