#pragma once
// The program icon (two grey cooling towers with white plumes), for the application and its
// windows. The images come from icon/draw_icon.py.

#include <QIcon>

namespace veltrane {

// Every size of the icon, 16 to 256 pixels square, from the program's built-in resources.
QIcon ProgramIcon();

}  // namespace veltrane
