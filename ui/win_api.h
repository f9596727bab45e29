#pragma once
// The few Windows calls the windows make directly. Compiled on Windows only.

#include <QWindow>

namespace veltrane::ui::WinAPI {

// Puts a top-level window into the desktop's topmost band, keeping its position and size.
// The result is not examined: a refusal leaves the window in the normal band.
void MakeTopmost(WId window);

}  // namespace veltrane::ui::WinAPI
