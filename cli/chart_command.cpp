#include "chart_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "chart_axes.h"
#include "chart_format.h"
#include "demand_points.h"
#include "input_columns.h"
#include "number_text.h"

#ifdef VELTRANE_CHART_MODULE
#include <dlfcn.h>
#include <unistd.h>

#include "chart_module.h"
#endif

namespace veltrane::cli {
namespace {

#ifdef VELTRANE_CHART_MODULE
/// The folder of the running program, with its final '/'.
std::string ProgramFolder() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) return "./";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

/// The module beside the program (the build tree), else in ../lib/veltrane (an installation).
void* LoadChartModule(std::string& error) {
    const std::string folder = ProgramFolder();
    for (const std::string& candidate :
         {folder + VELTRANE_CHART_MODULE, folder + "../lib/veltrane/" + VELTRANE_CHART_MODULE}) {
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
        if (access(candidate.c_str(), F_OK) == 0) {
            error = std::string("cannot load the chart module: ") + dlerror();
            return nullptr;
        }
    }
    error = "cannot find the chart module " + std::string(VELTRANE_CHART_MODULE) + " in " + folder;
    return nullptr;
}

/// A module built with another veltrane-calc would take the chart for something else.
bool BuiltWithThisProgram(void* module, std::string& error) {
    const auto layout =
        reinterpret_cast<chart::LayoutTagFunction>(dlsym(module, chart::kLayoutTagSymbol));
    if (layout == nullptr || chart::ChartLayoutTag() != layout()) {
        error = "the chart module " + std::string(VELTRANE_CHART_MODULE) +
                " was built with another veltrane-calc; install the two together";
        return false;
    }
    return true;
}

/// The module's writer of one kind of drawing, from a module built with this program.
template <typename WriteFunction>
WriteFunction FindWriter(const char* symbol, std::string& error) {
    void* module = LoadChartModule(error);
    if (module == nullptr || !BuiltWithThisProgram(module, error)) return nullptr;
    const auto write = reinterpret_cast<WriteFunction>(dlsym(module, symbol));
    if (write == nullptr) error = "the chart module has no " + std::string(symbol);
    return write;
}

bool DrawChart(const DemandChart& chart, const chart::ChartLook& look, const std::string& path,
               std::string& error) {
    const auto write = FindWriter<chart::WriteChartFunction>(chart::kWriteChartSymbol, error);
    if (write == nullptr) return false;
    char message[512] = "";
    const int format = static_cast<int>(*chart::FormatOfFile(path));
    if (!write(&chart, &look, path.c_str(), format, message, sizeof message)) {
        error = message;
        return false;
    }
    return true;
}
#else
bool DrawChart(const DemandChart&, const chart::ChartLook&, const std::string&,
               std::string& error) {
    error = "--chart: charts are not available in this build";
    return false;
}
#endif

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + QuoteForMessage(path) + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + QuoteForMessage(path) + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

#ifdef VELTRANE_CHART_MODULE
bool DrawCurves(const PerformanceCurves& curves, UnitSystem units, const std::string& path,
                std::string& error) {
    const auto write = FindWriter<chart::WriteCurvesFunction>(chart::kWriteCurvesSymbol, error);
    if (write == nullptr) return false;
    char message[512] = "";
    const int format = static_cast<int>(*chart::FormatOfFile(path));
    if (!write(&curves, static_cast<int>(units), path.c_str(), format, message, sizeof message)) {
        error = message;
        return false;
    }
    return true;
}
#else
bool DrawCurves(const PerformanceCurves&, UnitSystem, const std::string&, std::string& error) {
    error = "--curves: charts are not available in this build";
    return false;
}
#endif

#ifdef VELTRANE_CHART_MODULE
bool DrawTestReport(const TestReport& report, PaperSize paper, const std::string& path,
                    std::string& error) {
    const auto write =
        FindWriter<chart::WriteTestReportFunction>(chart::kWriteTestReportSymbol, error);
    if (write == nullptr) return false;
    char message[512] = "";
    if (!write(&report, path.c_str(), static_cast<int>(paper), message, sizeof message)) {
        error = message;
        return false;
    }
    return true;
}
#else
bool DrawTestReport(const TestReport&, PaperSize, const std::string&, std::string& error) {
    error = "reports are not available in this build";
    return false;
}
#endif

DemandChart BuildChart(const CalcOptions& options, const DesignInputs& design) {
    DemandChartRequest request;
    request.approaches = options.approaches.value_or(
        DefaultChartApproaches(options.units.value_or(UnitSystem::kUS)));
    if (options.liquidGasSpan) request.span = *options.liquidGasSpan;
    if (options.tower) request.tower = options.tower->For(design);
    return chart::BuildChartWithAxes(design, request);
}

std::string DemandCsv(const DemandChart& chart, UnitSystem units) {
    // The US header has always named no unit; files read by scripts keep it.
    constexpr Caption kApproach{"Approach", Quantity::kTemperatureDifference, UnitShown::kSIOnly};
    return DemandPointsText(chart, units, CaptionText(kApproach, units));
}

std::string WriteChartOutputs(const CalcOptions& options, const DesignInputs& design) {
    const DemandChart chart = BuildChart(options, design);
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    std::string error;
    if (options.demand && !WriteTextFile(*options.demand, DemandCsv(chart, units), error)) {
        return "--demand: " + error;
    }
    const chart::ChartLook look{options.labelCrossings, units};
    if (options.chart && !DrawChart(chart, look, *options.chart, error)) {
        return error.starts_with("--chart") ? error : "--chart: " + error;
    }
    return {};
}

}  // namespace veltrane::cli
