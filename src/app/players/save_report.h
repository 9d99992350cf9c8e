#pragma once
// A failed write of one of the program's own files: said on stderr and in the
// error log, so a lost profile or setting does not go unnoticed.
#include <string>

// Clear errno before the save, so the reason given is that save's own.
void kv_report_failed_save(const std::string& path);
