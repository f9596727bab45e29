// --fit: the tower characteristic fitted to rows of performance data (characteristic_fit.h).
// The rows are designs as the other modes read them, with TCold in place of Approach when a
// header names it; the output is one row: C, m, the points, R² and the largest cold-water
// deviation when the fitted tower is rated back at every row.
#include "fit_mode.h"

#include <array>
#include <string>
#include <vector>

#include "batch_mode.h"
#include "calc_options.h"
#include "characteristic_fit.h"
#include "chart_command.h"
#include "design_rows.h"
#include "fit_report.h"
#include "number_text.h"
#include "option_reading.h"
#include "units.h"

namespace veltrane::cli {
namespace {

/// The twelve inputs, then TCold, which only a header names: a row that gives it has the
/// approach TCold − Twb.
std::vector<ColumnDefinition> MakeFitColumns() {
    std::vector<ColumnDefinition> columns(
        DesignColumns().begin(),
        DesignColumns().begin() + static_cast<std::ptrdiff_t>(kInputCount));
    columns.push_back(ColumnDefinition{
        "TCold", {"Cold Water Temp", Quantity::kTemperature}, "", false, EmptyCell::kAbsent});
    return columns;
}

const std::vector<ColumnDefinition> kFitColumns = MakeFitColumns();
constexpr std::size_t kColdWaterColumn = kInputCount;

/// The fit's row and, after it, Notes: no output of the fit has them, but a header may.
enum FitColumn : std::size_t { kC, kM, kPoints, kRSquared, kDeviation, kAt, kFitColumnCount };
constexpr std::array<Caption, kFitColumnCount> kOwnColumns = {{
    {"C"},
    {"m"},
    {"Points"},
    {"R Squared"},
    {"Largest Cold Water Deviation", Quantity::kTemperatureDifference},
    {"At"},
}};

class FitMode final : public BatchMode {
  public:
    explicit FitMode(const ModeContext& context) : context_(context) {}

    [[nodiscard]] std::span<const ColumnDefinition> Columns() const override { return kFitColumns; }
    [[nodiscard]] std::span<const Caption> OutputColumns() const override { return kOwnColumns; }

    void StartOutput(const RowReader*, bool writeHeader) override { writeHeader_ = writeHeader; }

    /// TCold and Approach each set the cold water: a header that names both is refused.
    void TakeHeader(RowReader& header, std::string_view source, std::size_t line) override {
        headerSource_ = source;
        coldWaterNamed_ = header.Names(kColdWaterColumn);
        refusedSource_ = coldWaterNamed_ && header.Names(PositionOf(Input::kApproach));
        if (refusedSource_) {
            context_.problems.AtLine(source, line,
                                     "give TCold or Approach, not both: each sets the cold "
                                     "water; no row of this file is calculated");
        }
    }

    void Calculate(const Row& row) override {
        const bool underHeader = row.source == headerSource_;
        if (underHeader && refusedSource_) return;
        // A row of data is measured or tabulated: an empty cell is no default approach.
        if (underHeader && coldWaterNamed_ && !row.Has(kColdWaterColumn)) {
            context_.problems.At(PlaceOfLine(row.source, row.line),
                                 "TCold is empty: a row of data takes no default; left out of "
                                 "the fit");
            return;
        }
        DesignInputs design{};
        for (const Input input : kAllInputs)
            design[input] = row.values[PositionOf(input)];
        if (row.Has(kColdWaterColumn)) {
            design[Input::kApproach] =
                static_cast<float>(static_cast<double>(row.values[kColdWaterColumn]) -
                                   static_cast<double>(design[Input::kWetBulb]));
        }
        rows_.push_back(design);
        places_.push_back(PlaceOfLine(row.source, row.line));
    }

    /// Fits once every row is read.
    void Finish() override {
        const FitSettings& settings = std::get<FitSettings>(context_.settings.mode);
        const CharacteristicFit fit = settings.slope
                                          ? FitCharacteristicWithSlope(rows_, *settings.slope)
                                          : FitCharacteristic(rows_);
        for (const UnusedRow& unused : fit.unused) {
            context_.problems.At(places_[unused.row],
                                 "left out of the fit: the KaV/L has no meaning (a driving "
                                 "force is zero or negative)");
        }
        if (fit.outcome != FitOutcome::kFitted) {
            context_.problems.Whole(std::string(kProgramName) +
                                    ": --fit: " + std::string(DescribeFitOutcome(fit.outcome)));
            return;
        }
        for (const UnratedRow& unrated : fit.unrated) {
            context_.problems.At(places_[unrated.row],
                                 "the fitted tower has no operating point here: " +
                                     std::string(DescribeOutcome(unrated.outcome)));
        }
        WriteFit(fit);
        TellFit(fit);
        if (settings.rowsPath) WriteFitRows(fit, *settings.rowsPath);
    }

  private:
    /// The shortest decimal that reads back to the very value, in SI the one that converts
    /// back to it.
    void Exact(Quantity quantity, float us) {
        context_.csv.Plain(ExactText(quantity, context_.settings.units, us).View());
    }

    void WriteFit(const CharacteristicFit& fit) {
        CsvWriter& csv = context_.csv;
        if (writeHeader_) {
            for (const Caption& caption : kOwnColumns) {
                csv.Field(CaptionText(caption, context_.settings.units));
                csv.Comma();
            }
            csv.DropLastComma();
            csv.EndLine();
        }
        Exact(kOwnColumns[kC].quantity, fit.tower.c);
        csv.Comma();
        Exact(kOwnColumns[kM].quantity, fit.tower.m);
        csv.Comma();
        csv.Plain(std::to_string(fit.points));
        csv.Comma();
        // R² to seven figures, as every single-precision number is written; none with m fixed,
        // where the line is not the least-squares one and a 0 would read as no fit at all.
        if (!fit.slopeFixed)
            Exact(kOwnColumns[kRSquared].quantity, static_cast<float>(fit.rSquared));
        csv.Comma();
        Exact(kOwnColumns[kDeviation].quantity, fit.largestColdWaterDeviation);
        csv.Comma();
        csv.Field(places_[fit.largestDeviationRow]);
        csv.EndRow();
    }

    /// How sure the fit is and how to use it, on standard error: the CSV holds the fit alone.
    void TellFit(const CharacteristicFit& fit) {
        const std::string lead = std::string(kProgramName) + ": --fit: ";
        context_.problems.Note(lead + FitSummary(fit, context_.settings.units));
        context_.problems.Note(lead + "rate with this tower by --tower " +
                               std::string(PlainShortestText(fit.tower.c).View()) + ":" +
                               std::string(PlainShortestText(fit.tower.m).View()));
    }

    void WriteFitRows(const CharacteristicFit& fit, const std::string& path) {
        std::string error;
        if (!WriteTextFile(path, FitRowsCsv(fit, places_, context_.settings.units), error))
            context_.problems.Whole(std::string(kProgramName) + ": --fit-rows: " + error);
    }

    ModeContext context_;
    bool writeHeader_ = false;
    std::string_view headerSource_;  ///< the source whose header was read last
    bool coldWaterNamed_ = false;    ///< its header names TCold
    bool refusedSource_ = false;     ///< its header names TCold and Approach
    std::vector<DesignInputs> rows_;
    std::vector<std::string> places_;
};

}  // namespace

std::optional<FitSettings> FitSettings::From(const CalcOptions& options, std::string&) {
    return FitSettings{options.slope, options.fitRows};
}

bool FitSettings::ChosenBy(const CalcOptions& options) {
    return options.fit;
}

void FitSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    app.add_flag("--fit", options.fit,
                 "fit the tower characteristic to the rows, performance data with the\n"
                 "usual input columns (TCold may stand for Approach when a header names\n"
                 "it, not both): each row's KaV/L at its L/G, then least squares on log\n"
                 "KaV/L = log C - m log L/G. An empty cell is never a default: its row is\n"
                 "named on standard error and left out. Writes C, m, Points, R Squared\n"
                 "and the Largest Cold Water Deviation of the fitted tower rated back at\n"
                 "every row, with the row it is At. A row whose KaV/L has no meaning is\n"
                 "named on standard error and left out; at least 2 rows with different L/G\n"
                 "are needed. With --units si the rows are read in SI (TCold in C, \"Cold\n"
                 "Water Temp (C)\") and the deviation is in K. Standard error gives the 95 %\n"
                 "intervals of C (wider above C: the fit is on log C) and m, the RMS of\n"
                 "the cold-water deviations and the --tower C:m that rates with the fitted\n"
                 "tower. With --slope m, m is fixed and C alone fitted; one row is then\n"
                 "enough");
    SingleOption(
        app, "--fit-rows", "FILE.csv", options.fitRows,
        [](std::string_view file) { return std::string(file); },
        "write each row rated back with the fitted tower to FILE.csv: Row\n"
        "(FILE:LINE), KaV/L and L/G at the row, the fitted tower's Cold Water and\n"
        "the Deviation, fitted - given (K with --units si)");
}

void FitSettings::CheckOptions(const CalcOptions& options) {
    const bool curves = options.curves || options.curvesCsv;
    if (options.fitRows && !options.fit) Refuse("--fit-rows belongs to --fit");
    if (options.fit) {
        if (options.defaults) Refuse("--fit needs rows of performance data: leave out --defaults");
        if (options.tower) Refuse("--fit and --tower cannot be given together");
        if (!options.sweeps.empty()) Refuse("--fit and --sweep cannot be given together");
        if (curves || options.chart || options.demand)
            Refuse("--fit writes no chart: give --curves or --chart without it");
        if (options.raw || options.check || options.trace)
            Refuse("--fit writes its fit alone: leave out --raw, --check and --trace");
    }
}

std::unique_ptr<BatchMode> FitSettings::Make(const ModeContext& context) {
    return std::make_unique<FitMode>(context);
}

}  // namespace veltrane::cli
