// The plain mode: each design calculated as it stands.
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
                            settings_.leavingAir);
            Trace(worksheet_);
        }
        WriteResultsRow(design_.values, results, design_.texts);
    }

    std::string worksheet_;
};

}  // namespace

std::unique_ptr<BatchMode> MakeCalculateMode(const ModeContext& context) {
    return std::make_unique<CalculateMode>(context);
}

}  // namespace veltrane::cli
