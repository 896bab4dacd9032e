#include <calculator/failure_message.h>
#include <runtime/catalogue.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <runtime/utf8.h>

#include <cctype>
#include <string>

namespace quenvale {

namespace {

// Blanks a person may type that show nothing.
bool isBlankAt(std::string_view text, std::size_t i, std::size_t& length) {
    const auto c = static_cast<unsigned char>(text[i]);
    length = 1;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
        return true;
    }
    for (const std::string_view blank : {"\u00a0", "\u3000"}) {
        if (text.substr(i, blank.size()) == blank) {
            length = blank.size();
            return true;
        }
    }
    return false;
}

} // namespace

bool isBlankText(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); i += length) {
        if (!isBlankAt(text, i, length)) {
            return false;
        }
    }
    return true;
}

std::string quotableText(std::string_view typed) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < typed.size(); ++characters) {
        if (characters == kMaxQuotedLength) {
            out += "…";
            break;
        }
        const std::size_t length = utf8SequenceLength(typed, i);
        if (length == 0) {
            out += "\uFFFD";
            ++i;
            continue;
        }
        if (isControlCharacter(typed, i, length)) {
            out.push_back(' ');
        } else {
            out.append(typed.substr(i, length));
        }
        i += length;
    }
    return out;
}

namespace {

// "15MHz", "100 mhz": a number typed with its unit, which the boxes leave
// out. Only the Latin spellings: what else a person types is told as any
// other text that is not a number.
bool typedWithUnit(std::string_view text) {
    std::size_t end = text.find_last_not_of(" \t");
    if (end == std::string_view::npos) {
        return false;
    }
    std::string word;
    std::size_t start = end + 1;
    while (start > 0 && std::isalpha(static_cast<unsigned char>(text[start - 1])) != 0) {
        --start;
        word.insert(word.begin(),
                    static_cast<char>(std::tolower(static_cast<unsigned char>(text[start]))));
    }
    if (word != "mhz" && word != "khz" && word != "ghz" && word != "hz" && word != "m") {
        return false;
    }
    try {
        parseSingle(text.substr(0, start));
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

std::string firstLine(const RuntimeError& error, std::optional<std::string_view> fieldName,
                      Language language) {
    if (!error.text()) {
        return std::string(error.number() == ErrorNumber::Overflow
                               ? tr(language, "計算結果が大きすぎます。")
                               : tr(language, "計算できませんでした。"));
    }
    const std::string& typed = *error.text();
    const bool overflow = error.number() == ErrorNumber::Overflow;
    // "14,318" is a decimal comma, the commonest slip: say which mark is
    // the decimal point.
    const bool comma = !overflow && typed.find(',') != std::string::npos;
    const bool unit = !overflow && !comma && typedWithUnit(typed);
    if (!fieldName) {
        if (isBlankText(typed)) {
            return std::string(tr(language, "入力値が入力されていません。"));
        }
        const std::string quoted = quotableText(typed);
        if (comma) {
            return tr(language, "入力値「{text}」は数値ではありません。小数点は「.」です。",
                      {{"text", quoted}});
        }
        if (unit) {
            return tr(language,
                      "入力値「{text}」は数値ではありません。単位は付けずに数値だけを入力します。",
                      {{"text", quoted}});
        }
        return overflow
                   ? tr(language, "入力値「{text}」は大きすぎます。", {{"text", quoted}})
                   : tr(language, "入力値「{text}」は数値ではありません。", {{"text", quoted}});
    }
    if (isBlankText(typed)) {
        return tr(language, "{field}の値が入力されていません。", {{"field", *fieldName}});
    }
    const std::string quoted = quotableText(typed);
    const std::initializer_list<Argument> arguments{{"field", *fieldName}, {"text", quoted}};
    if (comma) {
        return tr(language, "{field}の値「{text}」は数値ではありません。小数点は「.」です。",
                  arguments);
    }
    if (unit) {
        return tr(language,
                  "{field}の値「{text}」は数値ではありません。単位は付けずに数値だけを入力します。",
                  arguments);
    }
    return overflow ? tr(language, "{field}の値「{text}」は大きすぎます。", arguments)
                    : tr(language, "{field}の値「{text}」は数値ではありません。", arguments);
}

} // namespace

std::string_view inputName(InputBox box, Language language) {
    return box == InputBox::Reference ? tr(language, {"PLL-IC REF クロック", "field name"}) : "FSB";
}

std::string failureMessage(const RuntimeError& error, std::optional<std::string_view> fieldName,
                           Language language) {
    return firstLine(error, fieldName, language) + "\n" + error.describe(language);
}

FailureDescription describeFailure(const RuntimeError& error, const ClockPanel& panel,
                                   std::span<const InputBox> converted, Language language) {
    FailureDescription description;
    if (error.text()) {
        for (const InputBox box : converted) {
            if (box == InputBox::Reference ? panel.referenceText == *error.text()
                                           : panel.fsbText == *error.text()) {
                description.box = box;
                break;
            }
        }
    } else if (!converted.empty()) {
        // An arithmetic fault: both texts were numbers, so no one box is to
        // blame; the focus goes to the one read last.
        description.box = converted.back();
    }
    std::optional<std::string_view> name;
    if (error.text() && description.box) {
        name = inputName(*description.box, language);
    }
    description.message = failureMessage(error, name, language);
    return description;
}

} // namespace quenvale
