#pragma once

// The page's one way into the program. The page writes a call's name and
// its arguments as texts into the buffer quenvale_request() hands out,
// each text after its length (four bytes, little-endian); quenvale_call()
// runs it and replies with the JSON of what it returns. A call the program
// does not have, or one with the wrong number of arguments, replies with an
// empty text. quenvale_calls() replies with the JSON list of every call's
// name. A reply stays valid until the next call.
//
// Plain exports in place of a binding library: the module's JavaScript is
// a quarter of the size, and the start registers no types.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

// A call's arguments, as the page sent them: texts, numbers in decimal,
// and flags as "true" or "false".
class Arguments {
public:
    explicit Arguments(std::span<const std::string_view> texts) : texts_(texts) {}
    std::string text(std::size_t at) const { return std::string(texts_[at]); }
    // 0 for a text that is not a whole number.
    int number(std::size_t at) const;
    bool flag(std::size_t at) const { return texts_[at] == "true"; }

private:
    std::span<const std::string_view> texts_;
};

struct Call {
    std::string_view name; // "session.edit" is the page session's edit
    std::size_t arguments;
    std::string (*reply)(const Arguments&); // the JSON of what it returns
};

// The calls of the window, of the companion and of the planner.
std::span<const Call> windowCalls();
std::span<const Call> companionCalls();
std::span<const Call> planCalls();

// A JSON object written field by field, each field's value as JSON.
class JsonObject {
public:
    JsonObject& text(std::string_view name, std::string_view value);
    JsonObject& number(std::string_view name, int value);
    JsonObject& flag(std::string_view name, bool value);
    JsonObject& json(std::string_view name, std::string_view value);
    std::string close();

private:
    std::string out_ = "{";
};

std::string jsonFlag(bool value);

// The JSON array of the items, each written by `write`.
template <typename Item, typename Write>
std::string jsonArray(const std::vector<Item>& items, Write write) {
    std::string out = "[";
    for (const Item& item : items) {
        if (out.size() > 1) {
            out += ',';
        }
        out += write(item);
    }
    return out + ']';
}

std::string jsonTexts(const std::vector<std::string>& texts);

} // namespace quenvale
