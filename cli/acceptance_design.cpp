#include "acceptance_design.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "byte_source.h"
#include "csv_convention.h"
#include "design_rows.h"
#include "fan_power.h"
#include "input_columns.h"
#include "row_reader.h"
#include "units.h"

namespace veltrane::cli {
namespace {

DesignInputs DesignOf(const Row& row) {
    DesignInputs design{};
    for (const Input input : kAllInputs)
        design[input] = row.values[PositionOf(input)];
    return design;
}

/// The one row of the file; the first problem the reader met becomes the error.
std::optional<DesignInputs> ReadOneDesign(const std::string& path, UnitSystem units,
                                          const CsvFormat& format, std::string& error) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        error = "--acceptance: cannot read " + QuoteForMessage(path) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    FileSource source(stream);
    Problems problems([&error](std::string_view line) {
        if (error.empty()) error = "--acceptance: " + std::string(line);
    });
    RowReader reader(source, path, DesignColumns(), {}, units, problems, format);
    std::optional<DesignInputs> design;
    std::size_t rows = 0;
    Row row;
    for (RowReader::Event event = reader.Next(row); event != RowReader::Event::kEnd;
         event = reader.Next(row)) {
        if (event != RowReader::Event::kRow) continue;
        if (++rows == 1) design = DesignOf(row);
    }
    std::fclose(stream);
    if (!error.empty()) return std::nullopt;
    if (rows != 1) {
        error = "--acceptance: " + QuoteForMessage(path) + " must hold one design row, not " +
                std::to_string(rows);
        return std::nullopt;
    }
    return design;
}

}  // namespace

std::optional<DesignBasis> AcceptanceBasis(const CalcOptions& options, std::string& error) {
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    // Without DESIGN.csv: the study's design, or with --defaults the defaults.
    const std::optional<DesignInputs> design =
        !options.acceptance->empty()
            ? ReadOneDesign(*options.acceptance, units, CsvFormatOf(options), error)
        : options.fromStudy ? options.fromStudy->design
                            : DefaultDesignInputs();
    if (!design) return std::nullopt;
    // The maker's curves alone take no slope: it is never used then.
    AcceptanceDesign acceptance{*design, options.slope.value_or(0.0F), 0.0F,
                                options.draft.value_or(FanDraft::kInduced)};
    // The readings' FanPower is in the unit of this one, or converted to it: only their ratio
    // enters the test.
    acceptance.fanPower = options.designFanPower ? options.designFanPower->value
                                                 : ApproximateDesignFanPower(*design, units).value;
    DesignBasis basis = PrepareDesign(acceptance);
    if (basis.outcome != EvaluationOutcome::kEvaluated) {
        error = "--acceptance: no test can be judged against this design: " +
                std::string(DescribeEvaluation(basis.outcome));
        return std::nullopt;
    }
    return basis;
}

}  // namespace veltrane::cli
