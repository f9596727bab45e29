#include "performance_model.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "demand_points.h"
#include "performance_curves.h"
#include "unit_layer.h"
#include "utf8_text.h"
#include "worksheet.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

std::size_t PositionOf(Field field) {
    return static_cast<std::size_t>(field);
}

/// "Inlet Air Wet Bulb Temp (F)" without its " (F)"; a caption without a unit stays whole.
/// The engine's captions are English: the window shows them translated.
QString WithoutUnit(std::string_view caption) {
    const std::size_t open = caption.rfind(" (");
    if (caption.ends_with(')') && open != std::string_view::npos) caption = caption.substr(0, open);
    return QCoreApplication::translate("Caption", std::string(caption).c_str());
}

// The captions WithoutUnit gives, named here so that lupdate lists them for translation.
[[maybe_unused]] constexpr std::array kCaptionTexts{
    QT_TRANSLATE_NOOP("Caption", "Atmos Press"),
    QT_TRANSLATE_NOOP("Caption", "Inlet Air Wet Bulb Temp"),
    QT_TRANSLATE_NOOP("Caption", "Inlet Air Dry Bulb Temp"),
    QT_TRANSLATE_NOOP("Caption", "Hot Water Temp"),
    QT_TRANSLATE_NOOP("Caption", "Approach = TCold-Twb"),
    QT_TRANSLATE_NOOP("Caption", "Liquid/Gas Ratio"),
    QT_TRANSLATE_NOOP("Caption", "Circulating Water Flow"),
    QT_TRANSLATE_NOOP("Caption", "Blowdown Cycles of Conc"),
    QT_TRANSLATE_NOOP("Caption", "Drift Loss"),
    QT_TRANSLATE_NOOP("Caption", "Makeup Water Temp"),
    QT_TRANSLATE_NOOP("Caption", "Fan Total Press"),
    QT_TRANSLATE_NOOP("Caption", "Fan Efficency"),
};

}  // namespace

std::optional<Input> InputOf(Field field) {
    if (PositionOf(field) >= kInputCount) return std::nullopt;
    return kAllInputs[PositionOf(field)];
}

std::array<Field, kFieldCount> AllFields() {
    std::array<Field, kFieldCount> fields{};
    for (std::size_t i = 0; i < kFieldCount; ++i)
        fields[i] = static_cast<Field>(i);
    return fields;
}

PerformanceModel::PerformanceModel(QObject* parent) : QObject(parent) {
    restoreDefaults();
}

QString PerformanceModel::FieldName(Field field) {
    if (const std::optional<Input> input = InputOf(field)) {
        return WithoutUnit(kInputs[*input].caption);
    }
    return field == Field::kTowerC ? tr("Tower C") : tr("Tower m");
}

QString PerformanceModel::Refusal(Field field, float value) {
    if (!std::isfinite(value)) return tr("is not a finite number");
    switch (field) {
        case Field::kTowerC:
            // KaV/L = C·(L/G)^−m is a positive number of transfer units.
            return value > 0.0F ? QString() : tr("must be greater than 0");
        case Field::kTowerM:
            return value >= 0.0F ? QString() : tr("must be 0 or more");
        default:
            break;
    }
    switch (*InputOf(field)) {
        // The dry air flow is Flow / (L/G), and the charts take logarithms of the L/G.
        case Input::kLiquidGas:
        // Every moist-air property divides by the atmospheric pressure.
        case Input::kAtmosPress:
            return value > 0.0F ? QString() : tr("must be greater than 0");
        default:
            return {};
    }
}

QString PerformanceModel::setValue(Field field, float value) {
    QString refusal = Refusal(field, value);
    if (!refusal.isEmpty()) {
        setProblem(field, refusal);
        return refusal;
    }
    const bool changed = values_[PositionOf(field)] != value;
    values_[PositionOf(field)] = value;
    const bool wasMarked = clearProblem(field);
    if (changed || wasMarked) recalculate();
    if (wasMarked) emit problemsChanged();
    return {};
}

void PerformanceModel::setProblem(Field field, const QString& reason) {
    QString& problem = problems_[PositionOf(field)];
    if (problem == reason) return;
    problem = reason;
    emit problemsChanged();
}

bool PerformanceModel::clearProblem(Field field) {
    QString& problem = problems_[PositionOf(field)];
    if (problem.isEmpty()) return false;
    problem.clear();
    return true;
}

void PerformanceModel::setTowerSource(TowerSource source) {
    if (towerSource_ == source) return;
    towerSource_ = source;
    recalculate();
}

void PerformanceModel::setChartUnits(UnitSystem units) {
    if (curveUnits_ != units) {
        curveUnits_ = units;
        curves_.reset();
    }
    std::vector<float> approaches = DefaultChartApproaches(units);
    if (chartApproaches_ == approaches) return;
    chartApproaches_ = std::move(approaches);
    recalculate();
}

std::array<float, kFieldCount> PerformanceModel::DefaultValues() {
    std::array<float, kFieldCount> values{};
    const DesignInputs defaults = DefaultDesignInputs();
    for (const Input input : kAllInputs)
        values[PositionOf(FieldOf(input))] = defaults[input];
    values[PositionOf(Field::kTowerC)] = kDefaultTowerC;
    values[PositionOf(Field::kTowerM)] = kDefaultTowerM;
    return values;
}

void PerformanceModel::restoreDefaults() {
    setAll(DefaultValues(), TowerSource::kThroughDesignPoint);
}

void PerformanceModel::setAll(const std::array<float, kFieldCount>& values, TowerSource source) {
    values_ = values;
    towerSource_ = source;
    bool anyMarked = false;
    for (const Field field : AllFields())
        anyMarked = clearProblem(field) || anyMarked;
    recalculate();
    if (anyMarked) emit problemsChanged();
}

float PerformanceModel::value(Field field) const {
    return values_[PositionOf(field)];
}

const QString& PerformanceModel::problem(Field field) const {
    return problems_[PositionOf(field)];
}

bool PerformanceModel::hasProblems() const {
    for (const QString& problem : problems_) {
        if (!problem.isEmpty()) return true;
    }
    return false;
}

void PerformanceModel::recalculate() {
    if (hasProblems()) return;
    Calculation next;
    for (const Input input : kAllInputs)
        next.inputs[input] = values_[PositionOf(FieldOf(input))];
    next.towerSource = towerSource_;
    next.givenC = value(Field::kTowerC);
    next.m = value(Field::kTowerM);
    next.results = CalculatePerformance(next.inputs);
    next.findings = FindDesignChecks(next.inputs, next.results);
    next.tower = towerSource_ == TowerSource::kGiven
                     ? std::optional(TowerCharacteristic{next.givenC, next.m})
                     : TowerThroughDesign(next.inputs, next.m);
    DemandChartRequest request;
    request.approaches = chartApproaches_;
    request.tower = next.tower;
    next.chart = BuildDemandChart(next.inputs, request);
    calculation_ = std::move(next);
    worksheets_ = {};
    curves_.reset();
    emit calculated();
}

QString PerformanceModel::status() const {
    for (const Field field : AllFields()) {
        if (!problem(field).isEmpty()) {
            return tr("%1 %2; the results are those of the last usable inputs.")
                .arg(FieldName(field), problem(field));
        }
    }
    QStringList notes;
    for (const DesignCheck check : calculation_.findings) {
        notes << LocalNumbers(desktop::FromUtf8(kDesignChecks[check].finding), QLocale());
    }
    if (!calculation_.tower) {
        notes << tr(
            "No tower through the design point: a driving force of the design is zero or "
            "negative, so its KaV/L is no demand");
    } else if (!calculation_.chart.operatingPoint) {
        notes << tr("No operating point: ") +
                     desktop::FromUtf8(calculation_.chart.noOperatingPoint);
    }
    return notes.isEmpty() ? tr("Calculated") : notes.join(QStringLiteral("; "));
}

const std::optional<PerformanceCurves>& PerformanceModel::performanceCurves() const {
    if (!curves_) {
        const Calculation& c = calculation_;
        curves_.emplace(c.tower
                            ? std::optional(CalculatePerformanceCurves(
                                  c.inputs, *c.tower, DefaultWetBulbSpan(c.inputs, curveUnits_)))
                            : std::nullopt);
    }
    return *curves_;
}

const std::string& PerformanceModel::worksheet(UnitSystem units) const {
    std::optional<std::string>& worksheet = worksheets_[units == UnitSystem::kSI ? 1 : 0];
    if (worksheet) return *worksheet;
    const WorksheetFormat format(WorksheetNumbers::kReadable, units);
    std::string text;
    AppendWorksheet(text, "the design", calculation_.inputs, format);
    if (calculation_.tower) {
        std::vector<ApproachTrial> trials;
        const Rating rating = RateDesign(calculation_.inputs, *calculation_.tower, &trials);
        AppendRatingWorksheet(text, "the design", calculation_.inputs, *calculation_.tower, rating,
                              trials, format);
    }
    worksheet = std::move(text);
    return *worksheet;
}

}  // namespace veltrane::performance
