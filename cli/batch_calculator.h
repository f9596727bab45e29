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
#include "input_number.h"
#include "performance.h"
#include "sweep.h"

namespace veltrane::cli {

struct BatchSettings {
    bool raw = false;
    bool check = false;
    std::vector<Sweep> sweeps;
};

/// Receives finished output in large pieces.
using OutputSink = std::function<void(std::string_view)>;
/// Receives one message line, without its line end.
using MessageSink = std::function<void(std::string_view)>;

class BatchCalculator {
  public:
    BatchCalculator(BatchSettings settings, OutputSink output, MessageSink messages);

    /// The output's header row: the twelve short names, the sixteen result captions and, with
    /// --check, Notes.
    void WriteHeader();

    /// The default design, repeated over the sweeps.
    void CalculateDefaults();

    /// Every design of a CSV source; `name` names it in messages ("FILE:LINE: what is wrong").
    void CalculateSource(ByteSource& source, std::string_view name);

    /// Hands what is still held to the output.
    void Flush();

    /// A message about the input that is not about one row ("cannot read ..."); counts as an
    /// error.
    void ReportProblem(std::string_view message);

    [[nodiscard]] bool HadErrors() const { return hadErrors_; }
    [[nodiscard]] std::size_t DesignsWritten() const { return designsWritten_; }
    /// The inputs of the first design calculated, for --chart; none before the first.
    [[nodiscard]] const std::optional<DesignInputs>& FirstDesign() const { return firstDesign_; }

  private:
    /// One design: the values calculated and the texts written for the inputs.
    struct Design {
        DesignInputs values{};
        std::array<std::string_view, kInputCount> texts{};
    };

    bool ReadDesign(const CsvRecord& record, const ColumnLayout& layout, std::string_view name);
    void ReportRow(std::string_view name, std::size_t line, std::string_view what);
    void CalculateWithSweeps(std::size_t level);
    void WriteRow();
    void AppendResults(const PerformanceResults& results);
    void AppendRawResults(const PerformanceResults& results);
    void AppendNotes(const PerformanceResults& results);
    void FlushIfFull();

    BatchSettings settings_;
    OutputSink output_;
    MessageSink messages_;
    Design design_;
    Design defaults_;
    /// The text of each sweep's current value.
    std::vector<std::array<char, kNumberTextCapacity>> sweepTexts_;
    std::string pending_;  ///< output not yet handed on
    std::string notes_;
    bool hadErrors_ = false;
    std::size_t designsWritten_ = 0;
    std::optional<DesignInputs> firstDesign_;
};

}  // namespace veltrane::cli
