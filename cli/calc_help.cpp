#include <calculator/dividers.h>
#include <cli/calc_help.h>
#include <cli/option_table.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>
#include <runtime/utf8.h>

#include <algorithm>
#include <array>
#include <vector>

namespace quenvale::cli {

namespace {

// Marks a line may not begin with, and marks it may not end with.
constexpr std::array<std::string_view, 27> kNoLineStart = {"、", "。", "，", "．", "）", "」", "』", "】", "・",
                                             "ー", "：", "；", "！", "？", "っ", "ッ", "ゃ", "ゅ",
                                             "ょ", ")",  ",",  ".",  ":",  ";",  "%",  "!",  "?"};
constexpr std::array<std::string_view, 5> kNoLineEnd = {"（", "「", "『", "【", "("};

bool oneOf(std::string_view character, std::span<const std::string_view> marks) {
    return std::find(marks.begin(), marks.end(), character) != marks.end();
}

// A piece of text no line breaks inside: a word, or wide characters with the
// marks that cling to them.
struct Chunk {
    std::string text;
    std::size_t width = 0;
    bool blankBefore = false;
};

std::vector<Chunk> chunksOf(std::string_view line) {
    std::vector<Chunk> chunks;
    bool blank = false;
    std::string_view last; // the character before, in the current chunk
    bool lastWide = false;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(line, i), 1);
        const std::string_view character = line.substr(i, length);
        i += length;
        if (character == " ") {
            blank = true;
            last = {};
            continue;
        }
        const std::size_t width = displayWidth(character);
        const bool wide = width > 1;
        // A break may come between two characters where either is wide,
        // unless a mark clings to its neighbour.
        const bool breakable = !last.empty() && (wide || lastWide) &&
                               !oneOf(character, kNoLineStart) && !oneOf(last, kNoLineEnd);
        if (last.empty() || breakable) {
            chunks.push_back({.text = {}, .width = 0, .blankBefore = blank});
        }
        chunks.back().text += character;
        chunks.back().width += width;
        blank = false;
        last = character;
        lastWide = wide;
    }
    return chunks;
}

} // namespace

std::string wrapText(std::string_view text, std::size_t column, std::size_t indent,
                     std::size_t width) {
    std::string out;
    std::size_t at = column;
    bool lineEmpty = true;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (start > 0) {
            out += '\n';
            out.append(indent, ' ');
            at = indent;
            lineEmpty = true;
        }
        for (const Chunk& chunk : chunksOf(text.substr(start, end - start))) {
            const std::size_t blank = chunk.blankBefore && !lineEmpty ? 1 : 0;
            if (!lineEmpty && at + blank + chunk.width > width) {
                out += '\n';
                out.append(indent, ' ');
                at = indent;
            } else if (blank != 0) {
                out += ' ';
                ++at;
            }
            out += chunk.text;
            at += chunk.width;
            lineEmpty = false;
        }
        start = end + 1;
    }
    return out;
}

std::string usageText(Language language) {
    constexpr std::string_view kProgram = "  quenvale-calc";
    std::string text(tr(language, {"使い方:\n", "quenvale-calc"}));
    for (const ModeSpec& mode : modeTable()) {
        std::string line(kProgram);
        for (const UsageItem& item : mode.usage) {
            const OptionSpec& option = specNamed(item.option);
            std::string word(option.name);
            if (option.takes == Takes::Value) {
                word += ' ';
                word += usageValue(option, mode, item.value);
            }
            if (!item.required) {
                word.insert(0, 1, '[');
                word += ']';
            }
            // An option and its value stay on one line, continued under the
            // first option.
            if (line.size() + 1 + word.size() > kHelpWidth) {
                text += line + '\n';
                line = std::string(kProgram.size(), ' ');
            }
            line += ' ';
            line += word;
        }
        text += line + std::string(mode.usageTail) + '\n';
    }
    // An option every mode takes goes with any of the lines above.
    for (const OptionSpec& option : kOptions) {
        if (option.reach == Reach::EveryMode) {
            text += std::string(kProgram) + " " + std::string(option.name) + " " +
                    std::string(option.value) + " ...\n";
        }
    }
    std::string info(kProgram);
    for (const OptionSpec& option : kOptions) {
        if (option.reach == Reach::Alone) {
            info += (info.size() == kProgram.size() ? " " : " | ") + std::string(option.shortName) +
                    "|" + std::string(option.name);
        }
    }
    return text + info + "\n";
}

std::string helpText(Language language) {
    constexpr std::size_t kLabelWidth = 18;
    constexpr std::size_t kTextColumn = 2 + kLabelWidth;
    std::string text = usageText(language);
    text += '\n';
    text += wrapText(tr(language, "PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、"
                                  "AGP クロックを Quenvale のウィンドウと同じ計算で求めます。数値は"
                                  "ウィンドウと同じ表記で出力します。"),
                     0, 0);
    text += "\n\n";
    // The band dividers, as the help's operand line names them.
    const auto pciIn = [](FsbBand band) { return kPciDividers[bandRule(band).pci].caption; };
    const std::string lower = std::to_string(kFsbLowerLimit);
    const std::string upper = std::to_string(kFsbUpperLimit);
    const std::string_view agpHigh = kAgpDividers[bandRule(FsbBand::High).agp.value_or(0)].caption;
    std::string entry;
    const auto flush = [&] {
        if (!entry.empty()) {
            text.append(entry).append("\n");
            entry.clear();
        }
    };
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const OptionSpec& option = kOptions[i];
        // Appended piece by piece: GCC 12 at -O3 warns wrongly on a literal
        // joined to a std::string with operator+ (GCC bug 105329).
        std::string label(option.shortName);
        if (!label.empty()) {
            label += ", ";
        }
        label += option.name;
        if (option.place == HelpPlace::EntryNamingValue) {
            label.append(" ").append(option.value);
        }
        const std::string help = option.help ? tr(language, *option.help,
                                                  {{"L", lower},
                                                   {"U", upper},
                                                   {"P0", pciIn(FsbBand::Low)},
                                                   {"P1", pciIn(FsbBand::Middle)},
                                                   {"P2", pciIn(FsbBand::High)},
                                                   {"A2", agpHigh}})
                                             : std::string();
        switch (option.place) {
        case HelpPlace::Entry:
        case HelpPlace::EntryNamingValue: {
            flush();
            std::string joined = label;
            // An option whose label joins this one's: "--pci, --agp".
            if (i + 1 < kOptions.size() && kOptions[i + 1].place == HelpPlace::SharesEntry) {
                joined.append(", ").append(kOptions[i + 1].name);
            }
            entry = "  ";
            entry.append(joined).append(kLabelWidth - std::min(kLabelWidth, joined.size()), ' ');
            entry += wrapText(help, displayWidth(entry), kTextColumn);
            break;
        }
        case HelpPlace::SameLine: {
            // Beside the entry before when it fits there, else under it.
            std::string beside = "   ";
            beside.append(label).append("   ").append(help);
            const std::size_t lastLine = entry.rfind('\n') == std::string::npos
                                             ? displayWidth(entry)
                                             : displayWidth(entry.substr(entry.rfind('\n') + 1));
            if (lastLine + displayWidth(beside) <= kHelpWidth) {
                entry += beside;
            } else {
                entry.append("\n  ").append(label);
                entry.append(kLabelWidth - std::min(kLabelWidth, label.size()), ' ').append(help);
            }
            break;
        }
        case HelpPlace::SharesEntry:
        case HelpPlace::InAnother:
            break;
        }
    }
    flush();
    text += "  " +
            wrapText(tr(language,
                        "PCI が 37.5 MHz、AGP が 75 MHz を超えると caution(注意)、定格(33.33"
                        "、66.67 MHz)の 125%(約 41.67、83.33 MHz)を超えると danger(危険)と"
                        "示します。\n言語は --lang がなければ LANGUAGE の空でない最初の項目、"
                        "LC_ALL、LC_MESSAGES、LANG の順に見て、ja で始まれば日本語、それ以外は"
                        "英語です。csv と json の欄と値はどちらでも同じです。\n"
                        "終了ステータス: 0 成功、1 計算エラー、2 コマンドラインの誤り。"),
                     2, 2) +
            "\n";
    return text;
}

} // namespace quenvale::cli
