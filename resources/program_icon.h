#pragma once
// The program icon (two grey cooling towers with white plumes), for the application and its
// windows. The images come from icon/draw_icon.py.

#include <QIcon>

namespace veltrane {

// Both sizes of the icon, 32 x 32 and 16 x 16, from the program's built-in resources.
QIcon ProgramIcon();

}  // namespace veltrane
