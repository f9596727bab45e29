#include "program_icon.h"

#include <array>

namespace veltrane {

QIcon ProgramIcon() {
    // Every size drawn, so that the window system picks an image rather than scaling one: the
    // 16- and 32-pixel images that the Windows icon also holds, and the larger ones that a title
    // bar or task bar uses at a scale factor of 2 and a desktop menu or dock at any scale.
    static constexpr std::array kSizes{16, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int size : kSizes) {
        icon.addFile(QStringLiteral(":/veltrane/icons/veltrane-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace veltrane
