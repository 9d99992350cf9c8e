// The style factory every GUI of the program is built on: each component of a known
// type name gets one style object of the program's own look.
#pragma once

#include <ClanLib/GUI/stylemanager.h>

#include <string>

class CL_StyleManager_QX : public CL_StyleManager {
public:
    explicit CL_StyleManager_QX(CL_ResourceManager* resources);
    ~CL_StyleManager_QX() override;

    void connect_styles(const std::string& type, CL_Component* component) override;
};
