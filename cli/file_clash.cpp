#include "file_clash.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "input_columns.h"

namespace veltrane::cli {
namespace {

/// A file the options name, with the option that names it.
struct NamedFile {
    std::string_view option;  ///< "--trace"; empty for a FILE of the readings or designs
    std::string path;
};

/// The files the options write: a new output is one line here.
std::vector<NamedFile> Outputs(const CalcOptions& options) {
    std::vector<NamedFile> outputs;
    const auto add = [&](std::string_view option, const std::optional<std::string>& path) {
        if (path && *path != "-") outputs.push_back({option, *path});
    };
    add("--trace", options.trace);
    add("--chart", options.chart);
    add("--demand", options.demand);
    add("--curves", options.curves);
    add("--curves-csv", options.curvesCsv);
    return outputs;
}

/// Standard input as a file, where the system names it so: it may be redirected from a file.
constexpr std::string_view kStandardInputPath = "/dev/stdin";

/// The files the options read: a new input is one line here.
std::vector<NamedFile> Inputs(const CalcOptions& options) {
    std::vector<NamedFile> inputs;
    if (options.acceptance && !options.acceptance->empty())
        inputs.push_back({"--acceptance", *options.acceptance});
    if (options.study) inputs.push_back({"--study", *options.study});
    const bool readsStandardInput = options.files.empty() && !options.defaults && !options.study;
    if (readsStandardInput) inputs.push_back({"", std::string(kStandardInputPath)});
    for (const std::string& file : options.files)
        inputs.push_back({"", file == "-" ? std::string(kStandardInputPath) : file});
    return inputs;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

std::string Describe(const NamedFile& file) {
    std::string text = file.option.empty() ? "the input" : std::string(file.option);
    text += ' ';
    text += file.path == kStandardInputPath ? std::string("standard input")
                                            : QuoteForMessage(file.path);
    return text;
}

}  // namespace

std::string OutputThatIsAnInput(const CalcOptions& options) {
    const std::vector<NamedFile> inputs = Inputs(options);
    for (const NamedFile& output : Outputs(options)) {
        for (const NamedFile& input : inputs) {
            if (!SameFile(output.path, input.path)) continue;
            return Describe(output) + " is the same file as " + Describe(input) +
                   ": writing it would destroy what is read";
        }
    }
    return {};
}

}  // namespace veltrane::cli
