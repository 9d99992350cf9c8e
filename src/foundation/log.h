#pragma once
// The program's three log files: debug (every line), event and error (time-stamped).
// Writers never look at the on/off switch: call sites ask is_enabled() first.
#include <functional>
#include <string>

#include "foundation/clock.h"

namespace Qx {

class Log {
public:
    using TimeSource = std::function<LocalTime()>;

    // Base name "vdrk" in directory (empty when null).
    explicit Log(const char* directory = nullptr);
    ~Log() = default;
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // The files are directory + base name + "_debug.log", "_error.log", "_event.log";
    // the directory is a plain prefix, no separator is added.
    void set_files(const std::string& directory, const std::string& base_name);

    // One switch for the whole program, so call sites may ask Log::is_enabled()
    // as well as g_log.is_enabled(). It starts off; building a Log leaves it alone.
    static void enable() { enabled_ = true; }
    static void disable() { enabled_ = false; }
    static bool is_enabled() { return enabled_; }

    const std::string& get_directory() const { return directory_; }
    const std::string& get_base_name() const { return base_name_; }
    const std::string& debug_path() const { return debug_path_; }
    const std::string& error_path() const { return error_path_; }
    const std::string& event_path() const { return event_path_; }

    void debug(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void event(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void event_raw(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void error_raw(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // "hh:mm:ss", "dd/mm/yyyy", "dd/mm/yyyy - hh:mm:ss" of the local time; each stays
    // valid until the same call (for the time, or a time-stamped writer) runs again.
    const char* time_text();
    const char* date_text();
    const char* date_time_text();

    // Where the local time comes from; an empty source restores the system's.
    void set_time_source(TimeSource source);

private:
    void write_to(const std::string& path, bool stamped, const std::string& text);
    LocalTime now() const;

    char time_text_[32] = {};
    char date_text_[32] = {};
    char date_time_text_[32] = {};
    std::string error_path_;
    std::string event_path_;
    std::string debug_path_;
    static bool enabled_;
    std::string base_name_;
    std::string directory_;
    TimeSource time_source_;
};

extern Log g_log;

// One line of text for the program's debug log, written only while logging is on.
void log_line(const char* text);

}  // namespace Qx
