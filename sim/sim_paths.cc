#include "sim/sim_paths.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace sim {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string default_state_path() {
    const std::string chosen = environment("ZLSIM_STATE");
    return chosen.empty() ? std::string("zlsim.state") : chosen;
}

std::string log_path_for(const std::string& state_path) {
    return state_path + ".log";
}

std::string own_path() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

std::string own_directory() {
    const std::string self = own_path();
    return self.empty() ? std::string(".") : fs::path(self).parent_path().string();
}

// Absolute and canonical, so that the command reaches it from any directory,
// and the path checked is the path preloaded.
std::string preload_library() {
    const std::string chosen = environment("ZLSIM_PRELOAD");
    if (!chosen.empty()) {
        std::error_code error;
        const fs::path found = fs::canonical(chosen, error);
        return error ? chosen : found.string();
    }
    const fs::path here = own_directory();
    // Installed: bin/zlsim and lib/.../zlconf/sim/; built: zlsim and standin/.
    for (const fs::path& candidate :
         {here / ZLSIM_PRELOAD_FROM_BINDIR, here / "standin" / "libstandin_preload.so"}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            return fs::canonical(candidate, error).string();
        }
    }
    return {};
}

std::string preload_problem(const std::string& library) {
    // Loaded privately and at once, so that nothing of it reaches zlsim's own
    // calls; unloaded again before the command starts.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return "cannot load the simulated driver's library: " +
               (why != nullptr ? std::string(why) : library);
    }
    const bool marked = dlsym(handle, kStandinMarker) != nullptr;
    dlclose(handle);
    if (!marked) return library + " is not the simulated driver's library";
    return {};
}

}  // namespace sim
