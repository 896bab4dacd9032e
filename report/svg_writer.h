#pragma once

#include <string>
#include <string_view>
#include <utility>
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

// An element of an SVG document: its attributes (none with an empty value),
// its text, then the elements inside it.
struct SvgElement {
    std::string name;
    SvgAttributes attributes;
    std::string text;
    std::vector<SvgElement> children;
};

// The document as its bytes: the XML declaration, then the root's start tag
// and each element inside it on a line of its own. The same tree gives the
// same bytes.
std::string svgDocument(const SvgElement& root);

// An SVG document built element by element: the geometry's numbers as
// svgNumber writes them. The texts are escaped when it is written out.
class SvgWriter {
public:
    // The <svg> element with these attributes.
    void open(const SvgAttributes& attributes);
    // <name ...>text</name>, or <name .../> without a text.
    void element(std::string_view name, const SvgAttributes& attributes, std::string_view text);
    // <name .../>.
    void empty(std::string_view name, const SvgAttributes& attributes);
    // <name ...><title>title</title></name>: an element with its tool tip.
    void titled(std::string_view name, const SvgAttributes& attributes, std::string_view title);
    void line(double x1, double y1, double x2, double y2, SvgAttributes attributes);
    void rect(double x, double y, double width, double height, SvgAttributes attributes);
    void text(double x, double y, std::string_view content, SvgAttributes attributes = {});
    // What is written from here to endGroup() goes inside a <g> with these
    // attributes, which it inherits: many elements' shared fill and stroke
    // written once. Groups do not nest: a new one ends the one open.
    void beginGroup(const SvgAttributes& attributes);
    void endGroup() { inGroup_ = false; }
    // The document's tree, the writer left empty.
    SvgElement close() {
        inGroup_ = false;
        return std::exchange(root_, {});
    }

private:
    std::vector<SvgElement>& into() {
        return inGroup_ ? root_.children.back().children : root_.children;
    }

    SvgElement root_;
    bool inGroup_ = false;
};

} // namespace quenvale
