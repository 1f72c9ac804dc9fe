// The audit trail: one line per outcome of an apply (applied, kept, rolled
// back and why, rollback incomplete) in the system log, naming the file and
// the links changed.
#pragma once

#include <string>

namespace apply {

enum class audit_level { notice, warning, error };

/// Abstract so that tests see the lines. The real one, system_audit(),
/// writes them with syslog(3) as "zlapply".
class audit_log {
public:
    virtual ~audit_log() = default;
    virtual void line(audit_level level, const std::string& text) = 0;
};

audit_log& system_audit();

}  // namespace apply
