#include "run.h"

int main(int argc, char** argv) {
    return zlconf_main(argc, argv);
}
