#pragma once
// A report filled as a front end fills it, from the engine's own evaluation of readings of the
// default design's tower run a little warm: for the tests, the benchmark and the picture of the
// first page in the documents.

#include <cstddef>

#include "test_report.h"

namespace veltrane {

/// `readings` readings (at least one), each by both methods; the third passes the fan-power
/// limit. `coldWaterWarmer` °F on every reading's water temperatures.
TestReport SampleTestReport(std::size_t readings, float coldWaterWarmer = 0.6F);

}  // namespace veltrane
