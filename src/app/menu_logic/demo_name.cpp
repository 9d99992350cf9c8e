#include "app/menu_logic/demo_name.h"

#include "foundation/path.h"

const char* const KV_TEXT_EMPTY_DEMO_NAME = "You should enter non empty demo name to save it.";
const char* const KV_TEXT_DEMO_NAME_SEPARATOR = "A demo name can't hold '/' or '\\'.";
const char* const KV_TEXT_DEMO_NOT_SAVED = "This demo can't be saved.";

std::string kv_text_demo_exists(const std::string& file_name) {
    return "The demo with name: '" + file_name + "' is allready exist.\nOverwrite the demo ?";
}

std::string kv_text_demo_write_failed(const std::string& file_name) {
    return "The demo could not be written to '" + file_name + "'.";
}

KV_DemoNameProblem kv_demo_file_name(const std::string& typed, std::string& file_name) {
    file_name.clear();
    if (typed.empty()) return KV_DemoNameProblem::Empty;
    if (typed.find_first_of("/\\") != std::string::npos) return KV_DemoNameProblem::Separator;
    std::string name = typed;
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    const std::string ext = ".kvd";
    if (name.size() < ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0) name += ext;
    file_name = name;
    return KV_DemoNameProblem::None;
}

std::string kv_save_demo(const KV_Demo& demo, KV_SaveDemoUi& ui, const std::string& folder) {
    while (ui.run_dialog()) {
        std::string name;
        const KV_DemoNameProblem problem = kv_demo_file_name(ui.typed_name(), name);
        if (problem != KV_DemoNameProblem::None) {
            ui.message("Error", problem == KV_DemoNameProblem::Empty ? KV_TEXT_EMPTY_DEMO_NAME : KV_TEXT_DEMO_NAME_SEPARATOR,
                       "OK");
            continue;
        }
        std::string path = folder + name;
        // The file already there under another case is the one to overwrite.
        const std::string existing = Qx::resolve_existing_path(path);
        if (!existing.empty() && Qx::file_exists(existing)) {
            if (ui.message("Warning", kv_text_demo_exists(name), "OK", "Cancel") != 1) continue;
            path = existing;
        }
        Qx::BtsFolderPtr tree = demo.Save();
        if (!tree) {
            ui.message("Error", KV_TEXT_DEMO_NOT_SAVED, "OK");
            continue;
        }
        if (!tree->save(path)) {
            ui.message("Error", kv_text_demo_write_failed(name), "OK");
            continue;
        }
        return path;
    }
    return std::string();
}
