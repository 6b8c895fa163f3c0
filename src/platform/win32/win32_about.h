// The About window, built from its form.
#pragma once

#include <windows.h>

#include "platform/about.h"

namespace pelmora {
struct Globals;
}

namespace pelmora::win32 {

class About final : public AboutHost {
public:
    void bind(Globals& g, HWND owner);
    HWND handle() const;
    bool isOpen() override;
    void bringBack() override;
    void open() override;
    void drag() override;
    void requestClose() override;
    void openTarget(const Text& target) override;
};

}  // namespace pelmora::win32
