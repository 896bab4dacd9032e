#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

// Text made safe for XML character data and attribute values: markup
// characters as entities, control characters as spaces, bytes that are not
// UTF-8 (and the non-characters U+FFFE, U+FFFF) as U+FFFD.
std::string escapeXml(std::string_view text);

// A coordinate with at most two decimals; locale-free and the same on every
// machine.
std::string svgNumber(double value);

// An attribute of an element; one with an empty value is left out.
struct SvgAttribute {
    std::string_view name;
    std::string value;
};
using SvgAttributes = std::vector<SvgAttribute>;

// "<name a="v" b="w"": an element's start tag without its closing bracket,
// the values escaped.
std::string svgStartTag(std::string_view name, const SvgAttributes& attributes);

// An SVG document written element by element: the geometry's numbers as
// svgNumber writes them, every text escaped. The same calls give the same
// bytes.
class SvgWriter {
public:
    // The XML declaration and the <svg> start tag with these attributes.
    void open(const SvgAttributes& attributes);
    // <name ...>text</name>, on a line of its own.
    void element(std::string_view name, const SvgAttributes& attributes, std::string_view text);
    // <name .../>.
    void empty(std::string_view name, const SvgAttributes& attributes);
    void line(double x1, double y1, double x2, double y2, SvgAttributes attributes);
    void rect(double x, double y, double width, double height, SvgAttributes attributes);
    void text(double x, double y, std::string_view content, SvgAttributes attributes = {});
    // Markup written as it is: what the other calls do not cover.
    void raw(std::string_view markup) { out_ += markup; }
    // The document, closed.
    std::string close();

private:
    std::string out_;
};

} // namespace quenvale
