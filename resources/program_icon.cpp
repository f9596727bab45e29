#include "program_icon.h"

namespace veltrane {

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/veltrane/icons/veltrane-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/veltrane/icons/veltrane-16.png"), QSize(16, 16));
    return icon;
}

}  // namespace veltrane
