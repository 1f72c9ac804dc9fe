#include "sim/preload_check.h"

#include <dlfcn.h>

namespace sim {

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
