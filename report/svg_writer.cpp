#include <report/svg_writer.h>
#include <runtime/utf8.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quenvale {

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\uFFFD";
            ++i;
            continue;
        }
        const std::string_view sequence = text.substr(i, length);
        i += length;
        const auto lead = static_cast<unsigned char>(sequence[0]);
        if (length == 1) {
            switch (sequence[0]) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // XML has no place for most control characters, not even
                // as references.
                out += lead < 0x20 || lead == 0x7F ? ' ' : sequence[0];
            }
        } else if (length == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0) {
            out += ' ';
        } else if (sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF") {
            out += "\uFFFD";
        } else {
            out += sequence;
        }
    }
    return out;
}

std::string svgNumber(double value) {
    const auto hundredths = static_cast<std::int64_t>(std::llround(value * 100));
    const std::uint64_t magnitude = hundredths < 0 ? static_cast<std::uint64_t>(-hundredths)
                                                   : static_cast<std::uint64_t>(hundredths);
    std::array<char, 32> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), magnitude / 100).ptr;
    std::string out = hundredths < 0 ? "-" : "";
    out.append(digits.data(), end);
    const std::uint64_t fraction = magnitude % 100;
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            out += static_cast<char>('0' + fraction % 10);
        }
    }
    return out;
}

namespace {

// "<name a="v" b="w"": an element's start tag without its closing bracket,
// the values escaped.
std::string svgStartTag(std::string_view name, const SvgAttributes& attributes) {
    // Appended piece by piece: GCC 12 at -O3 reports a false -Wrestrict on
    // a short literal joined to a std::string with operator+ (GCC bug 105329).
    std::string tag(1, '<');
    tag += name;
    for (const SvgAttribute& attribute : attributes) {
        tag += ' ';
        tag += attribute.name;
        tag += R"(=")";
        tag += escapeXml(attribute.value);
        tag += '"';
    }
    return tag;
}

// An element inside the root, on one line, but a group, whose elements
// each have a line of their own: empty ones closed in their start tag.
void writeElement(std::string& out, const SvgElement& element) {
    out += svgStartTag(element.name, element.attributes);
    if (element.text.empty() && element.children.empty()) {
        out += "/>";
        return;
    }
    out += '>';
    out += escapeXml(element.text);
    const bool group = element.name == "g";
    for (const SvgElement& child : element.children) {
        if (group) {
            out += '\n';
        }
        writeElement(out, child);
    }
    if (group) {
        out += '\n';
    }
    out += "</";
    out += element.name;
    out += '>';
}

SvgAttributes given(SvgAttributes attributes) {
    std::erase_if(attributes, [](const SvgAttribute& attribute) { return attribute.value.empty(); });
    return attributes;
}

} // namespace

std::string svgDocument(const SvgElement& root) {
    std::string out = R"(<?xml version="1.0" encoding="UTF-8"?>)"
                      "\n";
    out += svgStartTag(root.name, root.attributes) + ">\n";
    for (const SvgElement& element : root.children) {
        writeElement(out, element);
        out += '\n';
    }
    out += "</";
    out += root.name;
    out += ">\n";
    return out;
}

void SvgWriter::open(const SvgAttributes& attributes) {
    inGroup_ = false;
    root_ = {.name = "svg", .attributes = given(attributes), .text = {}, .children = {}};
}

void SvgWriter::element(std::string_view name, const SvgAttributes& attributes,
                        std::string_view text) {
    into().push_back({.name = std::string(name),
                              .attributes = given(attributes),
                              .text = std::string(text),
                              .children = {}});
}

void SvgWriter::empty(std::string_view name, const SvgAttributes& attributes) {
    element(name, attributes, {});
}

void SvgWriter::titled(std::string_view name, const SvgAttributes& attributes,
                       std::string_view title) {
    empty(name, attributes);
    into().back().children.push_back(
        {.name = "title", .attributes = {}, .text = std::string(title), .children = {}});
}

void SvgWriter::beginGroup(const SvgAttributes& attributes) {
    endGroup();
    element("g", attributes, {});
    inGroup_ = true;
}

void SvgWriter::line(double x1, double y1, double x2, double y2, SvgAttributes attributes) {
    attributes.insert(attributes.begin(), {{"x1", svgNumber(x1)},
                                           {"y1", svgNumber(y1)},
                                           {"x2", svgNumber(x2)},
                                           {"y2", svgNumber(y2)}});
    empty("line", attributes);
}

void SvgWriter::rect(double x, double y, double width, double height, SvgAttributes attributes) {
    attributes.insert(attributes.begin(), {{"x", svgNumber(x)},
                                           {"y", svgNumber(y)},
                                           {"width", svgNumber(width)},
                                           {"height", svgNumber(height)}});
    empty("rect", attributes);
}

void SvgWriter::text(double x, double y, std::string_view content, SvgAttributes attributes) {
    attributes.insert(attributes.begin(), {{"x", svgNumber(x)}, {"y", svgNumber(y)}});
    element("text", attributes, content);
}

} // namespace quenvale
