#include "design_report.h"

#include "result_text.h"

namespace veltrane {
namespace {

constexpr std::size_t kValueColumn = 32;

void AppendRow(std::string& out, std::string_view caption, std::string_view value) {
    out += caption;
    out.append(caption.size() < kValueColumn ? kValueColumn - caption.size() : 1, ' ');
    out += value;
    out += '\n';
}

}  // namespace

std::string DescribeDesign(const DesignInputs& inputs,
                           const InputArray<std::string_view>& inputTexts) {
    const PerformanceResults results = CalculatePerformance(inputs);
    std::string out = "Design inputs\n";
    for (const InputDefinition& entry : kInputs)
        AppendRow(out, entry.caption, inputTexts[entry.index]);
    out += "\nResults\n";
    for (const ResultDefinition& entry : kResults)
        AppendRow(out, entry.caption, results.Text(entry.index));
    return out;
}

std::string DescribeDefaultDesign() {
    InputArray<std::string_view> texts{};
    for (const InputDefinition& entry : kInputs)
        texts[entry.index] = entry.defaultText;
    return DescribeDesign(DefaultDesignInputs(), texts);
}

}  // namespace veltrane
