#include "globals.h"

link_desc* zl = nullptr;
seg_desc* working_seg = nullptr;
int linkfp = 0;
std::int64_t lineno = 1;
