// Makes the fuzz targets' seed corpora from the end-to-end transcripts and the
// examples: for the grammar target the configuration, for the whole-run target
// the configuration, a NUL and the transcript's driver state and failures.
//
//   seed_maker <transcript dir> <examples dir> <corpus dir>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "driver_script.h"
#include "model/state_file.h"
#include "transcript.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string first_line(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

void make_seeds(const fs::path& corpus, const std::string& name, const std::string& config,
                const std::string& state, const std::string& failures) {
    write_file(corpus / "grammar" / name, config);
    const driver_script script{std::string::npos, failures, model::parse_state(state)};
    write_file(corpus / "whole_run" / name, config + '\0' + encode_driver_script(script));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: seed_maker <transcript dir> <examples dir> <corpus dir>\n";
        return 2;
    }
    const fs::path corpus = argv[3];
    fs::create_directories(corpus / "grammar");
    fs::create_directories(corpus / "whole_run");
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        if (entry.path().extension() != ".t") continue;
        const transcript t = read_transcript(entry.path());
        const bool from_stdin = t.has("args") && first_line(t.at("args")) == "-";
        const std::string config = from_stdin        ? t.at("stdin")
                                   : t.has("config") ? t.at("config")
                                                     : "";
        if (config.empty()) continue;
        make_seeds(corpus, entry.path().stem().string(), config,
                   t.has("state") ? t.at("state") : "",
                   t.has("fail") ? first_line(t.at("fail")) : "");
    }
    for (const auto& entry : fs::directory_iterator(argv[2])) {
        if (entry.path().extension() != ".conf") continue;
        fs::path state = entry.path();
        state.replace_extension(".state");
        make_seeds(corpus, "example_" + entry.path().stem().string(), read_file(entry.path()),
                   fs::exists(state) ? read_file(state) : "", "");
    }
    return 0;
}
