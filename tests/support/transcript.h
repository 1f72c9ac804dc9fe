// A transcript: a configuration, a driver state, the command, and everything
// a run of the built zlconf must produce against the stand-in driver.
//
// Sections start with a line "== <name>" and hold the lines after it. In every
// section "\t", "\r", "\n", "\\" and "\xNN" stand for those bytes, and a
// backslash at the very end of a line drops that line's newline.
#pragma once

#include <map>
#include <string>
#include <vector>

struct transcript {
    std::string title;               // the comment lines before the first section
    std::vector<std::string> order;  // section names as they stand in the file
    std::map<std::string, std::string> sections;

    bool has(const std::string& name) const { return sections.contains(name); }
    const std::string& at(const std::string& name) const { return sections.at(name); }
    std::string value_or(const std::string& name, const std::string& otherwise = "") const {
        return has(name) ? at(name) : otherwise;
    }
};

transcript read_transcript(const std::string& path);

/// The text of a section as it would be written in a transcript.
std::string escape_section(const std::string& text);
void write_transcript(const std::string& path, const transcript& t);
