#pragma once
// --report: the acceptance test's report to sign, filled from what the batch run evaluated and
// drawn by the chart module.

#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "acceptance_limits.h"
#include "maker_curves.h"
#include "test_report.h"
#include "units.h"
#include "verdict.h"

namespace veltrane::cli {

/// What --report, --title, --field and --paper ask for.
struct ReportRequest {
    std::string path;
    std::string title;
    std::vector<ReportField> fields;
    PaperSize paper = PaperSize::kA4;
    /// The unit of the fan powers: the design's own (hp, kW), or empty when --design-fan-power
    /// gives the design's in a unit the program is not told.
    std::string fanPowerUnit;
};

/// One reading as the run evaluated it, by each method that ran.
struct EvaluatedReading {
    std::string name;  ///< "1", "2"…: its place among the readings
    TestReading reading;
    std::optional<CapabilityEvaluation> byCharacteristic;
    std::optional<CurvesEvaluation> byCurves;
    std::string notes;
};

/// The test as the report tells it.
struct EvaluatedTest {
    std::string fanPowerUnit;  ///< as ReportRequest::fanPowerUnit
    const DesignBasis& basis;
    const MakerCurves* curves;  ///< null without --maker-curves
    bool characteristic;        ///< the characteristic-curve method ran
    AcceptanceMethod deciding;
    UnitSystem units;
    std::vector<EvaluatedReading> readings;
    std::optional<EvaluatedReading> mean;  ///< none when no reading was evaluated
    TestLimits limits;                     ///< those the readings were checked against
};

/// The verdict on the mean reading by `method`; none when that method did not evaluate it.
std::optional<Verdict> JudgeMean(const EvaluatedReading& mean, AcceptanceMethod method,
                                 UnitSystem units);

/// The report's content, every text formatted in the test's units.
TestReport FillTestReport(const ReportRequest& request, const EvaluatedTest& test);

}  // namespace veltrane::cli
