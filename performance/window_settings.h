#pragma once
// What the window remembers between starts in the user's settings: its geometry and the last
// usable inputs. Values are written as plain numbers with '.' whatever the locale, so that a
// change of locale does not lose them; anything unreadable falls back to its default.

#include <QByteArray>
#include <QSettings>

#include "performance_model.h"

namespace veltrane::performance {

void SaveInputs(QSettings& settings, const PerformanceModel& model);

/// Takes every stored value that reads as a number the model accepts; the others keep their
/// defaults. A settings file that cannot be read at all leaves the defaults in place. Returns
/// false in that case.
bool LoadInputs(const QSettings& settings, PerformanceModel& model);

}  // namespace veltrane::performance
