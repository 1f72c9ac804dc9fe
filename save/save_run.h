// One run of zlsave, from the command line to the exit status.
#pragma once

namespace save {

/// Exit status: 0 saved (warnings included), 1 a link device that cannot be
/// opened or a link that cannot be read, 2 wrong arguments.
int zlsave_main(int argc, char** argv);

}  // namespace save
