#pragma once
// The rows of a design whose fans run to a setpoint, written alike by --setpoint and --weather.

#include <array>
#include <cstddef>
#include <span>

#include "design_rows.h"
#include "fan_control.h"
#include "year_bins.h"

namespace veltrane::cli {

/// Rows rated against the tower with their fans run to the setpoint: the sixteen results of full
/// speed, then the fan columns (Air Flow, Full Speed, Cold Water Reached, Above Setpoint, Fan
/// Power Used, Hours and Degree-Hours Above Setpoint), the water and fan energy over the hours
/// those run.
class FanRowsMode : public DesignRowsMode {
  public:
    using DesignRowsMode::DesignRowsMode;

    [[nodiscard]] std::span<const Caption> OutputColumns() const override;

  protected:
    [[nodiscard]] bool AlwaysNotes() const override { return true; }
    [[nodiscard]] std::span<const OwnColumn> OwnColumns() const override;
    [[nodiscard]] bool UnderSetpoint() const override { return true; }

    /// The totals, with Above Setpoint as the mean over the hours above it alone and the
    /// degree-hours above it.
    void WriteTotals() override;

    /// The row of design_ run as `run`: a setpoint that is not a number (none asked for) leaves
    /// the columns that compare with it empty.
    void WriteFanRow(const FanControl& control, const FanOperation& run);

  private:
    static constexpr std::size_t kFanColumnCount = 7;
    [[nodiscard]] std::array<double, kFanColumnCount> OwnValues(const FanControl& control,
                                                                const FanOperation& run) const;

    SetpointShortfall shortfall_;
};

}  // namespace veltrane::cli
