#include "plan/syntax_error_place.h"

namespace plan {

void syntax_error_place::at_error(const syntax_error_report& report) {
    taken_ = {report.offset, source_.point_at(report.offset), source_.quote_at(report.offset)};
}

}  // namespace plan
