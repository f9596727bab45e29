#include "acceptance_model.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include "byte_source.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "table_text.h"
#include "utf8_text.h"
#include "worksheet.h"

namespace veltrane::performance {

namespace {

using desktop::FromUtf8;

struct ReadingColumn {
    const char* name;  ///< as a spreadsheet or CSV header names it
    Quantity quantity;
};

// The fan power is in the unit of the design fan power: only their ratio enters.
constexpr std::array<ReadingColumn, kReadingColumns> kColumns{{
    {"P", Quantity::kPressure},
    {"Twb", Quantity::kTemperature},
    {"Tdb", Quantity::kTemperature},
    {"THot", Quantity::kTemperature},
    {"TCold", Quantity::kTemperature},
    {"Flow", Quantity::kWaterFlow},
    {"FanPower", Quantity::kPower},
}};

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

/// The column a header cell names ("Twb" or "Twb (°F)", any case), and the unit it gives.
std::optional<std::size_t> ColumnNamed(const QString& cell, QString& unit) {
    const qsizetype bracket = cell.indexOf(u'(');
    const QString name = (bracket < 0 ? cell : cell.left(bracket)).trimmed();
    unit = bracket < 0 ? QString() : cell.mid(bracket + 1).remove(u')').trimmed();
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        if (name.compare(QLatin1String(kColumns[c].name), Qt::CaseInsensitive) == 0) return c;
    }
    return std::nullopt;
}

/// The separator of pasted rows: tabs as a spreadsheet copies, else semicolons, else commas
/// unless the comma is the locale's decimal mark.
char SeparatorOf(const QString& text, const QLocale& locale) {
    if (text.contains(u'\t')) return '\t';
    if (text.contains(u';')) return ';';
    return locale.decimalPoint() == u',' ? '\t' : ',';
}

/// The records of a text, each field trimmed; or the first malformed record's line and why.
struct Records {
    std::vector<std::pair<std::size_t, QStringList>> rows;
    QString problem;
};

Records ReadRecords(const QByteArray& bytes, char separator) {
    Records records;
    StringSource source(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    CsvReader reader(source, CsvFormat{separator, '.'});
    CsvRecord record;
    while (reader.Next(record)) {
        if (!record.error.empty()) {
            records.problem =
                QStringLiteral("line %1: %2").arg(record.line).arg(FromUtf8(record.error));
            return records;
        }
        QStringList fields;
        for (const std::string_view field : record.fields)
            fields << FromUtf8(field).trimmed();
        records.rows.emplace_back(record.line, fields);
    }
    return records;
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
      textUnits_(units.system()) {
    slope_.write(slopeValue_, Quantity::kDimensionless, units_);
    fanPower_.write(fanPowerValue_, Quantity::kPower, units_);
    rows_.emplace_back();
    connect(&design_, &PerformanceModel::calculated, this, &AcceptanceModel::followDesign);
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
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (column < kCapabilityColumn) return row.cells[static_cast<std::size_t>(column)].text;
    return resultText(row, column);
}

QString AcceptanceModel::resultText(const Row& row, int column) const {
    const bool evaluated = Evaluated(row.evaluation);
    const CapabilityEvaluation e = row.evaluation.value_or(CapabilityEvaluation{});
    switch (column) {
        case kCapabilityColumn:
            return evaluated ? QLocale().toString(static_cast<double>(e.capability), 'f', 1)
                             : QString();
        case kPredictedColumn:
            return evaluated ? temperatureText(e.predictedColdWater, false) : QString();
        case kDeviationColumn:
            return evaluated ? temperatureText(e.coldWaterDeviation, true) : QString();
        default:
            return row.reading ? (evaluated ? QString() : Reason(e)) : row.problem;
    }
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
            return QStringLiteral("Capability (%)");
        case kPredictedColumn:
            return QStringLiteral("Predicted cold water (%1)")
                .arg(units_.unit(Quantity::kTemperature));
        case kDeviationColumn:
            return QStringLiteral("Deviation (%1)")
                .arg(units_.unit(Quantity::kTemperatureDifference));
        case kNoteColumn:
            return QStringLiteral("Note");
        default:
            break;
    }
    const QString unit = units_.unit(kColumns[column].quantity);
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
    Records records = ReadRecords(text.toUtf8(), SeparatorOf(text, QLocale()));
    if (!records.problem.isEmpty()) {
        setMessage(QStringLiteral("Nothing pasted: %1").arg(records.problem));
        return false;
    }
    QString unit;
    if (!records.rows.empty() && ColumnNamed(records.rows.front().second.value(0), unit))
        records.rows.erase(records.rows.begin());
    if (records.rows.empty()) {
        setMessage(
            QStringLiteral("Nothing to paste: copy rows of P, Twb, Tdb, THot, TCold, Flow "
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
            typeCell(row, column + c, cells[static_cast<qsizetype>(c)]);
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
        setMessage(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    const auto refuse = [&](const QString& why) {
        setMessage(QStringLiteral("cannot read %1: %2").arg(path, why));
        return false;
    };
    const Records records = ReadRecords(file.readAll(), ',');
    if (!records.problem.isEmpty()) return refuse(records.problem);
    if (records.rows.empty()) return refuse(QStringLiteral("the file is empty"));
    if (textUnits_ != units_.system()) rewriteInUnits();
    std::array<qsizetype, kReadingColumns> at{};
    at.fill(-1);
    const QStringList& names = records.rows.front().second;
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString unit;
        const std::optional<std::size_t> column = ColumnNamed(names[i], unit);
        if (!column) continue;
        const QString shown = units_.unit(kColumns[*column].quantity);
        if (!unit.isEmpty() && unit != shown) {
            return refuse(QStringLiteral("column %1 is in %2, the table shows %3")
                              .arg(names[i], unit, shown.isEmpty() ? "no unit" : shown));
        }
        at[*column] = i;
    }
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        if (at[c] < 0)
            return refuse(QStringLiteral("no column %1").arg(QLatin1String(kColumns[c].name)));
    }
    // Files hold plain numbers with a '.', whatever the locale; the table shows them in its own.
    std::vector<Row> rows;
    for (std::size_t r = 1; r < records.rows.size(); ++r) {
        const auto& [line, cells] = records.rows[r];
        Row& row = rows.emplace_back();
        for (std::size_t c = 0; c < kReadingColumns; ++c) {
            const std::variant<float, QString> read =
                ReadBox(cells.value(at[c]), kColumns[c].quantity, units_, QLocale::c());
            if (const QString* why = std::get_if<QString>(&read)) {
                return refuse(QStringLiteral("line %1: %2 %3")
                                  .arg(line)
                                  .arg(QLatin1String(kColumns[c].name), *why));
            }
            row.cells[c].write(std::get<float>(read), kColumns[c].quantity, units_);
        }
        readRow(row);
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
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
    const auto results = [this](const std::optional<CapabilityEvaluation>& e, QString note) {
        if (!Evaluated(e)) {
            if (e) note = Reason(*e);
            return QStringList{{}, {}, {}, note};
        }
        return QStringList{
            units_.losslessText(Quantity::kPercentage, e->capability),
            units_.losslessText(Quantity::kTemperature, e->predictedColdWater),
            units_.losslessText(Quantity::kTemperatureDifference, e->coldWaterDeviation), note};
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
        line(cells + results(row.evaluation, row.problem));
    }
    if (mean_) {
        QStringList cells;
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            cells << units_.losslessText(kColumns[c].quantity, Cell(*mean_, c));
        line(cells + results(meanEvaluation_,
                             QStringLiteral("mean of %1 readings").arg(evaluated_.size())));
    }
    return table.text();
}

void AcceptanceModel::typeSlope(const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    slopeTyped_ = true;
    slope_.type(text, Quantity::kDimensionless, units_, QLocale());
    takeSetting(slope_, QStringLiteral("Slope m"),
                slope_.value ? PerformanceModel::Refusal(Field::kTowerM, *slope_.value) : QString(),
                slopeValue_);
}

void AcceptanceModel::typeFanPower(const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    fanPowerTyped_ = true;
    fanPower_.type(text, Quantity::kPower, units_, QLocale());
    const bool refused = fanPower_.value && !(*fanPower_.value > 0.0F);
    takeSetting(fanPower_, QStringLiteral("Design fan power"),
                refused ? QStringLiteral("Design fan power must be above 0") : QString(),
                fanPowerValue_);
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
    fanPower_.rewrite(Quantity::kPower, units_);
    emit settingsChanged();
    emit headerDataChanged(Qt::Horizontal, 0, kAcceptanceColumnCount - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kAcceptanceColumnCount - 1));
}

void AcceptanceModel::evaluate() {
    if (textUnits_ != units_.system()) rewriteInUnits();
    stale_ = false;
    basis_ = PrepareDesign({design_.calculation().inputs, slopeValue_, fanPowerValue_, draft_});
    evaluated_.clear();
    for (Row& row : rows_) {
        row.evaluation.reset();
        if (!row.reading) continue;
        row.evaluation = EvaluateReading(basis_, *row.reading);
        if (Evaluated(row.evaluation)) evaluated_.push_back(*row.reading);
    }
    mean_ = MeanReading(evaluated_);
    meanEvaluation_.reset();
    if (mean_) meanEvaluation_ = EvaluateReading(basis_, *mean_);
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
        AppendAcceptanceWorksheet(text, place, basis_, *mean_, *meanEvaluation_,
                                  {WorksheetNumbers::kReadable, units});
    }
    return text;
}

void AcceptanceModel::summarize() {
    chart_.reset();
    if (basis_.outcome != EvaluationOutcome::kEvaluated) {
        capabilityText_ = QStringLiteral("Capability: not evaluated");
        detailText_ =
            QStringLiteral("The design: %1").arg(FromUtf8(DescribeEvaluation(basis_.outcome)));
        chartNote_ = detailText_;
    } else if (!mean_) {
        capabilityText_ = QStringLiteral("Capability —");
        detailText_ = QStringLiteral(
            "Type, paste (Ctrl+V) or open the test readings: P, Twb, "
            "Tdb, THot, TCold, Flow and FanPower, a row each.");
        chartNote_ = QStringLiteral("No reading evaluated");
    } else if (!Evaluated(meanEvaluation_)) {
        capabilityText_ = QStringLiteral("Capability: not evaluated");
        detailText_ = QStringLiteral("The mean of %1 readings: %2")
                          .arg(evaluated_.size())
                          .arg(Reason(*meanEvaluation_));
        chartNote_ = detailText_;
    } else {
        const CapabilityEvaluation& e = *meanEvaluation_;
        capabilityText_ = QStringLiteral("Capability %1 %")
                              .arg(QLocale().toString(static_cast<double>(e.capability), 'f', 1));
        detailText_ = QStringLiteral(
                          "The mean of %1 %2: predicted cold water %3, deviation %4 "
                          "(measured − predicted)")
                          .arg(evaluated_.size())
                          .arg(evaluated_.size() == 1 ? QStringLiteral("reading")
                                                      : QStringLiteral("readings"))
                          .arg(temperatureText(e.predictedColdWater, false),
                               temperatureText(e.coldWaterDeviation, true));
        DemandChartRequest request;
        // The Demand tab's approaches, so that both charts draw the same curves in either units.
        request.approaches = design_.chartApproaches();
        request.tower = TowerCharacteristic{e.c, slopeValue_};
        chart_ = BuildDemandChart(design_.calculation().inputs, request);
    }
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
