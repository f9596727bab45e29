#pragma once
// The acceptance test's report as the window fills it: the identification the user typed, and
// everything else from the models (the design, the design as the Acceptance tab judges by, its
// settings, readings, maker's curves and their evaluation), every text in the units and locale the
// window shows.

#include <QString>

#include "acceptance_model.h"
#include "test_report.h"
#include "unit_layer.h"

namespace veltrane::performance {

/// What the report is headed with: its title and the lines that name the test.
struct ReportIdentification {
    QString title;
    QString project;
    QString tower;
    QString testDate;
    QString testedBy;
};

/// The report of the test as the models hold it now (the readings evaluated first when stale).
TestReport FillTestReport(AcceptanceModel& readings, const UnitLayer& units,
                          const ReportIdentification& identification);

}  // namespace veltrane::performance
