#pragma once
// A mode of the batch run: what it does with each row. The run around it does the shared work
// once: it reads the sources into rows of numbers (RowReader, converting at the edge), starts
// the output, hands each row to the mode, writes the totals and sends every problem through
// one place (Problems). A mode declares the columns it reads, writes its header and its rows
// through the CsvWriter, and reports what goes wrong with a row through Problems, so that every
// mode reports alike. The run turns any problem into exit status 1.
//
// Adding a mode takes its file (and its header, which declares its settings as
// mode_declaration.h shows), one line in ModeSettings below, and its name in the lines of the
// table of options it takes (modes.cpp): an option no line gives the mode is refused. A mode
// with options of its own declares and checks them in its file; DeclareOptions and
// CheckCombinations (calc_options.cpp) call them where --help is to list them.
//
// The row of --defaults (DefaultRow) has no value in a required column (Row::Has is false): a
// mode with required columns refuses it. Units: every field passes ToEngineUnits (columns.h)
// by its column's Quantity, so that a mode never converts.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "acceptance_mode.h"
#include "calculate_mode.h"
#include "columns.h"
#include "csv_writer.h"
#include "design_sets.h"
#include "fan_control.h"
#include "fan_mode.h"
#include "fit_mode.h"
#include "leaving_air.h"
#include "problems.h"
#include "rate_mode.h"
#include "row_reader.h"
#include "sweep.h"
#include "weather_mode.h"
#include "year_bins.h"

namespace veltrane::cli {

/// The modes and their own settings. The command line chooses the last whose option it gives;
/// the first, which has none, when it gives no other.
using ModeSettings = std::variant<CalculateSettings, RateSettings, FanSettings, FitSettings,
                                  AcceptanceSettings, WeatherSettings>;

/// What the command line asks of the run.
struct BatchSettings {
    bool raw = false;
    bool check = false;
    std::vector<Sweep> sweeps;
    /// The mode that runs and what it alone needs.
    ModeSettings mode{};
    /// A closing row of sums over the rows with Hours; the Hours columns are always written.
    bool totals = false;
    /// Receives each design's worksheet, when one is wanted.
    OutputSink trace{};
    UnitSystem units = UnitSystem::kUS;
    /// Asked before each row and design: true once the output can take no more, when every
    /// further row would be lost. The run then stops; none when not set.
    std::function<bool()> outputLost{};

    [[nodiscard]] bool OutputLost() const { return outputLost && outputLost(); }
    /// --exit-air: the leaving air asked for; without it each row takes LeavingAirForRow's.
    std::optional<LeavingAirRule> askedLeavingAir{};
    /// --motor-efficiency (and --drive-efficiency): the fan's electrical energy is written too.
    std::optional<FanDriveEfficiency> fanEfficiency{};
    /// The convention the CSV sources are written in (--decimal-comma).
    CsvFormat csvFormat{};
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

/// The mode the settings name.
std::unique_ptr<BatchMode> MakeMode(const ModeContext& context);

/// The settings of the mode the options choose; none, with `error` set to one line, when they
/// cannot be read (a design file that cannot be).
std::optional<ModeSettings> ModeSettingsFrom(const CalcOptions& options, std::string& error);

/// The name of the mode the options choose and the option that chooses it ("" for none).
struct ChosenMode {
    std::string_view name;
    std::string_view option;
};
ChosenMode ModeChosenBy(const CalcOptions& options);

/// True when the table of options gives `option` ("--exit-air") to the mode named `mode`.
bool ModeTakesOption(std::string_view mode, std::string_view option);

}  // namespace veltrane::cli
