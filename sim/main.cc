#include "sim/sim_run.h"

int main(int argc, char** argv) {
    return sim::zlsim_main(argc, argv);
}
