#include "foundation/log.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/path.h"

namespace Qx {

bool Log::enabled_ = false;

Log g_log;

void log_line(const char* text) {
    if (Log::is_enabled()) g_log.debug("%s", text);
}

namespace {

// Formats once, so that each file gets the same text and no va_list is used twice.
std::string format_text(const char* format, va_list args) {
    if (!format) return std::string();
    va_list probe;
    va_copy(probe, args);
    int n = vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    if (n <= 0) return std::string();
    std::string text(size_t(n) + 1, '\0');
    vsnprintf(&text[0], text.size(), format, args);
    text.resize(size_t(n));
    return text;
}

}  // namespace

Log::Log(const char* directory) { set_files(directory ? directory : "", "vdrk"); }

void Log::set_files(const std::string& directory, const std::string& base_name) {
    directory_ = directory;
    base_name_ = base_name;
    debug_path_ = directory_ + base_name_ + "_debug.log";
    error_path_ = directory_ + base_name_ + "_error.log";
    event_path_ = directory_ + base_name_ + "_event.log";
}

void Log::set_time_source(TimeSource source) { time_source_ = std::move(source); }

LocalTime Log::now() const { return time_source_ ? time_source_() : local_time_now(); }

void Log::write_to(const std::string& path, bool stamped, const std::string& text) {
    FILE* f = fopen(native_path(path).c_str(), "a");
    if (!f) return;
    if (stamped) fprintf(f, "%s: ", time_text());
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

void Log::debug(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    write_to(debug_path_, false, text);
}

void Log::event(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    write_to(event_path_, true, text);
    write_to(debug_path_, false, text);
}

void Log::error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    write_to(error_path_, true, text);
    write_to(debug_path_, false, text);
}

void Log::event_raw(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    write_to(event_path_, false, text);
    write_to(debug_path_, false, text);
}

void Log::error_raw(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    write_to(error_path_, false, text);
    write_to(debug_path_, false, text);
}

const char* Log::time_text() {
    LocalTime t = now();
    snprintf(time_text_, sizeof time_text_, "%.2d:%.2d:%.2d", t.hour, t.minute, t.second);
    return time_text_;
}

const char* Log::date_text() {
    LocalTime t = now();
    snprintf(date_text_, sizeof date_text_, "%.2d/%.2d/%.4d", t.day, t.month, t.year);
    return date_text_;
}

const char* Log::date_time_text() {
    LocalTime t = now();
    snprintf(date_time_text_, sizeof date_time_text_, "%.2d/%.2d/%.4d - %.2d:%.2d:%.2d", t.day, t.month, t.year,
             t.hour, t.minute, t.second);
    return date_time_text_;
}

}  // namespace Qx
