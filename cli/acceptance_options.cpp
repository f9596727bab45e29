#include "acceptance_options.h"

#include <CLI/CLI.hpp>
#include <string>

#include "acceptance_mode.h"
#include "calc_options.h"
#include "columns.h"
#include "csv_convention.h"
#include "input_columns.h"
#include "maker_curves_file.h"
#include "number_text.h"
#include "option_reading.h"

namespace veltrane::cli {
namespace {

AcceptanceMethod ReadMethod(std::string_view text) {
    const std::optional<AcceptanceMethod> method = ParseAcceptanceMethod(text);
    if (!method) Refuse("--method must be curves or characteristic, not " + QuoteForMessage(text));
    return *method;
}

PaperSize ReadPaper(std::string_view text) {
    const std::optional<PaperSize> paper = ParsePaperSize(text);
    if (!paper) Refuse("--paper must be a4 or letter, not " + QuoteForMessage(text));
    return *paper;
}

/// The report is a PDF whatever the name says; a name that says otherwise is a slip.
std::string ReadPdfName(std::string_view text) {
    constexpr std::string_view kPdf = ".pdf";
    if (text.size() <= kPdf.size() ||
        !EqualIgnoringCase(text.substr(text.size() - kPdf.size()), kPdf)) {
        Refuse("--report writes a PDF: give a file name ending in .pdf, not " +
               QuoteForMessage(text));
    }
    return std::string(text);
}

void AddField(const CLI::results_t& results, CalcOptions& options) {
    const std::string_view argument = ArgumentOf(results, "--field", "NAME=TEXT");
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos || equals == 0)
        Refuse("--field takes NAME=TEXT, not " + QuoteForMessage(argument));
    options.fields.push_back(
        {std::string(argument.substr(0, equals)), std::string(argument.substr(equals + 1))});
}

}  // namespace

void DeclareTestOptions(CLI::App& app, CalcOptions& options) {
    SingleOption(
        app, "--maker-curves", "CURVES.csv", options.makerCurves,
        [](std::string_view file) { return std::string(file); },
        "evaluate each reading by the maker's performance curves in CURVES.csv,\n"
        "in the columns --curves-csv writes (Flow (%), Range (%), Twb, TCold; C\n"
        "with --units si): at least 3 flows and 3 ranges, every flow with every\n"
        "range, each curve at least 3 wet bulbs. Each row is written with the\n"
        "Adjusted Flow (the flow that at the design air flow gives the test L/G),\n"
        "the Predicted Flow (the flow at which the curves, read at the test wet\n"
        "bulb and range, give the test cold water), Capability (%) = 100 x\n"
        "adjusted / predicted, and the curves' Predicted Cold Water and Cold Water\n"
        "Deviation; m3/h with --units si. A reading's wet bulb and range must lie\n"
        "within the curves. With --slope as well, both methods' columns stand side\n"
        "by side, their captions naming the method");
    SingleOption(app, "--method", "curves|characteristic", options.method, ReadMethod,
                 "the method whose capability of the mean reading decides the verdict\n"
                 "(default: the maker's curves when given, else the characteristic curve).\n"
                 "With --totals the verdict, \"meets the design\" at 100 % or more, else\n"
                 "\"deficient: ...\", ends the closing row's Notes and standard error");
    SingleOption(app, "--report", "FILE.pdf", options.report, ReadPdfName,
                 "write the test's report, a PDF to sign: identification, design, tower,\n"
                 "each reading against the design, each method's capability, the mean\n"
                 "reading's result and verdict, the demand chart with the test line and,\n"
                 "with --maker-curves, the cross-plot; drawn by the chart module");
    SingleOption(
        app, "--title", "TEXT", options.title,
        [](std::string_view text) { return std::string(text); },
        "the report's title (default \"Acceptance test\")");
    ValueOption(app.add_option(
                       "--field",
                       [&options](const CLI::results_t& results) {
                           AddField(results, options);
                           return true;
                       },
                       "a line of the report's identification, such as --field \"Tower=CT-2\";\n"
                       "may be repeated, the lines shown in the order given")
                    ->type_name("NAME=TEXT"));
    SingleOption(app, "--paper", "a4|letter", options.paper, ReadPaper,
                 "the report's paper (default by the locale: Letter in the United States,\n"
                 "Canada, Mexico and the Philippines, else A4)");
}

void CheckTestOptions(const CalcOptions& options) {
    const bool reportDetail = options.title || !options.fields.empty() || options.paper;
    if (!options.acceptance) {
        if (options.makerCurves || options.method || options.report)
            Refuse(std::string(options.makerCurves ? "--maker-curves"
                               : options.method    ? "--method"
                                                   : "--report") +
                   " belongs to --acceptance");
    }
    if (reportDetail && !options.report)
        Refuse(std::string(options.title   ? "--title"
                           : options.paper ? "--paper"
                                           : "--field") +
               " belongs to --report");
    if (!options.acceptance) return;
    const bool studyCurves = options.fromStudy && !options.fromStudy->makerCurves.empty();
    if (options.method == AcceptanceMethod::kCurves && !options.makerCurves && !studyCurves)
        Refuse("--method curves: " + std::string(kCurvesNotGiven) + " (--maker-curves)");
    if (options.trace && !options.slope)
        Refuse("--trace writes the characteristic curve's worksheets: it needs --slope m");
    if (options.method == AcceptanceMethod::kCharacteristic && !options.slope)
        Refuse("--method characteristic needs --slope m");
#ifndef VELTRANE_CHART_MODULE
    if (options.report) Refuse("--report: reports are not available in this build");
#endif
}

bool ReadTestSettings(const CalcOptions& options, AcceptanceSettings& settings,
                      std::string& error) {
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    if (options.makerCurves) {
        settings.curves = ReadMakerCurves(*options.makerCurves, units, error, CsvFormatOf(options));
        if (!settings.curves) return false;
    } else if (options.fromStudy && !options.fromStudy->makerCurves.empty()) {
        MakerCurvesTable table = BuildMakerCurves(options.fromStudy->makerCurves);
        if (!table.curves) {
            error = "--study " + options.fromStudy->name + ": the maker's curves: " + table.refusal;
            return false;
        }
        settings.curves = std::move(table.curves);
    }
    settings.characteristic = options.slope.has_value();
    // CheckTestOptions has refused --method curves without the curves.
    settings.deciding = DecidingMethod(settings.curves.has_value(), options.method)
                            .value_or(AcceptanceMethod::kCharacteristic);
    if (options.report) {
        settings.report = ReportRequest{
            *options.report, options.title.value_or("Acceptance test"), options.fields,
            options.paper.value_or(PaperSizeForLocale(PaperLocaleName())),
            // A bare design fan power is in the readings' unit, which no header may name.
            std::string(settings.designPowerUnit == PowerUnit::kHorsepower ? "hp"
                        : settings.designPowerUnit == PowerUnit::kKilowatt ? "kW"
                                                                           : "")};
    }
    return true;
}

}  // namespace veltrane::cli
