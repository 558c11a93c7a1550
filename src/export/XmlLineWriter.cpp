// XmlLineWriter: start tags, attribute lines and end tags of the object document.
#include "export/XmlLineWriter.h"

#include <cstdio>

void XmlLineWriter::Line(std::string_view text) {
    text_ += text;
    text_ += "\r\n";
}

void XmlLineWriter::BeginTag(int indent, std::string_view name) {
    text_.append(static_cast<size_t>(indent), ' ');
    text_ += '<';
    text_ += name;
    attributeIndent_ = indent + 2;
    inTag_ = true;
    hasPending_ = false;
}

void XmlLineWriter::FlushAttribute(std::string_view close) {
    if (hasPending_) {
        text_ += "\r\n";
        text_ += pending_;
    }
    text_ += close;
    text_ += "\r\n";
    hasPending_ = false;
}

void XmlLineWriter::Attribute(std::string_view name, std::string_view value) {
    if (hasPending_) {
        text_ += "\r\n";
        text_ += pending_;
    }
    pending_.assign(static_cast<size_t>(attributeIndent_), ' ');
    pending_ += name;
    pending_ += "=\"";
    pending_ += value;
    pending_ += '"';
    hasPending_ = true;
}

void XmlLineWriter::Attribute(std::string_view name, int32_t value) { Attribute(name, std::to_string(value)); }

void XmlLineWriter::EndTag(bool hasChildren) {
    if (!inTag_) return;
    FlushAttribute(hasChildren ? ">" : "/>");
    inTag_ = false;
    EmptyLine();
}

void XmlLineWriter::CloseTag(int indent, std::string_view name) {
    text_.append(static_cast<size_t>(indent), ' ');
    text_ += "</";
    text_ += name;
    text_ += ">\r\n";
    EmptyLine();
}

std::string XmlLineWriter::Take() {
    std::string out;
    out.swap(text_);
    return out;
}

std::string FormatOffset(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    return buffer;
}
