#pragma once
// Starts the next playlist track when the current one has ended: ClanLib calls it on
// every keep-alive pass. Registers itself on construction, leaves on destruction.
#include <ClanLib/Core/System/keep_alive.h>

class KV_MusicKeepAlive : public CL_KeepAlive {
public:
    void keep_alive() override;
};
