#include "transcript.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::runtime_error("bad \\x escape in transcript");
}

// One line of a section, newline included unless it ends in a backslash.
std::string unescape_line(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out += line[i];
            continue;
        }
        if (++i == line.size()) return out;  // no newline
        switch (line[i]) {
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            case '0': out += '\0'; break;
            case '\\': out += '\\'; break;
            case 'x':
                if (i + 2 >= line.size())
                    throw std::runtime_error("short \\x escape in transcript");
                out += static_cast<char>(hex_value(line[i + 1]) * 16 + hex_value(line[i + 2]));
                i += 2;
                break;
            default: throw std::runtime_error("unknown escape in transcript: " + line);
        }
    }
    return out + '\n';
}

}  // namespace

transcript read_transcript(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    transcript t;
    std::string line;
    std::string* current = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("== ", 0) == 0) {
            const std::string name = line.substr(3);
            t.order.push_back(name);
            current = &t.sections[name];
        } else if (current != nullptr) {
            *current += unescape_line(line);
        } else {
            t.title += line + '\n';
        }
    }
    return t;
}

std::string escape_section(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += '\n'; break;
            default:
                if (byte < 0x20 || byte >= 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02x", byte);
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    if (!out.empty() && out.back() != '\n') out += "\\\n";
    return out;
}

void write_transcript(const std::string& path, const transcript& t) {
    std::ostringstream out;
    out << t.title;
    for (const std::string& name : t.order)
        out << "== " << name << '\n' << escape_section(t.at(name));
    std::ofstream(path) << out.str();
}
