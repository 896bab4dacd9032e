#include <calculator/clock_panel.h>
#include <cli/completion.h>
#include <cli/option_table.h>

#include <string_view>
#include <vector>

namespace quenvale::cli {

namespace {

std::string words(const std::vector<std::string_view>& items) {
    return joined(items, ' ');
}

// "    --pci) choices='1/2 1/3 1/4' ;;": the words an option's value may be.
std::string valueCase(std::string_view option, const std::vector<std::string_view>& choices) {
    return "        " + std::string(option) + ") choices='" + words(choices) + "' ;;\n";
}

} // namespace

std::string bashCompletion() {
    std::vector<std::string_view> options;
    std::vector<std::string_view> valued;
    for (const OptionSpec& option : kOptions) {
        if (option.takes == Takes::Operands) {
            continue;
        }
        options.push_back(option.name);
        if (!option.shortName.empty()) {
            options.push_back(option.shortName);
        }
        if (option.takes == Takes::Value) {
            valued.push_back(option.name);
        }
    }
    std::vector<std::string_view> selectors;
    for (const ModeSpec& mode : modeTable()) {
        if (!mode.selector.empty()) {
            selectors.push_back(mode.selector);
        }
    }
    const std::string valuedPattern = joined(valued, '|');
    const std::string selectorPattern = joined(selectors, '|');
    const std::vector<std::string_view> references(kReferencePresets.begin(),
                                                   kReferencePresets.end());
    const std::vector<std::string_view> settings(kFsbPresets.begin(), kFsbPresets.end());

    std::string script =
        "# bash completion for quenvale-calc: its options, their choices, and the\n"
        "# crystals and FSB settings of the window's lists.\n"
        "_quenvale_calc() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} choices\n"
        "    # --name=value: bash splits the word at the '='.\n"
        "    if [[ $cur == = ]]; then\n"
        "        cur=''\n"
        "    elif [[ $prev == = ]]; then\n"
        "        prev=${COMP_WORDS[COMP_CWORD-2]}\n"
        "    fi\n"
        "    case $prev in\n";
    script += valueCase("--format", formatNames(Format::Text, true));
    script += valueCase("--pci", captions(DividerGroup::Pci));
    script += valueCase("--agp", captions(DividerGroup::Agp));
    script += valueCase("--limit", limitNames());
    script += valueCase("--lang", languageCodes());
    script += valueCase("--ref", references);
    script += valueCase("--fsb", settings);
    script += "        " + valuedPattern + ") return ;;\n";
    script += "        *) choices='' ;;\n"
              "    esac\n"
              "    if [[ -n $choices ]]; then\n"
              "        COMPREPLY=($(compgen -W \"$choices\" -- \"$cur\"))\n"
              "        return\n"
              "    fi\n"
              "    if [[ $cur == -* ]]; then\n"
              "        COMPREPLY=($(compgen -W '" +
              words(options) +
              "' -- \"$cur\"))\n"
              "        return\n"
              "    fi\n"
              "    # A single case's operands: the crystal, then the FSB.\n"
              "    local i word operands=0\n"
              "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
              "        word=${COMP_WORDS[i]}\n"
              "        case $word in\n"
              "            " +
              selectorPattern +
              ") return ;;\n"
              "            " +
              valuedPattern +
              ") ((i++)) ;;\n"
              "            =) ;;\n"
              "            -?*) ;;\n"
              "            *) [[ ${COMP_WORDS[i-1]} == = ]] || ((operands++)) ;;\n"
              "        esac\n"
              "    done\n"
              "    case $operands in\n"
              "        0) choices='" +
              words(references) +
              "' ;;\n"
              "        1) choices='" +
              words(settings) +
              "' ;;\n"
              "        *) return ;;\n"
              "    esac\n"
              "    COMPREPLY=($(compgen -W \"$choices\" -- \"$cur\"))\n"
              "}\n"
              "complete -F _quenvale_calc quenvale-calc\n";
    return script;
}

} // namespace quenvale::cli
