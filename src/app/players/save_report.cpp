#include "app/players/save_report.h"

#include <cerrno>
#include <cstdio>

#include "foundation/log.h"
#include "foundation/path.h"

void kv_report_failed_save(const std::string& path) {
    // Some refusals (a folder where the file belongs) leave no system error to tell.
    const std::string reason = errno ? ": " + Qx::last_error_text() : std::string();
    std::fprintf(stderr, "Could not save %s%s\n", path.c_str(), reason.c_str());
    if (Qx::Log::is_enabled()) Qx::g_log.error("Could not save %s%s\n", path.c_str(), reason.c_str());
}
