// The one table of platform services that logic reaches the system through.
#pragma once

#include "platform/profile_store.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace pelmora {

struct Platform {
    ProfileStore* profile = nullptr;
    Registry* registry = nullptr;
    Ui* ui = nullptr;
};

}  // namespace pelmora
