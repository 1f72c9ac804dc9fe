// The lines of the request log. Each request shows only the fields it uses,
// names bounded by their fields, and ends with "-> ok" or "-> <errno symbol>":
//
//   open /dev/zl0 flags=0x2 -> ok
//   zl0 ZLIOGSEG cursor=0x5a1e00000000a001 -> ok
//   zl0 ZLIOASEG name=ce unit=0 flags=0x00001110 -> ok
//   zl0 ZLIOATL name=ce unit=1 eaddr=02:00:00:0a:0b:0c -> EEXIST
//   zl0 unknown-code 0x12345678 -> EINVAL
//   close zl0
#pragma once

#include <string>

#include "model/request_record.h"

namespace model {

// How a line names a descriptor the driver does not know: "fd=12".
std::string unknown_descriptor(int fd);

std::string log_line(const request_record& record);

}  // namespace model
