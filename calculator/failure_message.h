#pragma once

#include <calculator/clock_panel.h>
#include <runtime/language.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quenvale {

class RuntimeError;

// What the user is told when an action fails, and where to correct it.
struct FailureDescription {
    // The input box to put the focus in; none when no box is to blame.
    std::optional<InputBox> box;
    // Two lines: what went wrong in the user's terms, then the run-time
    // error number and message ("実行時エラー 13: 型が一致しません。"), in
    // the language asked for.
    std::string message;
};

// The longest typed text, in characters, quoted in full; longer ones are cut.
inline constexpr std::size_t kMaxQuotedLength = 24;

// True when the text shows nothing: empty, or only blanks a person may type
// (spaces, tabs, line breaks, U+00A0, U+3000).
bool isBlankText(std::string_view text);

// The typed text as it can be quoted on one line: control characters become
// blanks, bytes that are not UTF-8 become U+FFFD (so no terminal escape or
// line break slips through), and a long text is cut after whole characters.
std::string quotableText(std::string_view typed);

// The name a box goes by inside a sentence: "PLL-IC REF クロック" or
// "reference clock", "FSB".
std::string_view inputName(InputBox box, Language language);

// Describes a RuntimeError raised by an action that converted the texts of
// `converted`, in that order. The failing text is matched against the panel's
// texts in the same order, so the box converted first is blamed when both
// hold the same text.
FailureDescription describeFailure(const RuntimeError& error, const ClockPanel& panel,
                                   std::span<const InputBox> converted, Language language);

// The same message for a value that is not one of the panel's boxes;
// `fieldName` names it, in the message's language ("目標クロック"); none for
// an arithmetic fault.
std::string failureMessage(const RuntimeError& error, std::optional<std::string_view> fieldName,
                           Language language);

} // namespace quenvale
