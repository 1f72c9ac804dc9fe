#include "requests.h"

const char* request_name(std::uint32_t code) {
    switch (code) {
        case ZLIOATL: return "ZLIOATL";
        case ZLIOGTL: return "ZLIOGTL";
        case ZLIOGSEG: return "ZLIOGSEG";
        case ZLIOGLINK: return "ZLIOGLINK";
        case ZLIOSSEG: return "ZLIOSSEG";
        case ZLIOSMODE: return "ZLIOSMODE";
        case ZLIODLINK: return "ZLIODLINK";
        case ZLIOELINK: return "ZLIOELINK";
        case ZLIODSEG: return "ZLIODSEG";
        case ZLIOASEG: return "ZLIOASEG";
        case ZLIOCLINK: return "ZLIOCLINK";
        default: return nullptr;
    }
}
