#pragma once
// A mode of the batch run: what it does with each row. The run around it does the shared work
// once: it reads the sources into rows of numbers (RowReader, converting at the edge), starts
// the output, hands each row to the mode, writes the totals and sends every problem through
// one place (Problems). A mode declares the columns it reads, writes its header and its rows
// through the CsvWriter, and reports what goes wrong with a row through Problems, so that every
// mode reports alike. The run turns any problem into exit status 1.
//
// Adding a mode takes one file, one line in the table of modes and its option:
//
//     // cli/acceptance_mode.cpp
//     namespace {
//     constexpr std::array kColumns = {
//         ColumnDefinition{"Twb", "Inlet Air Wet Bulb Temp (F)", Quantity::kTemperature,
//                    ""},  // required: no default
//         ...
//     };
//     class AcceptanceMode final : public BatchMode {
//       public:
//         explicit AcceptanceMode(const ModeContext& context) : context_(context) {}
//         std::span<const ColumnDefinition> Columns() const override { return kColumns; }
//         std::span<const std::string_view> OutputColumns() const override { return kOwn; }
//         void StartOutput(const RowReader*, bool writeHeader) override { /* header */ }
//         void Calculate(const Row& row) override {
//             // row.values[k] is column k in the engine's units; write one row:
//             context_.csv.Plain(...); context_.csv.EndRow();
//             // or refuse it: context_.problems.AtLine(row.source, row.line, "why");
//         }
//       private:
//         ModeContext context_;
//     };
//     }  // namespace
//     std::unique_ptr<BatchMode> MakeAcceptanceMode(const ModeContext& c) {
//         return std::make_unique<AcceptanceMode>(c);
//     }
//
// then `{"acceptance", [](const BatchSettings& s) { return s.acceptance; },
// MakeAcceptanceMode},` in kModes (modes.cpp), its Make function declared below, and the
// option that sets BatchSettings::acceptance in DeclareOptions (calc_options.cpp).
//
// The row of --defaults (DefaultRow) has no value in a required column (Row::Has is false): a
// mode with required columns refuses it. Units: every field passes ToEngineUnits (columns.h)
// by its column's Quantity, so that a mode never converts.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "acceptance.h"
#include "columns.h"
#include "csv_writer.h"
#include "design_sets.h"
#include "fan_control.h"
#include "problems.h"
#include "rating.h"
#include "row_reader.h"
#include "sweep.h"

namespace veltrane::cli {

/// What the command line asks of the run.
struct BatchSettings {
    bool raw = false;
    bool check = false;
    std::vector<Sweep> sweeps;
    /// Rate every design against this tower instead of calculating it as it stands.
    std::optional<TowerCharacteristic> tower{};
    /// A closing row of sums over the rows with Hours; the Hours columns are always written.
    bool totals = false;
    /// Receives each design's worksheet, when one is wanted.
    OutputSink trace{};
    UnitSystem units = UnitSystem::kUS;
    /// Asked before each row and design: true once the output can take no more, when every
    /// further row would be lost. The run then stops; none when not set.
    std::function<bool()> outputLost{};

    [[nodiscard]] bool OutputLost() const { return outputLost && outputLost(); }
    /// Evaluate every row as test readings against this design.
    std::optional<DesignBasis> acceptance{};
    /// Fit the tower characteristic to the rows.
    bool fit = false;
    /// The leaving air that water, exit air and fan power are taken from.
    LeavingAirRule leavingAir = LeavingAirRule::kWindow;
    /// With --setpoint: rated rows run their fans to it (mode, setpoint, vfd's lowest air flow).
    std::optional<FanControl> fanControl{};
};

/// What the run lends a mode for the whole run.
struct ModeContext {
    const BatchSettings& settings;
    CsvWriter& csv;
    Problems& problems;
    /// The inputs of the first design calculated, for --chart; the mode that has designs sets it.
    std::optional<DesignInputs>& firstDesign;
};

class BatchMode {
  public:
    virtual ~BatchMode() = default;

    /// The columns the mode reads, in the order a file without a header row gives them.
    [[nodiscard]] virtual std::span<const ColumnDefinition> Columns() const = 0;
    /// The captions of the mode's own output columns: a header may name them, and they are
    /// passed over, so that the output reads back.
    [[nodiscard]] virtual std::span<const Caption> OutputColumns() const = 0;

    /// Called once, before anything is written: `header` is the first input's header row, or
    /// null when it has none (or there is no input). Writes the header row when `writeHeader`.
    virtual void StartOutput(const RowReader* header, bool writeHeader) = 0;
    /// Called for each source's header row, the first included, after StartOutput; the mode
    /// may drop a column it cannot write (RowReader::Ignore).
    virtual void TakeHeader(RowReader& header, std::string_view source, std::size_t line) {
        (void)header;
        (void)source;
        (void)line;
    }
    /// One row, sound and converted.
    virtual void Calculate(const Row& row) = 0;
    /// The closing row of --totals.
    virtual void WriteTotals() {}
    /// Called once every row is read and the totals written: a mode that answers for all the
    /// rows together writes its answer here.
    virtual void Finish() {}
};

using MakeMode = std::unique_ptr<BatchMode> (*)(const ModeContext& context);

/// One line of the table of modes.
struct ModeEntry {
    std::string_view name;
    bool (*chosen)(const BatchSettings& settings);
    MakeMode make;
};

/// The modes, the first one chosen by the settings taken; the last is chosen always.
std::span<const ModeEntry> Modes();

std::unique_ptr<BatchMode> MakeCalculateMode(const ModeContext& context);
std::unique_ptr<BatchMode> MakeRateMode(const ModeContext& context);
std::unique_ptr<BatchMode> MakeAcceptanceMode(const ModeContext& context);
std::unique_ptr<BatchMode> MakeFitMode(const ModeContext& context);
std::unique_ptr<BatchMode> MakeFanMode(const ModeContext& context);

}  // namespace veltrane::cli
