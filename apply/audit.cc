#include "apply/audit.h"

#include <syslog.h>

namespace apply {

namespace {

class syslog_audit final : public audit_log {
public:
    void line(audit_level level, const std::string& text) override {
        if (!opened_) {
            ::openlog("zlapply", LOG_PID, LOG_USER);
            opened_ = true;
        }
        const int priority = level == audit_level::notice    ? LOG_NOTICE
                             : level == audit_level::warning ? LOG_WARNING
                                                             : LOG_ERR;
        ::syslog(priority, "%s", text.c_str());
    }

private:
    bool opened_ = false;
};

}  // namespace

audit_log& system_audit() {
    static syslog_audit audit;
    return audit;
}

}  // namespace apply
