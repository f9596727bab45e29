#include "acceptance_model.h"

#include <QColor>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

#include "csv_records.h"
#include "csv_writer.h"
#include "table_text.h"
#include "utf8_text.h"
#include "worksheet.h"

namespace veltrane::performance {

namespace {

using desktop::FromUtf8;

// The fan power is in the unit of the design fan power: only their ratio enters. Its header names
// the unit the readings were logged in, which the judgement reads itself.
constexpr std::array<NamedColumn, kReadingColumns> kColumns{{
    {"P", Quantity::kPressure},
    {"Twb", Quantity::kTemperature},
    {"Tdb", Quantity::kTemperature},
    {"THot", Quantity::kTemperature},
    {"TCold", Quantity::kTemperature},
    {"Flow", Quantity::kWaterFlow},
    {"FanPower", Quantity::kPower, false},
}};

/// A sentence of the engine's with its numbers in the user's decimal mark.
QString EngineText(std::string_view text) {
    return LocalNumbers(FromUtf8(text), QLocale());
}

/// Temperatures are shown to two places.
constexpr double kLeastShownDegrees = 0.005;

/// Why an evaluation stopped, in the engine's words.
QString Reason(const CapabilityEvaluation& e) {
    QString reason = FromUtf8(DescribeEvaluation(e.outcome));
    if (e.outcome == EvaluationOutcome::kDesignTowerNotRated) {
        reason += QStringLiteral(" (%1)").arg(FromUtf8(DescribeOutcome(e.ratingOutcome)));
    }
    return reason;
}

bool Evaluated(const std::optional<CapabilityEvaluation>& e) {
    return e && e->outcome == EvaluationOutcome::kEvaluated;
}

float Cell(const TestReading& r, std::size_t column) {
    const std::array<float, kReadingColumns> cells{r.pressure,  r.wetBulb,   r.dryBulb, r.hotWater,
                                                   r.coldWater, r.waterFlow, r.fanPower};
    return cells[column];
}

/// A capability to one decimal, or as many more as keep one below 100 % below it, so that the
/// figure never contradicts the verdict.
QString CapabilityText(float capability) {
    if (!(capability < kFullCapability))
        return QLocale().toString(static_cast<double>(capability), 'f', 1);
    return FromUtf8(DeficientCapabilityText(capability)).replace(u'.', QLocale().decimalPoint());
}

/// The reading cells a limit is measured on: the wet bulb, the range (hot and cold water), the
/// flow, the heat load (flow and range), the fan power, the pressure.
std::vector<std::size_t> ColumnsOf(TestLimit limit) {
    switch (limit) {
        case TestLimit::kWetBulb:
            return {1};
        case TestLimit::kRange:
            return {3, 4};
        case TestLimit::kWaterFlow:
            return {5};
        case TestLimit::kHeatLoad:
            return {3, 4, 5};
        case TestLimit::kFanPower:
            return {6};
        case TestLimit::kPressure:
            return {0};
    }
    return {};
}

/// A limit in US units (°F, inHg, %) as shown in the units of `units`, and back.
double LimitShown(TestLimit limit, double us, const UnitLayer& units) {
    if (units.system() == UnitSystem::kUS) return us;
    if (limit == TestLimit::kWetBulb) return units.toDisplay(Quantity::kTemperatureDifference, us);
    if (limit == TestLimit::kPressure)
        return units.toDisplay(Quantity::kPressure, us * kPsiPerInchOfMercury);
    return us;
}
double LimitInUs(TestLimit limit, float shown, const UnitLayer& units) {
    if (units.system() == UnitSystem::kUS) return static_cast<double>(shown);
    if (limit == TestLimit::kWetBulb)
        return static_cast<double>(
            units.toEngine(Quantity::kTemperatureDifference, static_cast<double>(shown)));
    if (limit == TestLimit::kPressure) {
        return static_cast<double>(
                   units.toEngine(Quantity::kPressure, static_cast<double>(shown))) /
               kPsiPerInchOfMercury;
    }
    return static_cast<double>(shown);
}

/// The engine value of a power shown as `logged`: of the floats next to the plain conversion,
/// the one shown as that very number, so that a study saved again holds the number it held.
float HeldPower(const UnitLayer& units, float logged) {
    const float held = units.toEngine(Quantity::kPower, static_cast<double>(logged));
    const float infinity = std::numeric_limits<float>::infinity();
    for (const float candidate :
         {held, std::nextafter(held, -infinity), std::nextafter(held, infinity)}) {
        if (static_cast<float>(units.toDisplay(Quantity::kPower, static_cast<double>(candidate))) ==
            logged)
            return candidate;
    }
    return held;
}

}  // namespace

bool AcceptanceModel::Row::blank() const {
    return std::all_of(cells.begin(), cells.end(), [](const NumberCell& c) { return c.blank(); });
}

AcceptanceModel::AcceptanceModel(const PerformanceModel& design, const UnitLayer& units,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      design_(design),
      units_(units),
      slopeValue_(design.value(Field::kTowerM)),
      fanPowerValue_(design.calculation().results.values[Result::kFanPower]),
      textUnits_(units.system()),
      makerCurves_(units) {
    slope_.write(slopeValue_, Quantity::kDimensionless, units_);
    fanPower_.write(fanPowerValue_, Quantity::kPower, units_);
    showLimits();
    rows_.emplace_back();
    connect(&design_, &PerformanceModel::calculated, this, &AcceptanceModel::followDesign);
    connect(&makerCurves_, &MakerCurvesModel::changed, this, [this] {
        if (!loading_) evaluate();
    });
    connect(&units_, &UnitLayer::systemChanged, this, [this] {
        rewriteInUnits();
        stale_ = true;
        emit becameStale();
    });
    evaluate();
}

int AcceptanceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AcceptanceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kAcceptanceColumnCount;
}

QVariant AcceptanceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && column >= kCapabilityColumn && column != kNoteColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole || role == Qt::ForegroundRole)
        return markData(row, column, role);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (column < kCapabilityColumn) return row.cells[static_cast<std::size_t>(column)].text;
    return resultText(row, column);
}

// A reading beyond a test limit is still evaluated, so the engineer sees it: the cells the limit
// is measured on are shaded and say which limit and by how much; the note is shown in red.
QVariant AcceptanceModel::markData(const Row& row, int column, int role) const {
    if (column == kNoteColumn) {
        if (role == Qt::ToolTipRole) return resultText(row, column);
        const bool warned = !row.passed.empty() || (row.reading && !Evaluated(row.evaluation));
        return role == Qt::ForegroundRole && warned ? QVariant(QColor(0xc6, 0x28, 0x28))
                                                    : QVariant();
    }
    if (column >= kCapabilityColumn || role == Qt::ForegroundRole) return {};
    std::vector<LimitPassed> here;
    for (const LimitPassed& p : row.passed) {
        const std::vector<std::size_t> columns = ColumnsOf(p.limit);
        if (std::find(columns.begin(), columns.end(), static_cast<std::size_t>(column)) !=
            columns.end()) {
            here.push_back(p);
        }
    }
    if (here.empty()) return {};
    if (role == Qt::BackgroundRole) return QColor(0xff, 0xcd, 0xd2);
    return EngineText(DescribeLimitsPassed(here, units_.system()));
}

QString AcceptanceModel::resultText(const Row& row, int column) const {
    const bool evaluated = Evaluated(row.evaluation);
    const CapabilityEvaluation e = row.evaluation.value_or(CapabilityEvaluation{});
    switch (column) {
        case kCapabilityColumn:
            return evaluated ? CapabilityText(e.capability) : QString();
        case kPredictedColumn:
            return evaluated ? temperatureText(e.predictedColdWater, false) : QString();
        case kDeviationColumn:
            return evaluated ? temperatureText(e.coldWaterDeviation, true) : QString();
        case kCurvesCapabilityColumn:
        case kPredictedFlowColumn:
            return curvesText(row.byCurves, column);
        default:
            return row.reading ? row.note : row.problem;
    }
}

QString AcceptanceModel::curvesText(const std::optional<CurvesEvaluation>& e, int column) const {
    if (!e || e->outcome != CurvesOutcome::kEvaluated) return {};
    if (column == kCurvesCapabilityColumn) return CapabilityText(e->capability);
    const double flow =
        units_.toDisplay(Quantity::kWaterFlow, static_cast<double>(e->predictedFlow));
    return QLocale().toString(flow, 'f', 0);
}

QVariant AcceptanceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kAcceptanceColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return header(static_cast<std::size_t>(section));
}

QString AcceptanceModel::header(std::size_t column) const {
    switch (static_cast<int>(column)) {
        case kCapabilityColumn:
            return makerCurves_.curves() ? tr("Capability, char. curve (%)") : tr("Capability (%)");
        case kCurvesCapabilityColumn:
            return tr("Capability, maker's curves (%)");
        case kPredictedFlowColumn:
            return tr("Predicted flow (%1)").arg(units_.unit(Quantity::kWaterFlow));
        case kPredictedColumn:
            return tr("Predicted cold water (%1)").arg(units_.unit(Quantity::kTemperature));
        case kDeviationColumn:
            return tr("Deviation (%1)").arg(units_.unit(Quantity::kTemperatureDifference));
        case kNoteColumn:
            return tr("Note");
        default:
            break;
    }
    const bool statedPower =
        column == kReadingColumns - 1 && readingsPowerUnit_ != PowerUnit::kUnstated;
    const QString unit = !statedPower ? units_.unit(kColumns[column].quantity)
                         : readingsPowerUnit_ == PowerUnit::kKilowatt ? QStringLiteral("kW")
                                                                      : QStringLiteral("hp");
    const QString name = QLatin1String(kColumns[column].name);
    return unit.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, unit);
}

Qt::ItemFlags AcceptanceModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags shown = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!index.isValid() || index.column() >= kCapabilityColumn) return shown;
    return shown | Qt::ItemIsEditable;
}

bool AcceptanceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() >= kCapabilityColumn ||
        index.row() >= rowCount()) {
        return false;
    }
    if (textUnits_ != units_.system()) rewriteInUnits();
    Row& row = rows_[static_cast<std::size_t>(index.row())];
    typeCell(row, static_cast<std::size_t>(index.column()), value.toString());
    readRow(row);
    keepSpareRow();
    evaluate();
    return true;
}

void AcceptanceModel::clearCells(const QModelIndexList& cells) {
    for (const QModelIndex& index : cells) {
        if (!index.isValid() || index.column() >= kCapabilityColumn) continue;
        Row& row = rows_[static_cast<std::size_t>(index.row())];
        typeCell(row, static_cast<std::size_t>(index.column()), QString());
        readRow(row);
    }
    evaluate();
}

void AcceptanceModel::typeCell(Row& row, std::size_t column, const QString& text) {
    row.cells[column].type(text, kColumns[column].quantity, units_, QLocale());
}

void AcceptanceModel::readRow(Row& row) const {
    row.reading.reset();
    row.problem.clear();
    row.evaluation.reset();
    if (row.blank()) return;
    std::array<float, kReadingColumns> values{};
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        const NumberCell& cell = row.cells[c];
        if (cell.value) {
            values[c] = *cell.value;
        } else if (row.problem.isEmpty()) {
            row.problem = QLatin1String(kColumns[c].name) + u' ' + cell.problem;
        }
    }
    if (row.problem.isEmpty()) {
        row.reading = TestReading{values[0], values[1], values[2], values[3],
                                  values[4], values[5], values[6]};
    }
}

// A spare row under the last reading to type the next one into.
void AcceptanceModel::keepSpareRow() {
    if (!rows_.empty() && rows_.back().blank()) return;
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.emplace_back();
    endInsertRows();
}

bool AcceptanceModel::paste(const QString& text, int firstRow, int firstColumn) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    const CsvFormat format = PasteFormat(text, QLocale());
    Records records = ReadRecords(text.toUtf8(), format);
    if (!records.problem.isEmpty()) {
        setMessage(tr("Nothing pasted: %1").arg(records.problem));
        return false;
    }
    if (!records.rows.empty() && NamesAColumn(records.rows.front().second.value(0), kColumns))
        records.rows.erase(records.rows.begin());
    if (records.rows.empty()) {
        setMessage(
            tr("Nothing to paste: copy rows of P, Twb, Tdb, THot, TCold, Flow "
               "and FanPower from a spreadsheet first."));
        return false;
    }
    const auto first = static_cast<std::size_t>(std::max(firstRow, 0));
    const auto column = static_cast<std::size_t>(std::clamp(firstColumn, 0, kCapabilityColumn - 1));
    beginResetModel();
    rows_.resize(std::max(rows_.size(), first + records.rows.size()));
    for (std::size_t i = 0; i < records.rows.size(); ++i) {
        const QStringList& cells = records.rows[i].second;
        Row& row = rows_[first + i];
        for (std::size_t c = 0;
             c < static_cast<std::size_t>(cells.size()) && column + c < kReadingColumns; ++c) {
            typeCell(row, column + c,
                     TypedField(cells[static_cast<qsizetype>(c)], format, QLocale()));
        }
        readRow(row);
    }
    endResetModel();
    keepSpareRow();
    setMessage({});
    evaluate();
    return true;
}

bool AcceptanceModel::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setMessage(tr("cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    const auto refuse = [&](const QString& why) {
        setMessage(tr("cannot read %1: %2").arg(path, why));
        return false;
    };
    const ColumnValues read = ReadColumns(file.readAll(), kColumns, units_.system());
    if (!read.problem.isEmpty()) return refuse(read.problem);
    const QString& fanPower = read.captions[kReadingColumns - 1];
    // The readings name the unit they were logged in; the design's may differ.
    const std::optional<PowerUnit> powerUnit = FanPowerColumnUnit(fanPower.toStdString());
    if (!powerUnit) return refuse(tr("column %1 names no power unit (hp or kW)").arg(fanPower));
    if (textUnits_ != units_.system()) rewriteInUnits();
    std::vector<Row> rows;
    for (const auto& record : read.rows) {
        const std::vector<float>& values = record.second;
        Row& row = rows.emplace_back();
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            row.cells[c].write(values[c], kColumns[c].quantity, units_);
        readRow(row);
    }
    beginResetModel();
    rows_ = std::move(rows);
    readingsPowerUnit_ = *powerUnit;
    endResetModel();
    emit settingsChanged();
    keepSpareRow();
    setMessage({});
    evaluate();
    return true;
}

// Readings as the engine read them (the shortest text that reads back as the very value) or, when
// unusable, as typed; results exact, with the reason where there is none; the mean last.
QString AcceptanceModel::tableText(QChar separator) const {
    TableText table(separator);
    const auto line = [&table](const QStringList& cells) { table.line(cells); };
    const auto results = [this](const std::optional<CapabilityEvaluation>& e,
                                const std::optional<CurvesEvaluation>& byCurves,
                                const QString& note) {
        QStringList cells{{}, {}, {}, {}, {}, note};
        if (Evaluated(e)) {
            cells[0] = units_.losslessText(Quantity::kPercentage, e->capability);
            cells[1] = units_.losslessText(Quantity::kTemperature, e->predictedColdWater);
            cells[2] = units_.losslessText(Quantity::kTemperatureDifference, e->coldWaterDeviation);
        }
        if (byCurves && byCurves->outcome == CurvesOutcome::kEvaluated) {
            cells[3] = units_.losslessText(Quantity::kPercentage, byCurves->capability);
            cells[4] = units_.losslessText(Quantity::kWaterFlow, byCurves->predictedFlow);
        }
        return cells;
    };
    QStringList head;
    for (std::size_t c = 0; c < static_cast<std::size_t>(kAcceptanceColumnCount); ++c)
        head << header(c);
    line(head);
    for (const Row& row : rows_) {
        if (row.blank()) continue;
        QStringList cells;
        for (std::size_t c = 0; c < kReadingColumns; ++c) {
            cells << (row.reading ? units_.losslessText(kColumns[c].quantity, Cell(*row.reading, c))
                                  : row.cells[c].text.trimmed());
        }
        line(cells + results(row.evaluation, row.byCurves, row.reading ? row.note : row.problem));
    }
    if (mean_) {
        QStringList cells;
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            cells << units_.losslessText(kColumns[c].quantity, Cell(*mean_, c));
        QString note = tr("mean of %1 readings").arg(evaluated_.size());
        if (!Evaluated(meanEvaluation_) && meanEvaluation_)
            note += QStringLiteral(": ") + Reason(*meanEvaluation_);
        if (verdict_) note += QStringLiteral("; ") + verdictText_;
        line(cells + results(meanEvaluation_, meanByCurves_, note));
    }
    return table.text();
}

void AcceptanceModel::typeSlope(const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    slopeTyped_ = true;
    slope_.type(text, Quantity::kDimensionless, units_, QLocale());
    takeSetting(slope_, tr("Slope m"),
                slope_.value ? PerformanceModel::Refusal(Field::kTowerM, *slope_.value) : QString(),
                slopeValue_);
}

void AcceptanceModel::typeFanPower(const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    fanPowerTyped_ = true;
    designPowerUnit_ = PowerUnit::kUnstated;
    fanPower_.type(text, Quantity::kPower, units_, QLocale());
    if (!fanPower_.value && text.contains(QRegularExpression(QStringLiteral("[a-zA-Z]\\s*$")))) {
        // A power that names its unit, "12.7hp" or "9,5 kW" in the user's locale: the engine reads
        // it, its decimal mark a '.'.
        QString plain = text.trimmed();
        if (QLocale().decimalPoint() == u',') plain.replace(u',', u'.');
        const StatedPowerText stated = ParseStatedPower(plain.toStdString());
        if (stated.error.empty()) {
            designPowerUnit_ = stated.power.unit;
            fanPower_.value = stated.power.value;
            fanPower_.problem.clear();
        } else {
            fanPower_.problem = FromUtf8(stated.error);
        }
    }
    const bool refused = fanPower_.value && !(*fanPower_.value > 0.0F);
    takeSetting(fanPower_, tr("Design fan power"),
                refused ? tr("Design fan power must be above 0") : QString(), fanPowerValue_);
}

// A setting whose text is no usable value keeps the last good value, marked, as the inputs do;
// the message names the first such setting.
void AcceptanceModel::takeSetting(NumberCell& cell, const QString& name, const QString& refusal,
                                  float& value) {
    if (!cell.value) {
        cell.refuse(name + u' ' + cell.problem);
    } else if (!refusal.isEmpty()) {
        cell.refuse(refusal);
    } else {
        value = *cell.value;
    }
    emit settingsChanged();
    setMessage(slope_.problem.isEmpty() ? fanPower_.problem : slope_.problem);
    evaluate();
}

void AcceptanceModel::typeLimit(TestLimit limit, const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    const auto k = static_cast<std::size_t>(limit);
    NumberCell& cell = limitCells_[k];
    if (text.trimmed().isEmpty()) {
        typedLimits_[k].reset();
        cell = NumberCell{};
    } else {
        cell.type(text, Quantity::kDimensionless, units_, QLocale());
        const QString name = FromUtf8(std::string(kTestLimits[k].name));
        if (!cell.value) {
            cell.refuse(tr("The %1 limit %2").arg(name, cell.problem));
        } else if (!(*cell.value > 0.0F) || !std::isfinite(*cell.value)) {
            cell.refuse(tr("The %1 limit must be above 0").arg(name));
        } else {
            typedLimits_[k] = LimitInUs(limit, *cell.value, units_);
        }
    }
    emit settingsChanged();
    setMessage(cell.problem);
    evaluate();
}

TestLimits AcceptanceModel::limits() const {
    TestLimits limits = DefaultTestLimits(units_.system());
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        if (typedLimits_[k])
            limits.allowed[k] = LimitShown(kTestLimits[k].limit, *typedLimits_[k], units_);
    }
    return limits;
}

// A limit not typed shows the codes' default in the units shown, a typed one its value anew.
void AcceptanceModel::showLimits() {
    const TestLimits shown = limits();
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        NumberCell& cell = limitCells_[k];
        if (typedLimits_[k] && cell.problem.isEmpty()) {
            cell.text = QLocale().toString(shown.allowed[k], 'g', 6);
        } else if (!typedLimits_[k]) {
            cell = NumberCell{};
        }
    }
}

void AcceptanceModel::setReadingsPowerUnit(PowerUnit unit) {
    if (unit == readingsPowerUnit_) return;
    readingsPowerUnit_ = unit;
    emit headerDataChanged(Qt::Horizontal, 0, kAcceptanceColumnCount - 1);
    emit settingsChanged();
    evaluate();
}

const std::vector<LimitPassed>& AcceptanceModel::limitsPassed(int row) const {
    static const std::vector<LimitPassed> none;
    if (row < 0 || row >= rowCount()) return none;
    return rows_[static_cast<std::size_t>(row)].passed;
}

// Only the ratio of the fan powers enters, so both stay in the units shown unless either names
// its own: then both are as typed, the readings' brought into the design's unit. A number
// without a unit is in the unit the window shows beside it (hp, or kW in SI): the window always
// shows one, unlike a bare number in the batch tool's options.
float AcceptanceModel::designPower() const {
    if (designPowerUnit_ != PowerUnit::kUnstated) return fanPowerValue_;
    if (readingsPowerUnit_ == PowerUnit::kUnstated) return fanPowerValue_;
    return static_cast<float>(
        units_.toDisplay(Quantity::kPower, static_cast<double>(fanPowerValue_)));
}

TestReading AcceptanceModel::inDesignPower(const TestReading& reading) const {
    if (designPowerUnit_ == PowerUnit::kUnstated && readingsPowerUnit_ == PowerUnit::kUnstated)
        return reading;
    const PowerUnit shown =
        units_.system() == UnitSystem::kSI ? PowerUnit::kKilowatt : PowerUnit::kHorsepower;
    const auto orShown = [shown](PowerUnit unit) {
        return unit == PowerUnit::kUnstated ? shown : unit;
    };
    TestReading judged = reading;
    judged.fanPower = static_cast<float>(
        units_.toDisplay(Quantity::kPower, static_cast<double>(reading.fanPower)) *
        ReadingsToDesignPower(orShown(designPowerUnit_), orShown(readingsPowerUnit_)));
    return judged;
}

// Each reading's Notes as the batch tool writes them: why it was not evaluated, the limits it
// passes, and whether its capability stands apart from the others'.
void AcceptanceModel::noteReadings() {
    std::vector<float> capabilities;
    for (const Row& row : rows_) {
        if (Evaluated(row.evaluation)) capabilities.push_back(row.evaluation->capability);
    }
    spread_ = SpreadOf(capabilities);
    for (Row& row : rows_) {
        row.note.clear();
        if (!row.evaluation) continue;
        const CapabilityEvaluation& e = *row.evaluation;
        if (Evaluated(row.evaluation)) {
            row.note = EngineText(ReadingNote(e, row.passed, units_.system()));
            if (StandsApart(e.capability, spread_)) {
                const QString apart = EngineText(DescribeStandingApart(e.capability, spread_));
                row.note = row.note.isEmpty() ? apart : row.note + QStringLiteral("; ") + apart;
            }
            if (row.byCurves && makerCurves_.curves()) {
                const std::string byCurves = DescribeCurvesEvaluation(
                    *makerCurves_.curves(), *row.byCurves, units_.system());
                if (!byCurves.empty()) {
                    const QString text = tr("maker's curves: ") + EngineText(byCurves);
                    row.note = row.note.isEmpty() ? text : row.note + QStringLiteral("; ") + text;
                }
            }
        } else {
            row.note = Reason(e);
            if (row.byCurves && makerCurves_.curves()) {
                const std::string byCurves = DescribeCurvesEvaluation(
                    *makerCurves_.curves(), *row.byCurves, units_.system());
                if (!byCurves.empty()) row.note += tr("; maker's curves: ") + EngineText(byCurves);
            }
            const std::string limits = DescribeLimitsPassed(row.passed, units_.system());
            if (!limits.empty()) row.note += QStringLiteral("; ") + FromUtf8(limits);
        }
    }
}

AcceptanceMethod AcceptanceModel::decidingMethod() const {
    return DecidingMethod(makerCurves_.curves().has_value(), method_)
        .value_or(AcceptanceMethod::kCharacteristic);
}

PowerUnit AcceptanceModel::shownPowerUnit() const {
    return units_.system() == UnitSystem::kSI ? PowerUnit::kKilowatt : PowerUnit::kHorsepower;
}

// A fan power the window holds in the unit shown (unstated) goes out as that unit's number, so
// that a study names the unit of every power it holds.
TestRecord AcceptanceModel::record() const {
    TestRecord record;
    const auto logged = [this](float held) {
        return static_cast<float>(units_.toDisplay(Quantity::kPower, static_cast<double>(held)));
    };
    for (const Row& row : rows_) {
        if (!row.reading) continue;
        TestReading reading = *row.reading;
        reading.fanPower = logged(reading.fanPower);
        record.readings.push_back(reading);
    }
    const bool readingsStated = readingsPowerUnit_ != PowerUnit::kUnstated;
    record.readingsPowerUnit = readingsStated ? readingsPowerUnit_ : shownPowerUnit();
    if (slopeTyped_) record.slope = slopeValue_;
    if (fanPowerTyped_) {
        record.designFanPower = designPowerUnit_ == PowerUnit::kUnstated
                                    ? StatedPower{logged(fanPowerValue_), shownPowerUnit()}
                                    : StatedPower{fanPowerValue_, designPowerUnit_};
    }
    record.draft = draft_;
    record.method = method_;
    record.limits = typedLimits_;
    record.curves = makerCurves_.rows();
    record.curvesFile = makerCurves_.file();
    return record;
}

// A power in the unit shown is held unstated, as typed in a box that names no unit.
void AcceptanceModel::loadSettings(const TestRecord& record) {
    slopeTyped_ = record.slope.has_value();
    slopeValue_ = record.slope.value_or(design_.value(Field::kTowerM));
    slope_ = NumberCell{};
    slope_.write(slopeValue_, Quantity::kDimensionless, units_);
    fanPowerTyped_ = record.designFanPower.has_value();
    const StatedPower power = record.designFanPower.value_or(
        StatedPower{design_.calculation().results.values[Result::kFanPower], PowerUnit::kUnstated});
    fanPower_ = NumberCell{};
    if (power.unit == PowerUnit::kUnstated || power.unit == shownPowerUnit()) {
        designPowerUnit_ = PowerUnit::kUnstated;
        fanPowerValue_ =
            power.unit == PowerUnit::kUnstated ? power.value : HeldPower(units_, power.value);
        fanPower_.write(fanPowerValue_, Quantity::kPower, units_);
    } else {
        designPowerUnit_ = power.unit;
        fanPowerValue_ = power.value;
        fanPower_.value = power.value;
        fanPower_.text =
            QLocale().toString(static_cast<double>(power.value), 'g',
                               QLocale::FloatingPointShortest) +
            (power.unit == PowerUnit::kKilowatt ? QStringLiteral(" kW") : QStringLiteral(" hp"));
    }
    readingsPowerUnit_ = record.readingsPowerUnit == shownPowerUnit() ? PowerUnit::kUnstated
                                                                      : record.readingsPowerUnit;
    draft_ = record.draft;
    method_ = record.method;
    typedLimits_ = record.limits;
    limitCells_.fill(NumberCell{});
    showLimits();
}

void AcceptanceModel::load(const TestRecord& record, QString& error) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    loading_ = true;
    beginResetModel();
    rows_.clear();
    for (const TestReading& reading : record.readings) {
        Row& row = rows_.emplace_back();
        const std::array<float, kReadingColumns> values{reading.pressure,
                                                        reading.wetBulb,
                                                        reading.dryBulb,
                                                        reading.hotWater,
                                                        reading.coldWater,
                                                        reading.waterFlow,
                                                        HeldPower(units_, reading.fanPower)};
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            row.cells[c].write(values[c], kColumns[c].quantity, units_);
        readRow(row);
    }
    rows_.emplace_back();
    loadSettings(record);
    endResetModel();
    if (record.curvesFile.isEmpty() || !makerCurves_.open(record.curvesFile, error)) {
        makerCurves_.setRows(record.curves);
    }
    loading_ = false;
    emit headerDataChanged(Qt::Horizontal, 0, kAcceptanceColumnCount - 1);
    emit settingsChanged();
    setMessage({});
    evaluate();
}

// The verdict follows the maker's curves when they are given (a contract names them), else the
// characteristic curve; with its cross-plot when the curves were read at the mean reading.
void AcceptanceModel::judge() {
    verdict_.reset();
    verdictText_.clear();
    crossPlot_.reset();
    if (!mean_) return;
    // Curves given but refused are no reason to fall back on the characteristic curve: the
    // contract named them, so there is no verdict until they are put right.
    if (makerCurves_.given() && !makerCurves_.curves()) {
        verdict_ = Verdict{false, "no verdict: the maker's curves given are refused"};
        verdictText_ = tr("No verdict: the maker's curves given are refused");
        return;
    }
    const AcceptanceMethod method = decidingMethod();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    float capability = nan;
    float deviation = nan;
    if (method == AcceptanceMethod::kCurves && meanByCurves_ &&
        meanByCurves_->outcome == CurvesOutcome::kEvaluated) {
        capability = meanByCurves_->capability;
        deviation = meanByCurves_->coldWaterDeviation;
    } else if (method == AcceptanceMethod::kCharacteristic && Evaluated(meanEvaluation_)) {
        capability = meanEvaluation_->capability;
        deviation = meanEvaluation_->coldWaterDeviation;
    }
    verdict_ = JudgeCapability(capability, deviation, units_.system());
    QString text = LocalNumbers(FromUtf8(verdict_->text), QLocale());
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    verdictText_ =
        tr("%1 (by the %2)").arg(text, FromUtf8(std::string(AcceptanceMethodName(method))));
    if (makerCurves_.curves() && meanByCurves_) {
        crossPlot_ =
            CrossPlotOf(*makerCurves_.curves(), *meanByCurves_, mean_->coldWater, units_.system());
        if (crossPlot_) {
            crossPlot_->conditions =
                tr("wet bulb %1, range %2 (%3 % of design)")
                    .arg(temperatureText(mean_->wetBulb, false),
                         temperatureText(mean_->hotWater - mean_->coldWater, true).remove(u'+'),
                         QLocale().toString(static_cast<double>(meanByCurves_->rangePercent), 'f',
                                            1))
                    .toStdString();
        }
    }
}

const std::optional<CapabilityEvaluation>& AcceptanceModel::evaluation(int row) const {
    static const std::optional<CapabilityEvaluation> none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].evaluation : none;
}

const std::optional<CurvesEvaluation>& AcceptanceModel::byCurves(int row) const {
    static const std::optional<CurvesEvaluation> none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].byCurves : none;
}

const std::optional<TestReading>& AcceptanceModel::reading(int row) const {
    static const std::optional<TestReading> none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].reading : none;
}

QString AcceptanceModel::note(int row) const {
    return row >= 0 && row < rowCount()
               ? resultText(rows_[static_cast<std::size_t>(row)], kNoteColumn)
               : QString();
}

void AcceptanceModel::setDraft(FanDraft draft) {
    if (draft == draft_) return;
    draft_ = draft;
    evaluate();
}

void AcceptanceModel::setMessage(const QString& text) {
    if (text == message_) return;
    message_ = text;
    emit messageChanged();
}

// The settings not typed over follow the design; the readings are evaluated when next wanted.
void AcceptanceModel::followDesign() {
    if (textUnits_ != units_.system()) rewriteInUnits();
    if (!slopeTyped_) {
        slopeValue_ = design_.value(Field::kTowerM);
        slope_.write(slopeValue_, Quantity::kDimensionless, units_);
    }
    if (!fanPowerTyped_) {
        designPowerUnit_ = PowerUnit::kUnstated;
        fanPowerValue_ = design_.calculation().results.values[Result::kFanPower];
        fanPower_.write(fanPowerValue_, Quantity::kPower, units_);
    }
    emit settingsChanged();
    stale_ = true;
    emit becameStale();
}

// Every usable number is rewritten in the new units from the value it stands for, so that no
// reading moves; a cell or setting whose text is no number keeps its text.
void AcceptanceModel::rewriteInUnits() {
    if (textUnits_ == units_.system()) return;
    textUnits_ = units_.system();
    for (Row& row : rows_) {
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            row.cells[c].rewrite(kColumns[c].quantity, units_);
    }
    slope_.rewrite(Quantity::kDimensionless, units_);
    // A power that names its unit is the same power in either units.
    if (designPowerUnit_ == PowerUnit::kUnstated) fanPower_.rewrite(Quantity::kPower, units_);
    showLimits();
    emit settingsChanged();
    emit headerDataChanged(Qt::Horizontal, 0, kAcceptanceColumnCount - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kAcceptanceColumnCount - 1));
}

void AcceptanceModel::evaluate() {
    if (textUnits_ != units_.system()) rewriteInUnits();
    stale_ = false;
    basis_ = PrepareDesign({design_.calculation().inputs, slopeValue_, designPower(), draft_});
    evaluated_.clear();
    const TestLimits limits = this->limits();
    const std::optional<MakerCurves>& curves = makerCurves_.curves();
    for (Row& row : rows_) {
        row.evaluation.reset();
        row.passed.clear();
        if (!row.reading) continue;
        const TestReading judged = inDesignPower(*row.reading);
        row.evaluation = EvaluateReading(basis_, judged);
        row.byCurves.reset();
        if (curves) row.byCurves = EvaluateWithCurves(basis_, *curves, judged);
        row.passed = LimitsPassed(basis_.acceptance, judged, limits);
        if (Evaluated(row.evaluation)) evaluated_.push_back(*row.reading);
    }
    mean_ = MeanReading(evaluated_);
    meanEvaluation_.reset();
    meanByCurves_.reset();
    if (mean_) meanEvaluation_ = EvaluateReading(basis_, inDesignPower(*mean_));
    if (mean_ && curves) meanByCurves_ = EvaluateWithCurves(basis_, *curves, inDesignPower(*mean_));
    noteReadings();
    judge();
    summarize();
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kAcceptanceColumnCount - 1));
    emit evaluated();
}

std::string AcceptanceModel::worksheet(UnitSystem units) {
    if (stale_) evaluate();
    std::string text;
    if (mean_ && meanEvaluation_) {
        const std::string place =
            evaluated_.size() == 1
                ? std::string("the one reading")
                : "the mean of " + std::to_string(evaluated_.size()) + " readings";
        AppendAcceptanceWorksheet(text, place, basis_, inDesignPower(*mean_), *meanEvaluation_,
                                  {WorksheetNumbers::kReadable, units});
    }
    return text;
}

void AcceptanceModel::summarize() {
    chart_.reset();
    if (basis_.outcome != EvaluationOutcome::kEvaluated) {
        capabilityText_ = tr("Capability: not evaluated");
        detailText_ = tr("The design: %1").arg(FromUtf8(DescribeEvaluation(basis_.outcome)));
        chartNote_ = detailText_;
    } else if (!mean_) {
        capabilityText_ = tr("Capability —");
        detailText_ =
            tr("Type, paste (Ctrl+V) or open the test readings: P, Twb, "
               "Tdb, THot, TCold, Flow and FanPower, a row each.");
        chartNote_ = tr("No reading evaluated");
    } else if (!Evaluated(meanEvaluation_)) {
        capabilityText_ = tr("Capability: not evaluated");
        detailText_ =
            tr("The mean of %1 readings: %2").arg(evaluated_.size()).arg(Reason(*meanEvaluation_));
        chartNote_ = detailText_;
    } else {
        const CapabilityEvaluation& e = *meanEvaluation_;
        capabilityText_ = tr("Capability %1 %").arg(CapabilityText(e.capability));
        if (meanByCurves_ && meanByCurves_->outcome == CurvesOutcome::kEvaluated) {
            capabilityText_ =
                tr("Capability %1 % by the maker's curves, %2 % by the "
                   "characteristic curve")
                    .arg(CapabilityText(meanByCurves_->capability), CapabilityText(e.capability));
        }
        detailText_ = tr("The mean of %1 %2: predicted cold water %3, deviation %4 "
                         "(measured − predicted)")
                          .arg(evaluated_.size())
                          .arg(evaluated_.size() == 1 ? tr("reading") : tr("readings"))
                          .arg(temperatureText(e.predictedColdWater, false),
                               temperatureText(e.coldWaterDeviation, true));
        DemandChartRequest request;
        // The Demand tab's approaches, so that both charts draw the same curves in either units.
        request.approaches = design_.chartApproaches();
        request.tower = TowerCharacteristic{e.c, slopeValue_};
        chart_ = BuildDemandChart(design_.calculation().inputs, request);
    }
    if (mean_) detailText_ += testNotes();
}

// What stands beside the result: the readings' spread, how many lie beyond the test limits, and
// that the design fan power is only the design's approximate fan-shaft power when not given.
QString AcceptanceModel::testNotes() const {
    QString notes;
    if (meanByCurves_ && makerCurves_.curves()) {
        const CurvesEvaluation& e = *meanByCurves_;
        if (e.outcome == CurvesOutcome::kEvaluated) {
            notes +=
                tr("\nBy the maker's curves: predicted flow %1 %2 (adjusted flow "
                   "%3), predicted cold water %4, deviation %5")
                    .arg(QLocale().toString(units_.toDisplay(Quantity::kWaterFlow,
                                                             static_cast<double>(e.predictedFlow)),
                                            'f', 0),
                         units_.unit(Quantity::kWaterFlow),
                         QLocale().toString(units_.toDisplay(Quantity::kWaterFlow,
                                                             static_cast<double>(e.adjustedFlow)),
                                            'f', 0),
                         temperatureText(e.predictedColdWater, false),
                         temperatureText(e.coldWaterDeviation, true));
        }
        const std::string said =
            DescribeCurvesEvaluation(*makerCurves_.curves(), e, units_.system());
        if (!said.empty()) notes += tr("\nBy the maker's curves: ") + EngineText(said);
    }
    const std::string spread = DescribeSpread(spread_);
    if (!spread.empty())
        notes += u'\n' + EngineText(spread).replace(0, 1, EngineText(spread).left(1).toUpper());
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const std::optional<CapabilityEvaluation>& e = rows_[r].evaluation;
        if (Evaluated(e) && StandsApart(e->capability, spread_)) {
            notes += tr("\nReading %1 %2")
                         .arg(r + 1)
                         .arg(EngineText(DescribeStandingApart(e->capability, spread_)));
        }
    }
    const auto beyond = std::count_if(rows_.begin(), rows_.end(),
                                      [](const Row& row) { return !row.passed.empty(); });
    if (beyond > 0) {
        notes += tr("\n%1 outside the test limits (marked in the table): not a valid test")
                     .arg(beyond == 1 ? tr("1 reading") : tr("%1 readings").arg(beyond));
    }
    if (!fanPowerTyped_)
        notes += u'\n' +
                 FromUtf8(std::string(kApproximateFanPowerNote)).replace(0, 1, QStringLiteral("T"));
    return notes;
}

QString AcceptanceModel::temperatureText(float fahrenheit, bool difference) const {
    const Quantity quantity =
        difference ? Quantity::kTemperatureDifference : Quantity::kTemperature;
    double shown = units_.toDisplay(quantity, static_cast<double>(fahrenheit));
    // Shown to two places: a deviation that rounds to nothing is 0.00, neither +0.00 nor -0.00.
    if (std::abs(shown) < kLeastShownDegrees) shown = 0.0;
    const QString text = QLocale().toString(shown, 'f', 2);
    const bool plus = difference && shown > 0.0;
    return (plus ? QStringLiteral("+") : QString()) + text + u' ' + units_.unit(quantity);
}

}  // namespace veltrane::performance
