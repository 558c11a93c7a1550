// IniText: parsing and editing an INI text line by line.
#include "app/IniText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string Trim(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

IniText::IniText(const std::string& text) {
    size_t pos = 0;
    bool sawEnd = false;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        Line line;
        if (nl == std::string::npos) {
            line.text = text.substr(pos);
            pos = text.size();
        } else {
            line.text = text.substr(pos, nl - pos);
            line.end = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.end = "\r\n";
            }
            pos = nl + 1;
            // New lines follow the convention of the file's first line.
            if (!sawEnd) newline_ = line.end;
            sawEnd = true;
        }
        lines_.push_back(std::move(line));
    }
}

bool IniText::ParseSection(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool IniText::ParseValue(const std::string& line, std::string& name, std::string& value) {
    std::string t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[') return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    name = Trim(t.substr(0, eq));
    if (name.empty()) return false;
    value = Trim(t.substr(eq + 1));
    size_t zero = value.find('\0');
    if (zero != std::string::npos) value.resize(zero);
    return true;
}

bool IniText::HasSection(const std::string& section) const {
    std::string name;
    for (const Line& l : lines_)
        if (ParseSection(l.text, name) && SameName(name, section)) return true;
    return false;
}

long IniText::FindValueLine(const std::string& section, const std::string& name) const {
    bool inside = false;
    std::string found;
    std::string value;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (ParseSection(lines_[i].text, found)) {
            inside = SameName(found, section);
            continue;
        }
        if (inside && ParseValue(lines_[i].text, found, value) && SameName(found, name)) return static_cast<long>(i);
    }
    return -1;
}

bool IniText::GetValue(const std::string& section, const std::string& name, std::string& value) const {
    long at = FindValueLine(section, name);
    if (at < 0) return false;
    std::string found;
    return ParseValue(lines_[static_cast<size_t>(at)].text, found, value);
}

void IniText::InsertLine(size_t at, const std::string& text) {
    // The line before a new one must end, or the two would run together.
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newline_;
    lines_.insert(lines_.begin() + static_cast<long>(at), Line{text, newline_});
}

bool IniText::SetValue(const std::string& section, const std::string& name, const std::string& value) {
    if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
    std::string line = name + "=" + value;
    long at = FindValueLine(section, name);
    if (at >= 0) {
        lines_[static_cast<size_t>(at)].text = line;
        return true;
    }
    // After the last non-blank line of the section's first block.
    std::string found;
    std::string ignored;
    long header = -1;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (ParseSection(lines_[i].text, found) && SameName(found, section)) {
            header = static_cast<long>(i);
            break;
        }
    }
    if (header < 0) return false;
    size_t insertAt = static_cast<size_t>(header) + 1;
    for (size_t i = insertAt; i < lines_.size() && !ParseSection(lines_[i].text, found); ++i)
        if (!Trim(lines_[i].text).empty()) insertAt = i + 1;
    InsertLine(insertAt, line);
    return true;
}

void IniText::AddSection(const std::string& section) {
    if (HasSection(section)) return;
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + section + "]");
}

std::string IniText::ToString() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.text;
        out += l.end;
    }
    return out;
}
