#include <calculator/clock_panel.h>

#include <algorithm>
#include <cli/command_line.h>
#include <vector>

namespace quenvale::cli {

namespace {

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& captions,
                                   std::string_view caption) {
    const auto found = std::find(captions.begin(), captions.end(), caption);
    if (found == captions.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - captions.begin());
}

Format formatNamed(std::string_view name) {
    if (name == "text") {
        return Format::Text;
    }
    if (name == "csv") {
        return Format::Csv;
    }
    if (name == "json") {
        return Format::Json;
    }
    throw UsageError("--format は text、csv、json のいずれかです: " + std::string(name));
}

} // namespace

std::optional<std::size_t> pciIndex(std::string_view caption) {
    return indexOf(kPciCaptions, caption);
}

std::optional<std::size_t> agpIndex(std::string_view caption) {
    return indexOf(kAgpCaptions, caption);
}

CommandLine parseCommandLine(std::span<const std::string_view> args) {
    CommandLine line;
    std::vector<std::string_view> positional;
    std::optional<Format> format;
    bool batch = false;
    bool table = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> crystalFor;
    std::optional<std::string> fsbOption;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              args.end());
            break;
        }
        if (!arg.starts_with("--")) {
            positional.push_back(arg);
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (const auto equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        const auto value = [&]() -> std::string {
            if (inlineValue) {
                return std::string(*inlineValue);
            }
            if (i + 1 >= args.size()) {
                throw UsageError(std::string(name) + " には値が必要です");
            }
            return std::string(args[++i]);
        };
        const auto flag = [&](bool& target) {
            if (inlineValue) {
                throw UsageError(std::string(name) + " は値を取りません");
            }
            target = true;
        };

        if (name == "--help") {
            flag(help);
        } else if (name == "--version") {
            flag(version);
        } else if (name == "--batch") {
            flag(batch);
        } else if (name == "--table") {
            flag(table);
        } else if (name == "--format") {
            format = formatNamed(value());
        } else if (name == "--pci") {
            const std::string caption = value();
            line.pci = pciIndex(caption);
            if (!line.pci) {
                throw UsageError("--pci は 1/2、1/3、1/4 のいずれかです: " + caption);
            }
        } else if (name == "--agp") {
            const std::string caption = value();
            line.agp = agpIndex(caption);
            if (!line.agp) {
                throw UsageError("--agp は 1/1、2/3、1/2 のいずれかです: " + caption);
            }
        } else if (name == "--ref") {
            line.tableRef = value();
        } else if (name == "--fsb") {
            fsbOption = value();
        } else if (name == "--crystal-for") {
            crystalFor = value();
        } else {
            throw UsageError("不明なオプションです: " + std::string(arg));
        }
    }

    if (help || version) {
        line.mode = help ? Mode::Help : Mode::Version;
        return line;
    }
    const int modes = static_cast<int>(batch) + static_cast<int>(table) +
                      static_cast<int>(crystalFor.has_value());
    if (modes > 1) {
        throw UsageError("--batch、--table、--crystal-for は同時に指定できません");
    }
    const bool dividers = line.pci.has_value() || line.agp.has_value();

    if (batch) {
        line.mode = Mode::Batch;
        line.format = format.value_or(Format::Csv);
        if (line.format == Format::Text) {
            throw UsageError("--batch の出力は csv か json です");
        }
        if (!positional.empty() || dividers || line.tableRef || fsbOption) {
            throw UsageError("--batch は標準入力から REF,FSB[,PCI,AGP] を読みます");
        }
        return line;
    }
    if (table) {
        line.mode = Mode::Table;
        line.format = format.value_or(Format::Text);
        line.tableFsb = fsbOption;
        if (!positional.empty() || dividers) {
            throw UsageError("--table に取れるのは --ref、--fsb、--format だけです");
        }
        return line;
    }
    if (crystalFor) {
        line.mode = Mode::CrystalFor;
        line.format = format.value_or(Format::Text);
        line.target = *crystalFor;
        if (!fsbOption) {
            throw UsageError("--crystal-for には --fsb が必要です");
        }
        line.fsb = *fsbOption;
        if (!positional.empty() || dividers || line.tableRef) {
            throw UsageError("--crystal-for に取れるのは --fsb と --format だけです");
        }
        return line;
    }

    line.mode = Mode::Single;
    line.format = format.value_or(Format::Text);
    if (positional.size() != 2 || line.tableRef || fsbOption) {
        throw UsageError("REF と FSB を一つずつ指定してください");
    }
    line.reference = std::string(positional[0]);
    line.fsb = std::string(positional[1]);
    return line;
}

} // namespace quenvale::cli
