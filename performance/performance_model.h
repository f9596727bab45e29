#pragma once
// The performance window's model: the design inputs and the tower in the engine's units, the
// latest good calculation of them, and what is wrong with any input the user is editing. Views
// forward edits here and show what it holds; it paints nothing.

#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demand_curves.h"
#include "design_checks.h"
#include "design_sets.h"
#include "performance.h"
#include "performance_curves.h"
#include "rating.h"
#include "units.h"

namespace veltrane::performance {

/// Every value the user types: the twelve design inputs in their order, then the tower's C and m.
enum class Field : std::size_t {
    kTowerC = kInputCount,
    kTowerM,
};
inline constexpr std::size_t kFieldCount = kInputCount + 2;

constexpr Field FieldOf(Input input) {
    return static_cast<Field>(static_cast<std::size_t>(input));
}
/// The design input a field is, or nothing for C and m.
std::optional<Input> InputOf(Field field);
/// Every field in reading order.
std::array<Field, kFieldCount> AllFields();

/// Where the tower's C comes from: the design point (C = KaV/L_d · (L/G_d)^m) or the user.
enum class TowerSource { kThroughDesignPoint, kGiven };

/// The tower of a new window: C of a typical film fill, and the slope most fills come close to.
inline constexpr float kDefaultTowerC = 2.3F;
inline constexpr float kDefaultTowerM = 0.6F;

/// Everything a view shows, from one consistent set of inputs.
struct Calculation {
    DesignInputs inputs{};
    TowerSource towerSource = TowerSource::kThroughDesignPoint;
    float givenC = kDefaultTowerC;
    float m = kDefaultTowerM;

    PerformanceResults results;  ///< the design's sixteen results
    DesignFindings findings;     ///< the design checks it meets
    /// The tower rated: C and m given, or through the design point; nothing when the design's
    /// KaV/L is no demand and no tower passes through it.
    std::optional<TowerCharacteristic> tower;
    DemandChart chart;  ///< with the operating point, or the reason there is none
};

class PerformanceModel : public QObject {
    Q_OBJECT

  public:
    explicit PerformanceModel(QObject* parent = nullptr);

    // Edits. Each recalculates at once when every field holds a usable value, and otherwise
    // keeps the last good calculation.

    /// Takes a value the user typed; returns why it is refused (and marks the field), or an
    /// empty text when it is taken.
    QString setValue(Field field, float value);
    /// Marks a field whose text is not a usable number; the calculation stays as it was.
    void setProblem(Field field, const QString& reason);
    void setTowerSource(TowerSource source);
    /// Every field at once (the settings of the last run), every mark gone; one calculation.
    void setAll(const std::array<float, kFieldCount>& values, TowerSource source);
    /// Every field back to its default, every mark gone.
    void restoreDefaults();
    /// The units whose round numbers the charts are drawn on: the demand chart's default
    /// approaches (whole kelvins in SI) and the performance curves' wet bulbs (whole °C in SI).
    /// Recalculates once when the approaches change; the curves are made anew when next asked.
    void setChartUnits(UnitSystem units);

    // Reads.
    /// The approaches the demand charts are drawn on, °F (whole kelvins under SI).
    [[nodiscard]] const std::vector<float>& chartApproaches() const { return chartApproaches_; }

    /// The value last taken for a field (the last good one while the field is marked).
    [[nodiscard]] float value(Field field) const;
    [[nodiscard]] TowerSource towerSource() const { return towerSource_; }
    /// Why the field's text is not used, or empty.
    [[nodiscard]] const QString& problem(Field field) const;
    [[nodiscard]] bool hasProblems() const;
    /// The latest good calculation: while a field is marked, the one before the bad edit.
    [[nodiscard]] const Calculation& calculation() const { return calculation_; }
    /// One line for the status bar: the first problem in reading order, the design's findings
    /// and the operating point's absence, or "Calculated".
    [[nodiscard]] QString status() const;
    /// The worksheet of the latest calculation: the design's, then the rating's (made when
    /// first asked for after each calculation), in US units or in both side by side.
    [[nodiscard]] const std::string& worksheet(UnitSystem units = UnitSystem::kUS) const;
    /// The performance curves of the latest calculation's tower (made when first asked for
    /// after each calculation: they take about as long as forty demand charts); nothing when
    /// there is no tower.
    [[nodiscard]] const std::optional<PerformanceCurves>& performanceCurves() const;

    /// The defaults: the design's default inputs and the default tower.
    static std::array<float, kFieldCount> DefaultValues();
    /// The caption of a field without its unit ("Inlet Air Wet Bulb Temp", "Tower C").
    static QString FieldName(Field field);
    /// Why a value is refused for a field, or empty when it is usable.
    static QString Refusal(Field field, float value);

  signals:
    /// A new calculation is in place.
    void calculated();
    /// A field was marked or cleared (the status changed with it).
    void problemsChanged();

  private:
    void recalculate();
    bool clearProblem(Field field);

    std::array<float, kFieldCount> values_{};
    std::array<QString, kFieldCount> problems_;
    TowerSource towerSource_ = TowerSource::kThroughDesignPoint;
    std::vector<float> chartApproaches_ = DemandChartRequest{}.approaches;
    UnitSystem curveUnits_ = UnitSystem::kUS;
    Calculation calculation_;
    /// The worksheet in US units, and in both.
    mutable std::array<std::optional<std::string>, 2> worksheets_;
    mutable std::optional<std::optional<PerformanceCurves>> curves_;
};

}  // namespace veltrane::performance
