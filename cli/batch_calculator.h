#pragma once
// The batch calculation: designs in from CSV records (or the defaults), each repeated over the
// sweeps, and one CSV row out per design with its inputs, results and, on request, notes.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_source.h"
#include "csv_reader.h"
#include "input_columns.h"
#include "number_text.h"
#include "performance.h"
#include "rating.h"
#include "sweep.h"

namespace veltrane::cli {

/// Receives finished output in large pieces.
using OutputSink = std::function<void(std::string_view)>;
/// Receives one message line, without its line end.
using MessageSink = std::function<void(std::string_view)>;

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
};

class BatchCalculator {
  public:
    BatchCalculator(BatchSettings settings, OutputSink output, MessageSink messages);

    /// Asks for the output's header row: the twelve short names, Hours, the sixteen result
    /// captions, the bin columns and Notes, each where it belongs. It is written before the first
    /// row, once the first input has shown whether it has Hours, or at Flush.
    void WriteHeader();

    /// The default design, repeated over the sweeps.
    void CalculateDefaults();

    /// Every design of a CSV source; `name` names it in messages ("FILE:LINE: what is wrong").
    void CalculateSource(ByteSource& source, std::string_view name);

    /// The closing row of --totals.
    void WriteTotals();

    /// Hands what is still held to the output.
    void Flush();

    /// A message about the input that is not about one row ("cannot read ..."); counts as an
    /// error.
    void ReportProblem(std::string_view message);

    [[nodiscard]] bool HadErrors() const { return hadErrors_; }
    [[nodiscard]] std::size_t DesignsWritten() const { return designsWritten_; }

  private:
    /// One design: the values calculated and the texts written for the inputs.
    struct Design {
        DesignInputs values{};
        InputArray<std::string_view> texts{};
        bool hasHours = false;
        float hours = 0.0F;  ///< hours per year in the row's weather bin
        std::string_view hoursText;
    };

    /// The sums of --totals.
    struct Totals {
        std::size_t rows = 0;
        double hours = 0.0;
        double coldWaterHours = 0.0;  ///< cold water temperature × hours
        std::array<double, kBinColumnCount> bins{};
        std::size_t rowsLeftOut = 0;  ///< rows with Hours and no operating point
        double hoursLeftOut = 0.0;
    };

    void StartOutput(bool inputHasHours);
    [[nodiscard]] bool HasNotesColumn() const;
    bool ReadDesign(const CsvRecord& record, const ColumnLayout& layout, std::string_view name);
    bool ReadHours(const CsvRecord& record, const ColumnLayout& layout, std::string_view name);
    void ReportRow(std::string_view name, std::size_t line, std::string_view what);
    void CalculateWithSweeps(std::size_t level);
    void WriteRow();
    void WriteRatedRow();
    [[nodiscard]] DesignInputs DesignWithTheRowsRange() const;
    void WriteOperatingPoint(const DesignInputs& inputs, const PerformanceResults& results,
                             const InputArray<std::string_view>& texts);
    void WriteRowWithoutOperatingPoint(RatingOutcome outcome);
    void AppendInputs(const InputArray<std::string_view>& texts);
    void AppendHours();
    void AppendResults(const PerformanceResults& results);
    void AppendRawResults(const PerformanceResults& results);
    void AppendNumber(double value);
    void AppendBins(const PerformanceResults& results);
    void AppendNotes(const DesignInputs& inputs, const PerformanceResults& results);
    void EndRow();
    std::string DesignPlace() const;
    void FlushIfFull();

    BatchSettings settings_;
    OutputSink output_;
    MessageSink messages_;
    Design design_;
    Design defaults_;
    /// Where the design being calculated comes from, for messages: the source and its line, or
    /// no line for the defaults.
    std::string_view sourceName_;
    std::size_t sourceLine_ = 0;
    float rowWetBulb_ = 0.0F;  ///< the wet bulb of the row as read, before any sweep
    bool headerWanted_ = false;
    bool headerWritten_ = false;
    bool binColumns_ = false;  ///< the output has Hours and the bin columns
    Totals totals_;
    std::vector<ApproachTrial> trials_;
    std::string worksheet_;
    /// The text of each sweep's current value.
    std::vector<std::array<char, kNumberTextCapacity>> sweepTexts_;
    std::string pending_;  ///< output not yet handed on
    std::string notes_;
    bool hadErrors_ = false;
    std::size_t designsWritten_ = 0;
};

}  // namespace veltrane::cli
