#pragma once
// Saving the last game as a demo file: the typed name becomes a file name, an
// existing file is only overwritten after a question, and every failure is
// told and offers the name dialog again.
#include <cstdint>
#include <string>

#include "game/play/demo.h"

enum class KV_DemoNameProblem { None, Empty, Separator };

// Lower-case A-Z; ".kvd" appended unless the name already ends in it exactly.
// An empty name, or one holding '/' or '\', is refused (file_name then empty).
KV_DemoNameProblem kv_demo_file_name(const std::string& typed, std::string& file_name);

// The dialogs the saving goes through.
class KV_SaveDemoUi {
public:
    virtual ~KV_SaveDemoUi() = default;
    // Runs the name dialog once; true only when it was accepted. The typed
    // text stays in the dialog for the next run.
    virtual bool run_dialog() = 0;
    virtual std::string typed_name() = 0;
    // The message box: the number of the button pressed (1 = first), -1 for Escape.
    virtual int32_t message(const std::string& title, const std::string& text, const std::string& caption1,
                            const std::string& caption2 = std::string()) = 0;
};

extern const char* const KV_TEXT_EMPTY_DEMO_NAME;
extern const char* const KV_TEXT_DEMO_NAME_SEPARATOR;
extern const char* const KV_TEXT_DEMO_NOT_SAVED;
std::string kv_text_demo_exists(const std::string& file_name);
std::string kv_text_demo_write_failed(const std::string& file_name);

// Asks for a name and writes the demo into folder ("Demos\"); the path
// written, empty when the dialog was left without saving. A name that matches
// an existing file ignoring case writes that file.
std::string kv_save_demo(const KV_Demo& demo, KV_SaveDemoUi& ui, const std::string& folder);
