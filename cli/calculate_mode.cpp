// The plain mode: each design calculated as it stands.
#include "calculate_mode.h"

#include "calc_options.h"
#include "design_rows.h"
#include "worksheet.h"

namespace veltrane::cli {
namespace {

class CalculateMode final : public DesignRowsMode {
  public:
    using DesignRowsMode::DesignRowsMode;

  private:
    void WriteDesign() override {
        if (!context_.firstDesign) context_.firstDesign = design_.values;
        const PerformanceResults results = Results(design_.values);
        if (Tracing()) {
            worksheet_.clear();
            AppendWorksheet(worksheet_, DesignPlace(), design_.values, WorksheetStyle(),
                            RowLeavingAir());
            Trace(worksheet_);
        }
        WriteResultsRow(design_.values, results, design_.texts);
    }

    std::string worksheet_;
};

}  // namespace

bool CalculateSettings::ChosenBy(const CalcOptions&) {
    return true;
}

std::optional<CalculateSettings> CalculateSettings::From(const CalcOptions&, std::string&) {
    return CalculateSettings{};
}

std::unique_ptr<BatchMode> CalculateSettings::Make(const ModeContext& context) {
    return std::make_unique<CalculateMode>(context);
}

}  // namespace veltrane::cli
