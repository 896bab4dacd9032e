#include <rows/row_writer.h>
#include <web/calls.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <emscripten.h>

namespace quenvale {

int Arguments::number(std::size_t at) const {
    const std::string_view text = texts_[at];
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

JsonObject& JsonObject::json(std::string_view name, std::string_view value) {
    if (out_.size() > 1) {
        out_ += ',';
    }
    out_ += jsonString(name);
    out_ += ':';
    out_ += value;
    return *this;
}

JsonObject& JsonObject::text(std::string_view name, std::string_view value) {
    return json(name, jsonString(value));
}

JsonObject& JsonObject::number(std::string_view name, int value) {
    return json(name, std::to_string(value));
}

JsonObject& JsonObject::flag(std::string_view name, bool value) {
    return json(name, jsonFlag(value));
}

std::string JsonObject::close() {
    return out_ + '}';
}

std::string jsonFlag(bool value) {
    return value ? "true" : "false";
}

std::string jsonTexts(const std::vector<std::string>& texts) {
    return jsonArray(texts, [](const std::string& text) { return jsonString(text); });
}

namespace {

std::vector<unsigned char> request;
std::string reply;

std::array<std::span<const Call>, 3> everyCall() {
    return {windowCalls(), companionCalls(), planCalls()};
}

// The request's texts, each after its length; none where a length runs
// past the end.
std::vector<std::string_view> requestTexts() {
    std::vector<std::string_view> texts;
    std::size_t at = 0;
    while (request.size() - at >= 4) {
        std::uint32_t length = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            length |= static_cast<std::uint32_t>(request[at + i]) << (8 * i);
        }
        at += 4;
        if (length > request.size() - at) {
            return {};
        }
        texts.emplace_back(reinterpret_cast<const char*>(request.data() + at), length);
        at += length;
    }
    return at == request.size() ? texts : std::vector<std::string_view>{};
}

std::string run() {
    const std::vector<std::string_view> texts = requestTexts();
    if (texts.empty()) {
        return {};
    }
    for (const std::span<const Call> calls : everyCall()) {
        for (const Call& call : calls) {
            if (call.name == texts.front() && call.arguments == texts.size() - 1) {
                return call.reply(Arguments(std::span(texts).subspan(1)));
            }
        }
    }
    return {};
}

} // namespace

} // namespace quenvale

extern "C" {

EMSCRIPTEN_KEEPALIVE unsigned char* quenvale_request(std::size_t size) {
    quenvale::request.resize(size);
    return quenvale::request.data();
}

EMSCRIPTEN_KEEPALIVE const char* quenvale_call() {
    quenvale::reply = quenvale::run();
    return quenvale::reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* quenvale_calls() {
    std::vector<std::string> names;
    for (const std::span<const quenvale::Call> calls : quenvale::everyCall()) {
        for (const quenvale::Call& call : calls) {
            names.emplace_back(call.name);
        }
    }
    quenvale::reply = quenvale::jsonTexts(names);
    return quenvale::reply.c_str();
}

} // extern "C"
