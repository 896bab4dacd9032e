#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <rows/failure_text.h>
#include <runtime/catalogue.h>

namespace quenvale {

std::string_view fieldName(FieldName field, Language language) {
    switch (field) {
    case FieldName::Reference:
        return inputName(InputBox::Reference, language);
    case FieldName::Fsb:
        return inputName(InputBox::Fsb, language);
    case FieldName::Target:
        return tr(language, {"目標クロック", "field name"});
    case FieldName::Multiplier:
        return tr(language, {"倍率", "field name"});
    }
    return {};
}

std::string failureText(const RuntimeError& error, std::optional<FieldName> field,
                        Language language) {
    return failureMessage(error, field ? std::optional(fieldName(*field, language)) : std::nullopt,
                          language);
}

std::string oneLine(std::string_view message) {
    std::string line(message);
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return line;
}

} // namespace quenvale
