// XmlLineWriter: the object document's line layout: one tag or attribute per CR LF line, blank lines after tags.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Collects the document's text. Every line ends with "\r\n". A start tag is "<name" on a line of its own at the
// element's indentation; each attribute follows on its own line, indented two blanks more; the last attribute
// line closes the tag with ">" or "/>" and an empty line follows. Values are written between double quotes as
// given: callers pass text through MakeXmlAttributeText and numbers through the formatting helpers below.
class XmlLineWriter {
public:
    // A line of text (without its line end) and the line end.
    void Line(std::string_view text);
    // An empty line.
    void EmptyLine() { text_ += "\r\n"; }
    // "<name" at `indent` blanks; the attributes that follow are indented indent + 2.
    void BeginTag(int indent, std::string_view name);
    // One attribute line: blanks, name, '=', the value in double quotes. Held back until the next attribute or
    // the tag's end, which closes it on the same line.
    void Attribute(std::string_view name, std::string_view value);
    void Attribute(std::string_view name, int32_t value);
    // Ends the start tag: ">" for an element with children, "/>" for an empty one, then an empty line. A tag
    // without attributes is closed on its own line.
    void EndTag(bool hasChildren);
    // "</name>" at `indent` blanks, then an empty line.
    void CloseTag(int indent, std::string_view name);

    const std::string& Text() const { return text_; }
    // Hands out the text collected so far and starts again empty (the writer keeps its place in an open tag).
    std::string Take();
    size_t Size() const { return text_.size(); }

private:
    void FlushAttribute(std::string_view close);

    std::string text_;
    std::string pending_;  // the last attribute line, not yet ended
    int attributeIndent_ = 0;
    bool inTag_ = false;
    bool hasPending_ = false;
};

// A 32-bit float as printf's "%g" (six significant digits, the shorter of fixed and exponent notation).
std::string FormatOffset(float value);
