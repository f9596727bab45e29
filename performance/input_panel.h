#pragma once
// The inputs panel: the twelve design inputs grouped as air, water and fan, the tower, and the
// operating point. Each box forwards what the user types to the model and shows the model's
// verdict on it (a red frame and a tooltip with the reason); it never changes what was typed.

#include <QLocale>
#include <QWidget>

#include <array>

#include "performance_model.h"
#include "unit_layer.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace veltrane::performance {

class InputPanel final : public QWidget {
    Q_OBJECT

  public:
    InputPanel(PerformanceModel& model, UnitLayer& units, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* box(Field field) const;
    /// Rewrites every box from the model: after Restore Defaults or the settings of the last run.
    void showModelValues();
    /// The units shown beside the boxes.
    [[nodiscard]] QString unitShown(Field field) const;

  private:
    void buildInputs();
    void buildTower();
    void buildOperatingPoint();
    void edited(Field field, const QString& text);
    void showMarks();
    void showOperatingPoint();
    /// After a change of units: every box that holds a usable value shows it in the new units
    /// (a marked box keeps the text typed, which is a number in no unit).
    void showUnits();
    [[nodiscard]] Quantity quantityOf(Field field) const;

    PerformanceModel& model_;
    const UnitLayer& units_;
    QLocale locale_;
    std::array<QLineEdit*, kFieldCount> boxes_{};
    std::array<QLabel*, kInputCount> units_labels_{};
    struct TowerChoice {
        QRadioButton* throughDesignPoint = nullptr;
        QRadioButton* given = nullptr;
    } tower_;
    struct OperatingPointLabels {
        QLabel* towerC = nullptr;
        QLabel* approach = nullptr;
        QLabel* coldWater = nullptr;
        QLabel* kaVL = nullptr;
        QLabel* note = nullptr;
    } operating_;
};

}  // namespace veltrane::performance
