#pragma once
// The window's messages as the user reads them, written out here on their own so that a slip in
// the window's copy of a text fails the tests.

#include <QString>

namespace veltrane::ui::test {

inline const QString kErrorTitle = QStringLiteral("Error");
inline const QString kQuestionTitle = QStringLiteral("Question");
inline const QString kSupplyValue = QStringLiteral("You Must Supply a Value for This Item:\r\n");
inline const QString kApproachQuestion =
    QStringLiteral("Normally Approach Should be Greater Than 7 F\r\nDo You Want to Continue?");
inline const QString kWetBulbError = QStringLiteral("Wet Bulb Must Be Less Than Dry Bulb");
inline const QString kRangeError =
    QStringLiteral("Temp Rise Cannot Be Negative. Lower the Approach or Raise Thot.");
inline const QString kLowKaVL = QStringLiteral("KAVL < 0.2 Do You Want to Adjust Apporach?");
inline const QString kHighKaVL = QStringLiteral("KAVL > 5 Do You Want to Adjust Apporach?");

}  // namespace veltrane::ui::test
