#include "window_settings.h"

#include <string>

#include "number_text.h"

namespace veltrane::performance {
namespace {

QString KeyOf(Field field) {
    if (const std::optional<Input> input = InputOf(field)) {
        const std::string_view name = kInputs[*input].shortName;
        return QStringLiteral("inputs/") +
               QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return field == Field::kTowerC ? QStringLiteral("tower/C") : QStringLiteral("tower/m");
}

const QString kTowerSourceKey = QStringLiteral("tower/source");
const QString kGivenSource = QStringLiteral("given");
const QString kDesignPointSource = QStringLiteral("design point");

}  // namespace

void SaveInputs(QSettings& settings, const PerformanceModel& model) {
    for (const Field field : AllFields()) {
        char text[kNumberTextCapacity];
        settings.setValue(KeyOf(field), QString::fromLatin1(
                                            text, WriteShortest(text, model.value(field)) - text));
    }
    settings.setValue(kTowerSourceKey, model.towerSource() == TowerSource::kGiven
                                           ? kGivenSource
                                           : kDesignPointSource);
}

bool LoadInputs(const QSettings& settings, PerformanceModel& model) {
    if (settings.status() != QSettings::NoError) return false;
    std::array<float, kFieldCount> values = PerformanceModel::DefaultValues();
    for (const Field field : AllFields()) {
        const QVariant stored = settings.value(KeyOf(field));
        if (!stored.isValid()) continue;
        float value = 0.0F;
        const std::string text = stored.toString().toStdString();
        if (ReadInputNumber(text, value) != NumberError::None) continue;
        if (!PerformanceModel::Refusal(field, value).isEmpty()) continue;
        values[static_cast<std::size_t>(field)] = value;
    }
    model.setAll(values, settings.value(kTowerSourceKey).toString() == kGivenSource
                             ? TowerSource::kGiven
                             : TowerSource::kThroughDesignPoint);
    return true;
}

}  // namespace veltrane::performance
