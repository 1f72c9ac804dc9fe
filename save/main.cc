#include "save/save_run.h"

int main(int argc, char** argv) {
    return save::zlsave_main(argc, argv);
}
