// IniText: the lines of an INI settings file, read and edited so that every line not touched stays as it was.
#pragma once

#include <string>
#include <vector>

// Sections are "[name]" lines, values "name=value" lines; blank lines and lines starting with ';' or '#' are
// kept as they are. Section and value names are compared without regard to the case of A to Z (as the
// registry compares key and value names); a value's text is taken with the blanks around it removed and ends
// at the first zero byte, as a stored text value does. Any byte sequence parses: a line that is neither a
// section nor a value is kept and otherwise ignored.
class IniText {
public:
    IniText() = default;
    explicit IniText(const std::string& text);

    // True when at least one "[section]" line names the section.
    bool HasSection(const std::string& section) const;
    // The first value of that name in any of the section's blocks; false (value unchanged) when there is none.
    bool GetValue(const std::string& section, const std::string& name, std::string& value) const;
    // Replaces the first such value line with "name=value", or adds one at the end of the section's first
    // block. False (and nothing changed) when the section does not exist or the value holds a line break or a
    // zero byte.
    bool SetValue(const std::string& section, const std::string& name, const std::string& value);
    // Appends "[section]" (after a blank line when the text does not end with one); nothing when it exists.
    void AddSection(const std::string& section);

    // The whole text: the original lines with their own line ends, new lines with the file's line end.
    std::string ToString() const;

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\n", "\r\n" or "" (last line of a file without a final line end)
    };
    // The name of a "[name]" line, or false.
    static bool ParseSection(const std::string& line, std::string& name);
    // The name and value of a "name=value" line, or false.
    static bool ParseValue(const std::string& line, std::string& name, std::string& value);
    // Index of the first value line `name` inside blocks of `section`, or -1.
    long FindValueLine(const std::string& section, const std::string& name) const;
    void InsertLine(size_t at, const std::string& text);

    std::vector<Line> lines_;
    std::string newline_ = "\n";
};
