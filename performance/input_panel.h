#pragma once
// The inputs panel: the twelve design inputs grouped as air, water and fan, the tower, and the
// operating point. Each box forwards what the user types to the model and shows the model's
// verdict on it (a red frame and a tooltip with the reason); it never changes what was typed.

#include <QLocale>
#include <QWidget>

#include <array>

#include "performance_model.h"
#include "units.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace veltrane::performance {

class InputPanel final : public QWidget {
    Q_OBJECT

  public:
    InputPanel(PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* box(Field field) const;
    /// Rewrites every box from the model: after Restore Defaults or the settings of the last run.
    void showModelValues();

  private:
    void buildInputs();
    void buildTower();
    void buildOperatingPoint();
    void edited(Field field, const QString& text);
    void showMarks();
    void showOperatingPoint();
    [[nodiscard]] Quantity quantityOf(Field field) const;

    PerformanceModel& model_;
    const UnitLayer& units_;
    QLocale locale_;
    std::array<QLineEdit*, kFieldCount> boxes_{};
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
