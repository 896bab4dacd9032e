#include <runtime/catalogue.h>

#include <algorithm>

namespace quenvale {

namespace {

std::string_view in(Language language, const CatalogueEntry& entry) {
    return language == Language::Japanese ? entry.japanese : entry.english;
}

} // namespace

std::string_view tr(Language language, Message message) {
    return message.in(language);
}

std::string tr(Language language, Message message, std::initializer_list<Argument> arguments) {
    const std::string_view pattern = tr(language, message);
    std::string out;
    out.reserve(pattern.size());
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t open = pattern.find('{', i);
        const std::size_t close =
            open == std::string_view::npos ? open : pattern.find('}', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        out.append(pattern.substr(i, open - i));
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const auto argument =
            std::find_if(arguments.begin(), arguments.end(),
                         [name](const Argument& candidate) { return candidate.first == name; });
        // An argument's own braces are never read as placeholders: the
        // typed text is quoted in messages.
        out.append(argument != arguments.end() ? argument->second
                                               : pattern.substr(open, close - open + 1));
        i = close + 1;
    }
    out.append(pattern.substr(std::min(i, pattern.size())));
    return out;
}

std::optional<std::string_view> findText(Language language, std::string_view id,
                                         std::string_view context) {
    const auto key = [](const CatalogueEntry& entry) { return std::pair(entry.context, entry.id); };
    const auto found = std::lower_bound(
        kCatalogue.begin(), kCatalogue.end(), std::pair(context, id),
        [&](const CatalogueEntry& entry, const auto& wanted) { return key(entry) < wanted; });
    if (found == kCatalogue.end() || found->context != context || found->id != id) {
        return std::nullopt;
    }
    return in(language, *found);
}

std::string_view translated(Language language, std::string_view id) {
    return findText(language, id).value_or(id);
}

} // namespace quenvale
