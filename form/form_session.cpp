#include <form/control_table.h>
#include <form/form_session.h>
#include <runtime/catalogue.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

namespace quenvale {

namespace {

std::optional<InputBox> inputOf(WindowEvent event) {
    switch (event) {
    case WindowEvent::ReferenceEdited:
    case WindowEvent::ReferencePicked:
        return InputBox::Reference;
    case WindowEvent::FsbEdited:
    case WindowEvent::FsbPicked:
        return InputBox::Fsb;
    default:
        return std::nullopt;
    }
}

std::optional<float> numberIn(std::string_view text) {
    try {
        return parseSingle(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::string_view hintReason(const ClockPanel& panel, ClockIndex result, Language language) {
    switch (result) {
    case PciClock:
        return pciHintText(panel.hints[PciClock], language);
    case AgpClock:
        return agpHintText(panel.hints[AgpClock], language);
    case CpuClock:
        break;
    }
    return {};
}

// What the crystal of the last calculation does to USB, to the serial ports
// and floppy of the Super I/O, and to the time kept by timer ticks, told with
// the CPU clock: one line each.
std::vector<std::string> consequenceLines(const ClockPanel& panel, ClockIndex result,
                                          Language language) {
    if (result != CpuClock || !panel.consequences) {
        return {};
    }
    const Consequences& effects = *panel.consequences;
    return {tr(language, "USB {clock}MHz: {verdict}",
               {{"clock", effects.usbText}, {"verdict", usbVerdict(effects, language)}}),
            tr(language, "Super I/O {clock}MHz: {verdict}",
               {{"clock", effects.sioText}, {"verdict", superIoVerdict(effects, language)}}),
            tr(language, "タイマーで刻む時計: {drift}",
               {{"drift", timerDriftSentence(effects, language)}})};
}

// What a result's tip and its description both tell: for the CPU clock what
// the crystal does, then why the clock deserves its hint.
std::vector<std::string> remarkLines(const ClockPanel& panel, ClockIndex result,
                                     Language language) {
    std::vector<std::string> lines = consequenceLines(panel, result, language);
    if (const std::string_view reason = hintReason(panel, result, language); !reason.empty()) {
        lines.emplace_back(reason);
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines, char separator) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) {
            text += separator;
        }
        text += line;
    }
    return text;
}

} // namespace

EventOutcome FormSession::handle(WindowEvent event, const EventArgs& args) {
    const EventBinding& binding = bindingFor(event);
    if (const std::optional<InputBox> box = inputOf(event)) {
        lastInput_ = *box;
    }
    EventOutcome outcome;
    try {
        binding.run(panel_, args);
    } catch (const RuntimeError& error) {
        outcome.failure = describeFailure(error, panel_, binding.converts, language_);
        outcome.focusBox = outcome.failure->box;
        return outcome;
    }
    if (event == WindowEvent::CalculateClicked) {
        outcome.focusBox = lastInput_;
    }
    outcome.exitRequested = panel_.exitRequested;
    return outcome;
}

EventOutcome FormSession::step(InputBox box, ListStep step) {
    if (const std::optional<std::size_t> item =
            steppedItem(panel_.list(box), panel_.inputText(box), step)) {
        return handle(pickedEvent(box), {.index = *item, .text = {}});
    }
    return {};
}

std::optional<std::size_t> currentItem(const std::vector<std::string>& items,
                                       std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> steppedItem(const std::vector<std::string>& items, std::string_view text,
                                       ListStep step) {
    if (items.empty()) {
        return std::nullopt;
    }
    const bool down = step == ListStep::Down;
    if (const std::optional<std::size_t> current = currentItem(items, text)) {
        if (down) {
            return *current + 1 < items.size() ? std::optional(*current + 1) : std::nullopt;
        }
        return *current > 0 ? std::optional(*current - 1) : std::nullopt;
    }
    const std::optional<float> typed = numberIn(text);
    if (!typed) {
        return down ? 0 : items.size() - 1;
    }
    // The nearest item strictly beyond the typed number in the step's
    // direction; the list is in numeric order, but nothing relies on it.
    std::optional<std::size_t> nearest;
    float nearestValue = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::optional<float> value = numberIn(items[i]);
        if (!value || (down ? *value <= *typed : *value >= *typed)) {
            continue;
        }
        if (!nearest || (down ? *value < nearestValue : *value > nearestValue)) {
            nearest = i;
            nearestValue = *value;
        }
    }
    return nearest;
}

std::string resultToolTip(const ClockPanel& panel, ClockIndex result, bool textFits,
                          Language language) {
    std::vector<std::string> lines = remarkLines(panel, result, language);
    const std::string& text = panel.results[result];
    if (!textFits && !text.empty()) {
        lines.insert(lines.begin(), text + ' ' + std::string(kUnit));
    }
    return joined(lines, '\n');
}

std::string resultDescription(const ClockPanel& panel, ClockIndex result, Language language) {
    const std::vector<std::string> sentences = remarkLines(panel, result, language);
    // Read out as one text: a space keeps the sentences apart.
    return sentences.empty() ? std::string(kUnit) : joined(sentences, ' ');
}

std::string_view resultMark(const ClockPanel& panel, ClockIndex result, Language language) {
    switch (panel.hints[result]) {
    case ClockHint::Caution:
        return tr(language, {"注意", "hint mark"});
    case ClockHint::Danger:
        return tr(language, {"危険", "hint mark"});
    case ClockHint::Ok:
        break;
    }
    return {};
}

std::string resultAccessibleName(const ClockPanel& panel, ClockIndex result, bool textFits,
                                 Language language) {
    std::string name;
    for (const ControlRow& row : kControls) {
        if (row.labelFor == control::resultBoxes[result]) {
            name = std::string(captionIn(row, language));
        }
    }
    const std::string& text = panel.results[result];
    if (textFits || text.empty()) {
        return name;
    }
    return text + ' ' + std::string(kUnit) + ' ' + name;
}

std::string resultsSpoken(const ClockPanel& panel, Language language) {
    std::string line;
    for (std::size_t i = 0; i < panel.results.size(); ++i) {
        if (panel.results[i].empty()) {
            continue;
        }
        if (!line.empty()) {
            line += tr(language, {"、", "list separator"});
        }
        const auto result = static_cast<ClockIndex>(i);
        line += resultAccessibleName(panel, result, true, language) + ' ' + panel.results[i] + ' ' +
                std::string(kUnit);
        if (const std::string_view mark = resultMark(panel, result, language); !mark.empty()) {
            line += ' ';
            line += mark;
        }
    }
    return line;
}

} // namespace quenvale
