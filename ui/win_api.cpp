#include "win_api.h"

#include <windows.h>

namespace veltrane::ui::WinAPI {

void MakeTopmost(WId window) {
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace veltrane::ui::WinAPI
