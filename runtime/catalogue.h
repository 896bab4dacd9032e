#pragma once

#include <runtime/catalogue_table.h>
#include <runtime/language.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quenvale {

// Never defined and not constexpr: a call to it in a constant expression
// is what stops the build at a text missing from the catalogue.
void messageMissingFromQuenvalePot();

// One message of the catalogue (po/*.po), named in the source by its
// Japanese text, gettext style, and a context where one Japanese text needs
// two translations. The constructor runs at compile time: a text that is
// not in the catalogue does not compile. A message holds its two texts, not
// a place in the catalogue, so that a program holds only the texts it uses.
class Message {
public:
    consteval Message(const char* id, const char* context = "")
        : Message(entry(id, context)) {}

    // A text the catalogue may not hold (a caption that is a number or a
    // unit, an empty tool tip): its translations where it does, else the
    // text itself in every language.
    static consteval Message orItself(std::string_view id) {
        for (const CatalogueEntry& candidate : kCatalogue) {
            if (candidate.id == id && candidate.context.empty()) {
                return Message(candidate);
            }
        }
        return Message(CatalogueEntry{{}, id, id, id});
    }

    std::string_view in(Language language) const {
        return language == Language::Japanese ? japanese_ : english_;
    }

private:
    consteval explicit Message(const CatalogueEntry& found)
        : japanese_(found.japanese), english_(found.english) {}

    static consteval const CatalogueEntry& entry(std::string_view id, std::string_view context) {
        for (const CatalogueEntry& candidate : kCatalogue) {
            if (candidate.id == id && candidate.context == context) {
                return candidate;
            }
        }
        // Reached only for a text missing from the catalogue: not a
        // constant expression, so the build stops here.
        messageMissingFromQuenvalePot();
        return kCatalogue.front();
    }

    std::string_view japanese_;
    std::string_view english_;
};

// The message in the language.
std::string_view tr(Language language, Message message);

// The message in the language with its {name} placeholders filled in.
using Argument = std::pair<std::string_view, std::string_view>;
std::string tr(Language language, Message message, std::initializer_list<Argument> arguments);

// A text known only at run time (a caption of the control table), looked up
// by its id; none when the catalogue does not hold it.
std::optional<std::string_view> findText(Language language, std::string_view id,
                                         std::string_view context = {});

// The text in the language where the catalogue holds it, else the text
// itself (a number, a unit).
std::string_view translated(Language language, std::string_view id);

} // namespace quenvale
