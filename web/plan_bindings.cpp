// The crystal planner beside the window: what the planner's fields ask
// for, read as the command line reads --plan's options, and the candidates
// as rows of the page's tables. Every text and number is made here.
#include <calculator/failure_message.h>
#include <calculator/planner.h>
#include <report/chart_labels.h>
#include <rows/failure_text.h>
#include <runtime/catalogue.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <web/calls.h>
#include <web/companion_row.h>
#include <web/page_language.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

namespace {

struct PlanOutcome {
    // The field to blame (0 target, 1 multiplier, 2 the user's crystals, 3
    // none of them) and why; -1 when the plan was made.
    int field = -1;
    std::string message;
    std::string summary; // what was asked and "108 件中 10 件", or why there is no candidate
    std::vector<CompanionRow> rows;
};

// The planner's row counts, in the order of the page's list; its limits are
// kPlanLimits'.
constexpr std::array<std::size_t, 4> kPlanCounts{5, 10, 20, 50};

// The target or the multiplier, as the command line checks them: none when
// it is a number above 0, else the message to put beside its field.
std::optional<std::string> positiveFailure(const std::string& text, Message field,
                                           Language language) {
    std::optional<float> value;
    try {
        value = positiveValue(text);
    } catch (const RuntimeError& error) {
        const std::string message = failureMessage(error, tr(language, field), language);
        return message.substr(0, message.find('\n'));
    }
    if (value) {
        return std::nullopt;
    }
    return tr(language, {"{field} は正の数です: {value}", "companion"},
              {{"field", tr(language, field)}, {"value", quotableText(text)}});
}

// The plan the planner's fields ask for: the target, the multiplier (blank
// for none), the user's own crystals (blank for the window's list), and the
// limit and count as places in their lists.
PlanOutcome plan(const std::string& target, const std::string& multiplier,
                 const std::string& crystalsText, int limitIndex, int countIndex,
                 const std::string& code) {
    const Language language = pageLanguage(code);
    const Message targetName{"目標クロック", "companion field name"};
    PlanOutcome outcome;
    // The target is read first, then the multiplier, each told by its
    // field.
    if (auto failure = positiveFailure(target, targetName, language)) {
        return {.field = 0, .message = std::move(*failure)};
    }
    std::optional<std::string_view> multiplierText;
    if (!isBlankText(multiplier)) {
        if (auto failure =
                positiveFailure(multiplier, {"倍率", "companion field name"}, language)) {
            return {.field = 1, .message = std::move(*failure)};
        }
        multiplierText = multiplier;
    }
    // Each crystal listed is told by its text, as the command line tells
    // a --ref that is not one.
    const std::vector<std::string_view> crystals = listedCrystals(crystalsText);
    for (const std::string_view crystal : crystals) {
        try {
            parseSingle(crystal);
        } catch (const RuntimeError& error) {
            const std::string message = failureText(error, FieldName::Reference, language);
            return {.field = 2, .message = message.substr(0, message.find('\n'))};
        }
    }
    const std::size_t limitAt =
        std::clamp<std::size_t>(static_cast<std::size_t>(limitIndex), 0, kPlanLimits.size() - 1);
    const ClockHint limit = kPlanLimits.at(limitAt);
    std::vector<PlanCandidate> candidates;
    try {
        candidates = crystals.empty() ? planCrystals(target, multiplierText, limit)
                                      : planCrystals(target, multiplierText, limit, crystals);
    } catch (const RuntimeError& error) {
        return {.field = 3, .message = failureMessage(error, std::nullopt, language)};
    }
    if (candidates.empty()) {
        outcome.summary = planEmptyText(limit, language);
        return outcome;
    }
    const std::size_t count = kPlanCounts.at(
        std::clamp<std::size_t>(static_cast<std::size_t>(countIndex), 0, kPlanCounts.size() - 1));
    const std::size_t shown = std::min(count, candidates.size());
    outcome.summary =
        planSummary(target, multiplierText, limit, shown, candidates.size(), language,
                    crystals.size());
    for (std::size_t i = 0; i < shown; ++i) {
        outcome.rows.push_back(companionRow(planRow(candidates[i]), RowOf::Plan, language));
    }
    return outcome;
}

// Where the page's limit list starts: the limit the command line plans
// with when it is given none.
int planDefaultLimit() {
    return static_cast<int>(std::find(kPlanLimits.begin(), kPlanLimits.end(), kDefaultPlanLimit) -
                            kPlanLimits.begin());
}

std::vector<std::string> planCounts() {
    std::vector<std::string> counts;
    for (const std::size_t count : kPlanCounts) {
        counts.push_back(std::to_string(count));
    }
    return counts;
}

constexpr std::array kCalls{
    Call{"plan", 6,
         [](const Arguments& a) {
             const PlanOutcome outcome =
                 plan(a.text(0), a.text(1), a.text(2), a.number(3), a.number(4), a.text(5));
             return JsonObject()
                 .number("field", outcome.field)
                 .text("message", outcome.message)
                 .text("summary", outcome.summary)
                 .json("rows", jsonArray(outcome.rows, companionRowJson))
                 .close();
         }},
    Call{"planCounts", 0, [](const Arguments&) { return jsonTexts(planCounts()); }},
    Call{"planDefaultLimit", 0,
         [](const Arguments&) { return std::to_string(planDefaultLimit()); }},
};

} // namespace

std::span<const Call> planCalls() {
    return kCalls;
}

} // namespace quenvale
