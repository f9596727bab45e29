#include "calc_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <utility>

#include "batch_mode.h"
#include "chart_axes.h"
#include "chart_format.h"
#include "design_sets.h"
#include "input_columns.h"
#include "number_text.h"
#include "option_reading.h"
#include "study_settings.h"
#include "units.h"
#include "usable_values.h"

namespace veltrane::cli {
namespace {

/// Adds a sweep unless its input is swept already.
void AddSweep(std::string_view argument, CalcOptions& options) {
    std::string error;
    const std::optional<Sweep> sweep = ParseSweep(argument, error);
    if (!sweep) Refuse(error);
    const bool repeated = std::any_of(options.sweeps.begin(), options.sweeps.end(),
                                      [&](const Sweep& s) { return s.input == sweep->input; });
    if (repeated) {
        Refuse("--sweep " + std::string(kInputs[sweep->input].shortName) + " is given twice");
    }
    // The single sweep's limit holds for all of them together: each row gives their product.
    std::size_t designs = sweep->count;
    for (const Sweep& earlier : options.sweeps) {
        if (designs > kMaxSweepValues / earlier.count) {
            designs = kMaxSweepValues + 1;
            break;
        }
        designs *= earlier.count;
    }
    if (designs > kMaxSweepValues) {
        Refuse("--sweep " + std::string(kInputs[sweep->input].shortName) +
               ": the sweeps together give more than " + std::to_string(kMaxSweepValues) +
               " designs for each row");
    }
    options.sweeps.push_back(*sweep);
}

/// Approaches separated by commas, each above 0, kept as typed: their units are known only once
/// every option is read.
std::vector<std::string> ParseApproaches(std::string_view argument) {
    constexpr std::size_t kMostApproaches = 12;
    std::vector<std::string> approaches;
    while (true) {
        const std::size_t comma = std::min(argument.find(','), argument.size());
        const std::string_view text = argument.substr(0, comma);
        ReadPositiveNumber("--approaches", text);
        approaches.emplace_back(text);
        if (comma == argument.size()) break;
        argument.remove_prefix(comma + 1);
    }
    if (approaches.size() > kMostApproaches) {
        Refuse("--approaches: at most " + std::to_string(kMostApproaches) + " approaches");
    }
    return approaches;
}

/// The approaches as the chart takes them, °F: typed in °F each is read as the calculation reads
/// any number; typed in K each is converted in double precision and rounded once.
std::vector<float> ApproachesInFahrenheit(const std::vector<std::string>& typed, UnitSystem units) {
    std::vector<float> approaches;
    for (const std::string& text : typed) {
        float fahrenheit = 0.0F;
        if (units == UnitSystem::kUS) {
            ReadInputNumber(text, fahrenheit);  // checked when the option was read
        } else {
            fahrenheit = InputFromUnits(Quantity::kTemperatureDifference, units,
                                        ReadAcceptedNumberAsDouble(text));
        }
        approaches.push_back(fahrenheit);
    }
    return approaches;
}

/// FROM:TO with 0 < FROM < TO.
LiquidGasSpan ParseLiquidGasSpan(std::string_view argument) {
    const auto [fromText, toText] = SplitPair(argument, "--lg", "FROM:TO");
    const LiquidGasSpan span{ReadPositiveNumber("--lg", fromText),
                             ReadPositiveNumber("--lg", toText)};
    if (!(span.from < span.to))
        Refuse("--lg: FROM must be below TO in " + QuoteForMessage(argument));
    if (!chart::IsDrawableSpan(span)) {
        Refuse("--lg: " + std::string(chart::kDrawableSpanRule) + ", not " +
               QuoteForMessage(argument));
    }
    return span;
}

UnitSystem ParseUnits(std::string_view argument) {
    if (argument == "us") return UnitSystem::kUS;
    if (argument == "si") return UnitSystem::kSI;
    Refuse("--units must be si or us, not " + QuoteForMessage(argument));
}

/// The reader of a drawing's FILE for `option`: its extension names the format.
auto ChartFileFor(std::string_view option) {
    return [option](std::string_view argument) {
        if (!chart::FormatOfFile(argument)) {
            Refuse(std::string(option) + ": the file must end in .svg, .pdf or .png, not " +
                   QuoteForMessage(argument));
        }
        return std::string(argument);
    };
}

/// A value given to a flag ("--raw=1") is the one mismatch CLI11 can report here.
std::string DescribeParseError(const CLI::ParseError& error) {
    const std::string_view text = error.what();
    constexpr std::string_view kFlagValue = " was given a disallowed flag override";
    if (text.ends_with(kFlagValue)) {
        return "--" + std::string(text.substr(0, text.size() - kFlagValue.size())) +
               " takes no value";
    }
    return std::string(text) + "; see " + std::string(kProgramName) + " --help";
}

/// A reader of an efficiency in percent, refused by the engine's rule with the option named.
auto ReadEfficiency(std::string_view option) {
    return [option](std::string_view text) {
        const float percent = ReadOptionNumber(std::string(option), text);
        const ValueCheck check = CheckEfficiency(percent);
        if (!check.usable()) Refuse(std::string(option) + " " + check.reason);
        return percent;
    };
}

LeavingAirRule ParseExitAir(std::string_view argument) {
    if (argument == "exact") return LeavingAirRule::kExact;
    if (argument == "window") return LeavingAirRule::kWindow;
    Refuse("--exit-air needs exact or window, not " + QuoteForMessage(argument));
}

/// The options of the leaving air, then those of the fan control.
void DeclareYearOptions(CLI::App& app, CalcOptions& options) {
    SingleOption(app, "--exit-air", "exact|window", options.exitAir, ParseExitAir,
                 "the leaving air that evaporation, blowdown, makeup, the exit air's\n"
                 "temperature, volume and flow and the fan power are taken from, for every\n"
                 "row. window is the window's search, which stops at a 1 % change of its\n"
                 "temperature and takes the humidity ratio of its last trial; exact is the\n"
                 "air saturated at the leaving enthalpy, its temperature solved to 0.001 F\n"
                 "or better and its humidity ratio and volume taken there. Without this\n"
                 "option each row decides, as the window does: a row with Hours and every\n"
                 "row under --setpoint take exact (a year's sums carry no search error),\n"
                 "a plain design row the window's search. Rows with exact have Notes,\n"
                 "which say where there is no such air");
    FanSettings::DeclareOptions(app, options);
    WeatherSettings::DeclareOptions(app, options);
    SingleOption(app, "--motor-efficiency", "PCT", options.motorEfficiency,
                 ReadEfficiency("--motor-efficiency"),
                 "the fan motor's efficiency, % (above 0, at most 100): a column Fan\n"
                 "Electrical Energy (kWh) = Fan Energy / (PCT / 100) follows Fan Energy,\n"
                 "which stays the fan-shaft power x Hours");
    SingleOption(app, "--drive-efficiency", "PCT", options.driveEfficiency,
                 ReadEfficiency("--drive-efficiency"),
                 "with --motor-efficiency and --fan vfd: the variable-speed drive's\n"
                 "efficiency, %; the electrical energy is then divided by it too");
}

/// The options of the demand chart.
void DeclareChartOptions(CLI::App& app, CalcOptions& options) {
    SingleOption(app, "--chart", "FILE", options.chart, ChartFileFor("--chart"),
                 "draw the first design's demand curves (the defaults with --defaults)\n"
                 "into FILE, an SVG, PDF or PNG by its extension: KaV/L over L/G on log-log\n"
                 "axes for each approach, the design's wet bulb, range and pressure held,\n"
                 "each curve ending where a driving force reaches zero. With --tower also\n"
                 "the tower line, its crossings and the operating point at the design's\n"
                 "L/G. Standard output is unchanged. With --units si the design is read\n"
                 "in SI and the chart's temperatures are in C, its range and approaches in\n"
                 "K and its pressure in kPa; L/G and KaV/L have no unit");
    SingleOption(
        app, "--demand", "FILE.csv", options.demand,
        [](std::string_view file) { return std::string(file); },
        "write the points behind the chart to FILE.csv: Approach, LG, KaVL; with\n"
        "--units si the header is Approach (K), LG, KaVL and each approach the\n"
        "shortest text in K that converts back to the very approach calculated");
    SingleOption(app, "--approaches", "LIST", options.typedApproaches, ParseApproaches,
                 "the chart's approaches besides the design's own, in F (in K with --units\n"
                 "si), separated by commas (default 5,7,10,15,20 F; 3,4,6,8,11 K in SI)");
    SingleOption(app, "--lg", "FROM:TO", options.liquidGasSpan, ParseLiquidGasSpan,
                 "the chart's range of L/G (default 0.3:5), FROM and TO between 0.01 and\n"
                 "100 and TO at least twice FROM");
    app.add_flag("--label-crossings", options.labelCrossings,
                 "with --tower, write L/G and KaV/L beside each crossing of the tower line");
}

/// m not negative.
float ParseSlope(std::string_view text) {
    const float slope = ReadOptionNumber("--slope: m", text);
    if (!(slope >= 0.0F)) Refuse("--slope: m must not be negative, not " + QuoteForMessage(text));
    return slope;
}

/// FROM:TO with FROM ≤ TO and no more wet bulbs, a degree apart, than a curve may hold. In °F,
/// or in °C under --units si, which may come later on the line: the span takes its units when
/// the curves are built.
WetBulbSpan ParseWetBulbs(std::string_view argument) {
    const auto [fromText, toText] = SplitPair(argument, "--wet-bulbs", "FROM:TO");
    WetBulbSpan span;
    span.from = ReadOptionNumber("--wet-bulbs: FROM", fromText);
    span.to = ReadOptionNumber("--wet-bulbs: TO", toText);
    if (!(span.from <= span.to))
        Refuse("--wet-bulbs: FROM must not be above TO in " + QuoteForMessage(argument));
    if (!SpanWetBulbs(span)) {
        Refuse("--wet-bulbs: at most " + std::to_string(kMostCurvePoints) +
               " wet bulbs, a degree apart, in " + QuoteForMessage(argument));
    }
    return span;
}

/// The options of the acceptance test, the performance curves and the fit.
void DeclareCapabilityOptions(CLI::App& app, CalcOptions& options) {
    AcceptanceSettings::DeclareOptions(app, options);
    SingleOption(app, "--slope", "m", options.slope, ParseSlope,
                 "the slope m of the tower characteristic KaV/L = C x (L/G)^-m; the tower\n"
                 "passes through the design point, C = KaV/L x (L/G)^m of the design");
    SingleOption(app, "--curves", "FILE", options.curves, ChartFileFor("--curves"),
                 "draw the first design's performance curves (the defaults with\n"
                 "--defaults) into FILE, an SVG, PDF or PNG by its extension: cold water\n"
                 "against wet bulb for 90, 100 and 110 % of the design flow (L/G in\n"
                 "proportion: the fans at design power), each at 80, 100 and 120 % of the\n"
                 "design range, for the tower of --tower or the one through the design\n"
                 "point with --slope. A wet bulb at which the tower has no operating point\n"
                 "is left out of its line. Standard output is unchanged. With --units si\n"
                 "the chart is in C, K and m3/h");
    SingleOption(
        app, "--curves-csv", "FILE.csv", options.curvesCsv,
        [](std::string_view file) { return std::string(file); },
        "write the curves' points to FILE.csv: Flow (%), Range (%), Twb, TCold,\n"
        "each the shortest decimal that reads back as the value calculated. With\n"
        "--units si the columns are Twb (C) and TCold (C), each temperature the\n"
        "shortest text that converts back to that very value, as --raw writes");
    SingleOption(app, "--wet-bulbs", "FROM:TO", options.wetBulbs, ParseWetBulbs,
                 "the curves' wet bulbs, in F, 1 F apart (default 40 to 10 F above the\n"
                 "design wet bulb). With --units si in C, 1 K apart, each whole C converted\n"
                 "once (default the same ends in C rounded outward to whole C: 4 to 24\n"
                 "for the defaults)");
    FitSettings::DeclareOptions(app, options);
}

/// Options that only make sense together, checked once all are read.
void CheckCombinations(CalcOptions& options) {
    const bool curves = options.curves || options.curvesCsv;
    RateSettings::CheckOptions(options);
    AcceptanceSettings::CheckOptions(options);
    FitSettings::CheckOptions(options);
    if (options.slope && options.tower)
        Refuse("--slope and --tower cannot be given together: --tower C:m holds m");
    if (options.slope && !options.acceptance && !curves && !options.fit)
        Refuse("--slope belongs to --acceptance, --fit, --curves or --curves-csv");
    if (curves && !options.slope && !options.tower)
        Refuse(std::string(options.curves ? "--curves" : "--curves-csv") +
               " needs --slope m or --tower C:m");
    if (options.wetBulbs && !curves) Refuse("--wet-bulbs belongs to --curves or --curves-csv");
    FanSettings::CheckOptions(options);
    WeatherSettings::CheckOptions(options);
    if (options.driveEfficiency && !options.motorEfficiency)
        Refuse("--drive-efficiency needs --motor-efficiency");
    const bool variableSpeed = options.fan && options.fan->mode == FanMode::kVariableSpeed;
    if (options.driveEfficiency && !variableSpeed)
        Refuse("--drive-efficiency belongs to --fan vfd: only a variable-speed drive has one");
}

/// The demand chart's options without the chart, checked once the mode takes them.
void CheckChartOptions(const CalcOptions& options) {
    // They shape the chart and its points alone: without either, they would be ignored.
    const bool demand = options.chart || options.demand;
    if (options.typedApproaches && !demand) Refuse("--approaches belongs to --chart or --demand");
    if (options.liquidGasSpan && !demand) Refuse("--lg belongs to --chart or --demand");
    if (options.labelCrossings && !(options.chart && options.tower))
        Refuse("--label-crossings belongs to --chart with --tower: it labels the tower line");
}

/// Every option, declared once: the parser reads them and the help lists them in this order.
/// A description's lines are separated by '\n'.
void DeclareOptions(CLI::App& app, CalcOptions& options, std::string& traceTarget) {
    app.add_flag("--raw", options.raw,
                 "each result as the shortest decimal that reads back to the same value,\n"
                 "without grouping; inf, -inf and nan when not finite");
    app.add_flag("--check", options.check,
                 "a last column Notes with what the window would have said of the design");
    app.add_flag("--defaults", options.defaults,
                 "calculate the default design alone; no input is read");
    SingleOption(
        app, "--study", "FILE.veltrane", options.study,
        [](std::string_view file) { return std::string(file); },
        "re-run a study saved by veltrane-performance: it gives the design (the\n"
        "row calculated when no FILE is given), its units, and for the mode the\n"
        "options choose its settings: with --acceptance (no DESIGN.csv) its\n"
        "readings (unless FILEs are given), slope (the tower's m when it has\n"
        "none), design fan power, draft, method, test limits and maker's curves;\n"
        "with --setpoint or --weather its tower, setpoint, fan control and, for a\n"
        "weather file, its load (see those options). An option given on the\n"
        "command line wins over the study's value. Files the study names are\n"
        "found from the study's own folder. A study that cannot be read (a newer\n"
        "version, a value out of range) stops the run, exit status 2");
    SingleOption(app, "--units", "si|us", options.units, ParseUnits,
                 "the units of every column, --sweep and the totals: us (the default), or si\n"
                 "as listed above, results with SI captions (\"Cold Water Out Temp (C)\").\n"
                 "The calculation runs in US units: an SI input is converted and rounded\n"
                 "once to single precision, each result converted from the value\n"
                 "calculated. With --raw an SI result is the shortest text that converts\n"
                 "back to that very value. --tower's C:m and Notes stay as they are;\n"
                 "--trace writes each quantity in US and SI units side by side. Every other\n"
                 "option works in SI as it says");
    app.add_flag("--decimal-comma", options.decimalComma,
                 "read every CSV input (rows, DESIGN.csv, the maker's curves, a load file)\n"
                 "as a decimal-comma spreadsheet writes it: fields separated by ';', ','\n"
                 "the decimal mark, a '.' in a number refused (it would be a grouping\n"
                 "mark). The output stays in the program's own form (',' and '.'), so that\n"
                 "it reads back without the option. Without it, a file whose first line is\n"
                 "separated by ';' is refused, exit status 2");
    ValueOption(app.add_option(
                       "--sweep",
                       [&options](const CLI::results_t& results) {
                           AddSweep(ArgumentOf(results, "--sweep", "NAME=FROM:TO:STEP"), options);
                           return true;
                       },
                       "repeat every design with input NAME at FROM, FROM+STEP, ... up to TO;\n"
                       "several sweeps give every combination, the first varying slowest")
                    ->type_name("NAME=FROM:TO:STEP"));
    RateSettings::DeclareOptions(app, options);
    app.add_flag("--totals", options.totals,
                 "a closing row over all rows with Hours: the sums of Hours, of the water\n"
                 "volumes and of the fan energy, and in Cold Water Out Temp the\n"
                 "hours-weighted mean (empty under --setpoint: Cold Water Reached is the\n"
                 "plant's); its other columns are empty, Notes says how many rows it holds,\n"
                 "names the rows left out and says when the Hours add up to more than the\n"
                 "8784 of a leap year. Writes the Hours columns even when no input has them");
    app.add_flag("--trace{-}", traceTarget,
                 "write a worksheet for each design, every working quantity with its unit\n"
                 "and formula in the order calculated (with --tower, every step of the\n"
                 "approach search first), to standard error or to FILE; numbers to six\n"
                 "significant figures, exact with --raw. With --units si each quantity\n"
                 "in US and SI units side by side (an exact SI value is the shortest\n"
                 "decimal that converts back to the US one)")
        ->type_name("[=FILE]")
        ->disable_flag_override(false);
    DeclareYearOptions(app, options);
    DeclareChartOptions(app, options);
    DeclareCapabilityOptions(app, options);
    app.add_flag("-h,--help", options.help, "show this text");
    app.add_flag("--version", options.version, "show the version");
    app.add_option("files", options.files);
}

/// "-h, --help", "--sweep NAME=FROM:TO:STEP", "--trace[=FILE]".
std::string OptionForm(const CLI::Option& option) {
    std::string form;
    for (const std::string& name : option.get_snames())
        form += (form.empty() ? "-" : ", -") + name;
    for (const std::string& name : option.get_lnames())
        form += (form.empty() ? "--" : ", --") + name;
    const std::string typeName = option.get_type_name();
    if (!typeName.empty()) form += (typeName.starts_with("[=") ? "" : " ") + typeName;
    return form;
}

/// The options as the help lists them: the form, then the description from column 16.
std::string OptionList(const CLI::App& app) {
    constexpr std::size_t kDescriptionColumn = 16;
    std::string text;
    for (const CLI::Option* option : app.get_options()) {
        if (!option->nonpositional()) continue;
        std::string line = "  " + OptionForm(*option);
        std::string_view description = option->get_description();
        if (line.size() + 1 > kDescriptionColumn) {
            text += line + "\n";
            line.clear();
        }
        while (!description.empty()) {
            const std::size_t end = std::min(description.find('\n'), description.size());
            line.resize(kDescriptionColumn, ' ');
            line += description.substr(0, end);
            text += line + "\n";
            line.clear();
            description.remove_prefix(std::min(end + 1, description.size()));
        }
    }
    return text;
}

/// One line naming the first option given that the chosen mode would not use; empty when there
/// is none.
std::string OptionForeignToMode(const CLI::App& app, const CalcOptions& options) {
    const ChosenMode mode = ModeChosenBy(options);
    for (const CLI::Option* option : app.get_options()) {
        if (!option->nonpositional() || option->count() == 0) continue;
        const std::string name = "--" + option->get_lnames().front();
        if (ModeTakesOption(mode.name, name)) continue;
        return name + " does not apply to " +
               (mode.option.empty() ? std::string("the designs as they stand")
                                    : std::string(mode.option));
    }
    return {};
}

void ConfigureApp(CLI::App& app) {
    app.set_help_flag();
    app.allow_extras();
    app.option_defaults()->disable_flag_override();
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> arguments) {
    ParsedArguments parsed;
    CalcOptions& options = parsed.options;
    std::string traceTarget;
    CLI::App app{"", std::string(kProgramName)};
    ConfigureApp(app);
    DeclareOptions(app, options, traceTarget);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const BadOption& bad) {
        parsed.error = bad.message;
        return parsed;
    } catch (const CLI::ParseError& error) {
        parsed.error = DescribeParseError(error);
        return parsed;
    }
    // "--" ends the options: what follows it is files, and it is itself left over.
    for (const std::string& extra : app.remaining()) {
        if (extra == "--") continue;
        parsed.error = "unknown option " + QuoteForMessage(extra) + "; see " +
                       std::string(kProgramName) + " --help";
        return parsed;
    }
    if (app.count("--trace") > 0) options.trace = traceTarget.empty() ? "-" : traceTarget;
    if (options.help || options.version) return parsed;
    // The study stands for options left out, so it is taken before they are checked together.
    if (options.study) {
        parsed.error = TakeStudy(options);
        if (!parsed.error.empty()) return parsed;
    }
    try {
        CheckCombinations(options);
    } catch (const BadOption& bad) {
        parsed.error = bad.message;
        return parsed;
    }
    parsed.error = OptionForeignToMode(app, options);
    if (!parsed.error.empty()) return parsed;
    try {
        CheckChartOptions(options);
    } catch (const BadOption& bad) {
        parsed.error = bad.message;
        return parsed;
    }
    if (options.typedApproaches) {
        options.approaches = ApproachesInFahrenheit(*options.typedApproaches,
                                                    options.units.value_or(UnitSystem::kUS));
    }
    // With --acceptance, --defaults is the design and the FILEs are the readings.
    if (options.defaults && !options.files.empty() && !options.acceptance) {
        parsed.error = "--defaults reads no input: leave out the files";
    }
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    for (const Sweep& sweep : options.sweeps) {
        if (!sweep.captionUnits || *sweep.captionUnits == units || !parsed.error.empty()) continue;
        const bool si = units == UnitSystem::kSI;
        parsed.error = "--sweep " + QuoteForMessage(CaptionIn(sweep.input, *sweep.captionUnits)) +
                       " is in " + (si ? "US" : "SI") + " units; with --units " +
                       (si ? "si" : "us") + " name it " +
                       std::string(kInputs[sweep.input].shortName) + " or " +
                       QuoteForMessage(CaptionIn(sweep.input, units));
    }
    return parsed;
}

std::string UsageText() {
    std::string text =
        "Usage: veltrane-calc [options] [FILE...]\n"
        "\n"
        "Calculates cooling tower designs in bulk with the same calculation and result texts as\n"
        "the Veltrane window. Reads CSV rows of the twelve design inputs from the FILEs, or from\n"
        "standard input when there are none (\"-\" names it too), and writes CSV to standard\n"
        "output: the inputs as read, then the sixteen results.\n"
        "\n"
        "Columns come in this order, unless a first row names them by short name or caption in\n"
        "any case and any order; a column left out takes its default. With --units si each is\n"
        "read in the SI unit on the right, its default the same value:\n";
    for (const InputDefinition& entry : kInputs) {
        std::string line = "  " + std::string(entry.shortName);
        line.resize(14, ' ');
        line += entry.caption;
        line.resize(46, ' ');
        line += "default " + std::string(entry.defaultText);
        line.resize(60, ' ');
        const std::string_view siUnit = UnitOf(kInputUnits[entry.index].quantity, UnitSystem::kSI);
        line += siUnit.empty() ? "-" : siUnit;
        text += line + "\n";
    }
    text +=
        "Numbers take '.' as the decimal mark and an optional exponent: 14.7, .001, 1.5e3\n"
        "(',' for the decimal mark and ';' between fields with --decimal-comma).\n"
        "MakeupTemp is read but enters no result: the calculation does not use it.\n"
        "\n"
        "Weather bins: a named column Hours (hours per year in the row's bin) adds, after the\n"
        "results, the water over those hours in US gallons (gpm x 60 x Hours) and the fan\n"
        "energy in kWh (745.69987 W per hp x Hours): columns Hours, Evaporation (gal), Blowdown\n"
        "(gal), Drift (gal), Makeup (gal) and Fan Energy (kWh). They are written when the first\n"
        "input names Hours, or with --totals. With --units si the water is in m3.\n"
        "A bin's heat load is its Flow x its range: the range THot - (Twb + Approach) of the\n"
        "row, which a bins table of Twb, Tdb and Hours alone takes from the defaults, or a named\n"
        "column Range (F; K with --units si, above 0) that holds each row's range, its THot then\n"
        "Twb + Approach + Range (a header may not name both THot and Range). In a row with\n"
        "Hours an empty cell is never a default: the row is named on standard error and left\n"
        "out. A row with Hours, and every row under --setpoint, takes the exact leaving air\n"
        "(see --exit-air); other rows take the window's search.\n"
        "\n"
        "Options:\n";
    CalcOptions options;
    std::string traceTarget;
    CLI::App app{"", std::string(kProgramName)};
    ConfigureApp(app);
    DeclareOptions(app, options, traceTarget);
    text += OptionList(app);
    text +=
        "\n"
        "Exit status: 0 when every design was calculated and written; 1 when a file could not\n"
        "be read, a row was malformed, a rated row has no operating point, the exact leaving\n"
        "air is not found for a row (at the speed its fans run, under --setpoint), a row of\n"
        "data has an empty cell, a test reading cannot be evaluated or lies beyond a test\n"
        "limit, or a --fit row is left out (it is named on standard error, and the others are\n"
        "still calculated), or when an output could not be written (a --trace FILE that cannot\n"
        "be opened stops the run before anything is calculated); 2 for a bad option, or one\n"
        "that the mode chosen does not use (such as --exit-air with --acceptance, or --totals\n"
        "with --fit), a study that cannot be read, or a file separated by ';' without\n"
        "--decimal-comma, with nothing calculated.\n"
        "\n"
        "Example: KaV/L over L/G for three approaches, the other inputs at their defaults:\n"
        "  veltrane-calc --defaults --sweep Approach=5:15:5 --sweep LG=0.5:2:0.1\n"
        "Example: the cold water temperature of a tower over the wet bulb:\n"
        "  veltrane-calc --defaults --tower 2.3:0.75 --sweep Twb=60:80:5\n"
        "Example: a field test's capability against the default design, and the test's result:\n"
        "  veltrane-calc --acceptance --defaults --slope 0.6 --totals readings.csv\n"
        "Example: a field test judged by the maker's curves, with its report to sign:\n"
        "  veltrane-calc --acceptance design.csv --maker-curves curves.csv --totals \\\n"
        "      --report test.pdf --title \"Acceptance test of CT-2\" readings.csv\n"
        "Example: the performance curves of the default design's tower, m = 0.6:\n"
        "  veltrane-calc --defaults --slope 0.6 --curves curves.pdf\n"
        "Example: the characteristic of a maker's performance data:\n"
        "  veltrane-calc --fit data.csv\n"
        "Example: a study saved by the window: its design, its test's verdict, its year:\n"
        "  veltrane-calc --study plant.veltrane\n"
        "  veltrane-calc --study plant.veltrane --acceptance --totals\n"
        "  veltrane-calc --study plant.veltrane --weather --monthly --totals\n"
        "Example: a year of the default design at a site, month by month:\n"
        "  veltrane-calc --weather site.epw --defaults --tower design:0.6 --setpoint 78 \\\n"
        "      --fan vfd --monthly --totals\n";
    return text;
}

}  // namespace veltrane::cli
