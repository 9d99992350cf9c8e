#include "front_end/front_end_display.h"

namespace {
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new front_end_display::FrontEndDisplay);
}
