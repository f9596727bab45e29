#pragma once
// The batch run: rows in from CSV sources (or the defaults), each handed to the mode the
// settings choose (batch_mode.h), the output gathered by one CSV writer and every problem sent
// through one place.

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

#include "batch_mode.h"
#include "byte_source.h"
#include "csv_writer.h"
#include "problems.h"

namespace veltrane::cli {

class BatchCalculator {
  public:
    BatchCalculator(BatchSettings settings, OutputSink output, MessageSink messages);

    /// Asks for the output's header row. It is written before the first row, once the first
    /// input has shown which columns it has, or at Flush.
    void WriteHeader();

    /// The row of defaults, repeated over the sweeps.
    void CalculateDefaults();

    /// Every row of a CSV source; `name` names it in messages ("FILE:LINE: what is wrong").
    void CalculateSource(ByteSource& source, std::string_view name);

    /// The closing row of --totals.
    void WriteTotals();

    /// Hands what is still held to the output.
    void Flush();

    /// A message about the input that is not about one row ("cannot read ..."); counts as an
    /// error.
    void ReportProblem(std::string_view message);

    [[nodiscard]] bool HadErrors() const { return problems_.Any(); }
    /// True when a source was refused whole for its form: the status of a bad option.
    [[nodiscard]] bool Refused() const { return problems_.Refused(); }
    [[nodiscard]] std::size_t DesignsWritten() const { return csv_.RowsEnded(); }
    /// The inputs of the first design calculated, for --chart; none before the first.
    [[nodiscard]] const std::optional<DesignInputs>& FirstDesign() const { return firstDesign_; }

  private:
    void StartOutput(const RowReader* header);

    BatchSettings settings_;
    CsvWriter csv_;
    Problems problems_;
    std::optional<DesignInputs> firstDesign_;
    std::unique_ptr<BatchMode> mode_;
    bool headerWanted_ = false;
    bool started_ = false;
    Row row_;
};

}  // namespace veltrane::cli
