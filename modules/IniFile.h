// SPDX-License-Identifier: MIT
#pragma once

// The settings file's text: sections of key=value lines, in the layout that
// earlier versions of the program wrote (section and key names escaped with
// %XX, %UXXXX and '\' for '/'), so that users' files keep working.
//
// A document remembers each section's lines as they were read, so a section
// the program does not change is written back byte for byte. Lines it cannot
// understand (no '=', an unclosed quote, a broken section header and what
// follows it) make the document unclean and are dropped when it is written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::ini {

// A section's or key's name as the file spells it, and back.
std::string escapedName(std::string_view name);
std::string unescapedName(std::string_view spelt);

// A value as the file spells it, and back. A hand-edited value that would
// be a list ("1,2") or a typed value ("@Rect(...)") reads as its text.
std::string escapedValue(std::string_view value);
std::optional<std::string> unescapedValue(std::string_view spelt);

class Document
{
public:
    static Document parse(std::string_view text);

    // False when some line of the text read was not understood.
    bool clean() const { return m_clean; }

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the key's last line, or adds a line at the end of the section
    // (a new section at the end of the document).
    void set(std::string_view section, std::string_view key, std::string_view value);
    void removeSection(std::string_view section);
    bool hasSection(std::string_view section) const;

    std::string text() const;

private:
    struct Line
    {
        std::string key; // unescaped; empty for comments and blank lines
        std::string value; // unescaped
        std::string raw; // as read or as written
    };
    struct Section
    {
        std::string name; // unescaped; the lines before the first header have none
        std::string header;
        std::vector<Line> lines;
        bool added = false; // by set(): stands apart from the one before by a blank line
    };

    std::vector<Section> m_sections;
    bool m_clean = true;
};

} // namespace orv::ini
