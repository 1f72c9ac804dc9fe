#include "plan/plan_run.h"

int main(int argc, char** argv) {
    return plan::zlplan_main(argc, argv);
}
