#include "year_model.h"

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <string>

#include "constants.h"
#include "csv_records.h"
#include "csv_writer.h"
#include "number_text.h"
#include "table_text.h"
#include "usable_values.h"
#include "utf8_text.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

/// A small year of a temperate site, a whole year (8,760 hours) in nine bins of 5 °F wet bulb,
/// the hours rising towards the warm bins and falling off in the warmest.
const std::vector<WeatherBin> kDefaultBins = {
    {32.0F, 36.0F, 450.0},  {37.0F, 42.0F, 670.0},  {42.0F, 48.0F, 780.0},
    {47.0F, 54.0F, 890.0},  {52.0F, 60.0F, 1000.0}, {57.0F, 65.0F, 1110.0},
    {62.0F, 70.0F, 1230.0}, {67.0F, 74.0F, 1340.0}, {72.0F, 79.0F, 1290.0},
};
/// The setpoint of a new tab, °F: the design's cold water of the default design.
constexpr float kDefaultSetpoint = 78.0F;
/// The figures a minimum air flow is written with.
constexpr int kMinimumDigits = 6;

const QColor kProblemColour(255, 210, 210);

constexpr std::array<NamedColumn, kBinColumns> kBinFileColumns{{
    {"Twb", Quantity::kTemperature},
    {"Tdb", Quantity::kTemperature},
    {"Hours", Quantity::kHours},
}};

Quantity QuantityOfColumn(int column) {
    return column == kHours ? Quantity::kHours : Quantity::kTemperature;
}

/// Hours as the user's locale writes a count, with a fraction only where there is one.
QString Hours(double hours) {
    return QLocale().toString(hours, 'f', hours == std::floor(hours) ? 0 : 2);
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

/// A sentence of the engine's with its numbers in the user's decimal mark.
QString EngineText(std::string_view text) {
    return LocalNumbers(FromUtf8(text), QLocale());
}

// The engine's checks, shared with the batch tool, so that the window refuses what it refuses:
// each returns why the value is refused, a phrase that follows its name, empty when usable.
QString BinRefusal(const WeatherBin& bin) {
    return EngineText(CheckAir(bin.wetBulb, bin.dryBulb).reason);
}
/// The setpoint is checked in the units it was typed in, so that 100 °C itself passes.
QString SetpointRefusal(float setpoint, const UnitLayer& units) {
    const double typed = units.toDisplay(Quantity::kTemperature, static_cast<double>(setpoint));
    return EngineText(CheckSetpoint(typed, units.system()).reason);
}

}  // namespace

YearModel::YearModel(const PerformanceModel& design, const UnitLayer& units, QObject* parent)
    : QAbstractTableModel(parent), design_(design), units_(units), textUnits_(units.system()) {
    control_.setpoint = kDefaultSetpoint;
    setpoint_.write(control_.setpoint, Quantity::kTemperature, units_);
    writeMinimum(control_.minimumAirFlow);
    std::vector<BinCells> bins;
    for (const WeatherBin& bin : kDefaultBins) {
        BinCells& cells = bins.emplace_back();
        cells[kTwb].write(bin.wetBulb, Quantity::kTemperature, units_);
        cells[kTdb].write(bin.dryBulb, Quantity::kTemperature, units_);
        cells[kHours].write(static_cast<float>(bin.hours), Quantity::kHours, units_);
    }
    cells_ = std::move(bins);
    binValues_ = kDefaultBins;
    const auto stale = [this] {
        stale_ = true;
        emit becameStale();
    };
    connect(&design_, &PerformanceModel::calculated, this, stale);
    connect(&units_, &UnitLayer::systemChanged, this, [this, stale] {
        rewriteInUnits();
        stale();
    });
}

int YearModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int YearModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kBinColumns;
}

QVariant YearModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const NumberCell& cell = cells_[row][static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return cell.text;
        case Qt::ToolTipRole:
            return binProblem(row, index.column());
        case Qt::BackgroundRole:
            return cell.problem.isEmpty() ? QVariant() : QVariant(QBrush(kProblemColour));
        default:
            return {};
    }
}

QString YearModel::binProblem(std::size_t row, int column) const {
    const NumberCell& cell = cells_[row][static_cast<std::size_t>(column)];
    if (cell.problem.isEmpty()) return {};
    return tr("Bin %1, %2 %3")
        .arg(row + 1)
        .arg(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), cell.problem);
}

QVariant YearModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case kTwb:
            return temperatureColumn(QStringLiteral("Twb"));
        case kTdb:
            return temperatureColumn(QStringLiteral("Tdb"));
        case kHours:
            return tr("Hours (h)");
        default:
            return {};
    }
}

Qt::ItemFlags YearModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                           : Qt::NoItemFlags;
}

bool YearModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
    if (textUnits_ != units_.system()) rewriteInUnits();
    cells_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())].type(
        value.toString(), QuantityOfColumn(index.column()), units_, QLocale());
    emit dataChanged(index, index);
    readAll();
    return true;
}

void YearModel::setBins(std::vector<BinCells> bins, std::vector<WeatherBin> own) {
    beginResetModel();
    cells_ = std::move(bins);
    ownBins_ = std::move(own);
    endResetModel();
    readAll();
}

bool YearModel::open(const QString& path, QString& error) {
    QFile file(path);
    const auto fail = [&](const QString& reason) {
        error = tr("cannot read %1: %2").arg(path, reason);
        return false;
    };
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    // A bins file without units is in °F, as the batch tool reads and the window saves one.
    const ColumnValues read = ReadColumns(file.readAll(), kBinFileColumns, UnitSystem::kUS);
    if (!read.problem.isEmpty()) return fail(read.problem);
    std::vector<BinCells> bins;
    for (const auto& [line, values] : read.rows) {
        if (values[kHours] < 0.0F)
            return fail(QStringLiteral("line %1: Hours is not a usable number").arg(line));
        BinCells& cells = bins.emplace_back();
        for (int c = 0; c < kBinColumns; ++c) {
            const auto column = static_cast<std::size_t>(c);
            cells[column].write(values[column], QuantityOfColumn(c), units_);
        }
    }
    setBins(std::move(bins));
    return true;
}

bool YearModel::save(const QString& path, QString& error) const {
    if (!problem_.isEmpty()) {
        error = problem_;
        return false;
    }
    std::string text;
    CsvWriter csv([&text](std::string_view piece) { text += piece; }, FileFormat(QLocale()));
    for (const NamedColumn& column : kBinFileColumns) {
        csv.Field(column.name);
        csv.Comma();
    }
    csv.DropLastComma();
    csv.EndLine();
    for (const WeatherBin& bin : binValues_) {
        csv.Number(PlainShortestText(bin.wetBulb).View());
        csv.Comma();
        csv.Number(PlainShortestText(bin.dryBulb).View());
        csv.Comma();
        csv.Number(PlainShortestText(bin.hours).View());
        csv.EndRow();
    }
    csv.Flush();
    QSaveFile file(path);
    const auto size = static_cast<qint64>(text.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), size) != size ||
        !file.commit()) {
        error = tr("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void YearModel::paste(const QString& text) {
    const CsvFormat format = PasteFormat(text, QLocale());
    const Records records = ReadRecords(text.toUtf8(), format);
    std::vector<BinCells> bins;
    for (const auto& [line, fields] : records.rows) {
        const QString first = fields.value(0);
        if (bins.empty() && !first.isEmpty() && first.front().isLetter())
            continue;  // the spreadsheet's header line
        BinCells& cells = bins.emplace_back();
        for (int c = 0; c < kBinColumns; ++c) {
            // Every cell as pasted, usable or not: a bad one is marked, never dropped.
            cells[static_cast<std::size_t>(c)].type(TypedField(fields.value(c), format, QLocale()),
                                                    QuantityOfColumn(c), units_, QLocale());
        }
    }
    if (bins.empty()) return;
    if (textUnits_ != units_.system()) rewriteInUnits();
    setBins(std::move(bins));
}

int YearModel::addBin() {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    BinCells& cells = cells_.emplace_back();
    for (int c = 0; c < kBinColumns; ++c)
        cells[static_cast<std::size_t>(c)].type({}, QuantityOfColumn(c), units_, QLocale());
    endInsertRows();
    readAll();
    return row;
}

void YearModel::removeBin(int row) {
    removeBins({row});
}

// From the last row up, so that the rows still to go keep their numbers; the year is run once.
void YearModel::removeBins(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool removed = false;
    for (const int row : rows) {
        if (row < 0 || row >= rowCount()) continue;
        beginRemoveRows({}, row, row);
        cells_.erase(cells_.begin() + row);
        if (static_cast<std::size_t>(row) < ownBins_.size()) ownBins_.erase(ownBins_.begin() + row);
        endRemoveRows();
        removed = true;
    }
    if (removed) readAll();
}

void YearModel::writeMinimum(float minimumAirFlow) {
    const double minimum = static_cast<double>(minimumAirFlow) * kPercent;
    minimum_ = NumberCell{};
    minimum_.text = QLocale().toString(minimum, 'g', kMinimumDigits);
    minimum_.value = static_cast<float>(minimum);
    writtenMinimum_ = minimumAirFlow;
}

void YearModel::load(const std::vector<WeatherBin>& bins, const FanControl& control) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    std::vector<BinCells> cells;
    for (const WeatherBin& bin : bins) {
        BinCells& row = cells.emplace_back();
        row[kTwb].write(bin.wetBulb, Quantity::kTemperature, units_);
        row[kTdb].write(bin.dryBulb, Quantity::kTemperature, units_);
        row[kHours].write(static_cast<float>(bin.hours), Quantity::kHours, units_);
    }
    setpoint_ = NumberCell{};
    setpoint_.write(control.setpoint, Quantity::kTemperature, units_);
    writeMinimum(control.minimumAirFlow);
    mode_ = control.mode;
    control_ = control;
    setBins(std::move(cells), bins);
}

// A bin keeps its own approach, range and hot water while its air and hours are those the study
// gave it, the rule by which a saved study keeps them too; an edited bin is rated at the design.
void YearModel::takeOwnDesign(std::size_t row, WeatherBin& bin) const {
    if (row >= ownBins_.size()) return;
    const WeatherBin& own = ownBins_[row];
    if (own.wetBulb != bin.wetBulb || own.dryBulb != bin.dryBulb || own.hours != bin.hours) return;
    bin.range = own.range;
    bin.approach = own.approach;
    bin.hotWater = own.hotWater;
}

void YearModel::typeSetpoint(const QString& text) {
    if (textUnits_ != units_.system()) rewriteInUnits();
    setpoint_.type(text, Quantity::kTemperature, units_, QLocale());
    readAll();
}

void YearModel::typeMinimumAirFlow(const QString& text) {
    writtenMinimum_.reset();
    minimum_.type(text, Quantity::kPercentage, units_, QLocale());
    readAll();
}

void YearModel::setFanMode(FanMode mode) {
    mode_ = mode;
    readAll();
}

// Takes the bins and controls when every one is usable, and marks the rest; the first marked
// is the problem. The year is run again at once: the user is looking at it.
void YearModel::readAll() {
    problem_.clear();
    std::vector<WeatherBin> bins(cells_.size());
    for (std::size_t r = 0; r < cells_.size(); ++r) {
        BinCells& cells = cells_[r];
        if (cells[kHours].value && !(*cells[kHours].value >= 0.0F))
            cells[kHours].refuse(tr("is negative"));
        for (int c = 0; c < kBinColumns && problem_.isEmpty(); ++c)
            problem_ = binProblem(r, c);
        WeatherBin& bin = bins[r];
        bin.wetBulb = cells[kTwb].value.value_or(0.0F);
        bin.dryBulb = cells[kTdb].value.value_or(0.0F);
        bin.hours = static_cast<double>(cells[kHours].value.value_or(0.0F));
        takeOwnDesign(r, bin);
        const QString refusal = BinRefusal(bin);
        if (problem_.isEmpty() && !refusal.isEmpty())
            problem_ = tr("Bin %1: %2").arg(r + 1).arg(refusal);
    }
    FanControl control = control_;
    control.mode = mode_;
    setpointProblem_.clear();
    minimumProblem_.clear();
    if (!setpoint_.value) {
        setpointProblem_ = tr("The setpoint ") + setpoint_.problem;
    } else if (const QString refusal = SetpointRefusal(*setpoint_.value, units_);
               !refusal.isEmpty()) {
        setpointProblem_ = tr("The setpoint ") + refusal;
    } else {
        control.setpoint = *setpoint_.value;
    }
    if (mode_ == FanMode::kVariableSpeed) {
        if (!minimum_.value) {
            minimumProblem_ = tr("The VFD minimum air flow ") + minimum_.problem;
        } else if (!(*minimum_.value > 0.0F && *minimum_.value <= 100.0F)) {
            minimumProblem_ =
                tr("The VFD minimum air flow must be above 0 % and no more than 100 %");
        } else {
            // A fraction written as its percentage is taken back as it was, not through it.
            control.minimumAirFlow = writtenMinimum_.value_or(
                static_cast<float>(static_cast<double>(*minimum_.value) / kPercent));
        }
    }
    if (problem_.isEmpty()) problem_ = setpointProblem_;
    if (problem_.isEmpty()) problem_ = minimumProblem_;
    emit controlsChanged();
    if (!cells_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kBinColumns - 1));
    if (problem_.isEmpty()) {
        binValues_ = std::move(bins);
        control_ = control;
        run();
    } else {
        emit ran();
    }
}

void YearModel::run() {
    stale_ = false;
    const Calculation& calculation = design_.calculation();
    if (calculation.tower) {
        year_ = RunYear(calculation.inputs, *calculation.tower, control_, binValues_);
    } else {
        year_.reset();
    }
    emit ran();
}

// Every usable cell and control rewritten in the new units from the value it stands for, so
// that no value moves; a marked one keeps its text.
void YearModel::rewriteInUnits() {
    if (textUnits_ == units_.system()) return;
    textUnits_ = units_.system();
    for (BinCells& cells : cells_) {
        for (int c = 0; c < kBinColumns; ++c)
            cells[static_cast<std::size_t>(c)].rewrite(QuantityOfColumn(c), units_);
    }
    setpoint_.rewrite(Quantity::kTemperature, units_);
    emit headerDataChanged(Qt::Horizontal, 0, kBinColumns - 1);
    if (!cells_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kBinColumns - 1));
    emit controlsChanged();
}

QString YearModel::temperatureColumn(const QString& name) const {
    return QStringLiteral("%1 (%2)").arg(name, units_.unit(Quantity::kTemperature));
}

QString YearModel::displayText(Quantity quantity, float engineValue) const {
    return ResultBoxText(engineValue, quantity, units_, QLocale());
}

QString YearModel::totalsText() const {
    if (!design_.calculation().tower) {
        return tr("No tower: the design's KaV/L is no demand, so no bin can be rated.");
    }
    if (!year_ || year_->bins.empty()) return tr("No bins: type, paste or open some.");
    const YearTotals& totals = year_->totals;
    const QLocale locale;
    const auto shown = [&](Quantity quantity, double value) -> QString {
        return displayText(quantity, static_cast<float>(value)) + u' ' + units_.unit(quantity);
    };
    QString text = totals.hours > 0.0
                       ? tr("Year of %1: fan energy %2, makeup water %3, mean cold water reached "
                            "%4, %5 above the setpoint")
                             .arg(Hours(totals.hours) + QStringLiteral(" h"),
                                  shown(Quantity::kEnergy, totals.fanKilowattHours),
                                  shown(Quantity::kWaterVolume, totals.makeupGallons),
                                  shown(Quantity::kTemperature, totals.meanColdWater),
                                  Hours(totals.hoursAboveSetpoint) + QStringLiteral(" h"))
                       : tr("No bin with hours has an operating point.");
    if (totals.hours > 0.0) {
        // The mean over the hours above alone: a signed mean over the year would hide a
        // shortfall behind the cold hours.
        text +=
            totals.hoursAboveSetpoint > 0.0
                ? tr(" (by %1 on average, %2·h).")
                      .arg(shown(Quantity::kTemperatureDifference, totals.meanAboveSetpoint),
                           shown(Quantity::kTemperatureDifference, totals.degreeHoursAboveSetpoint))
                : QStringLiteral(".");
    }
    if (!totals.binsLeftOut.empty()) {
        // Named, so that no bin is silently missing from a sum.
        QStringList names;
        for (const std::size_t bin : totals.binsLeftOut)
            names << locale.toString(static_cast<qulonglong>(bin) + 1);
        text += tr(" Left out: bin%1 %2 (no figures; %3).")
                    .arg(names.size() == 1 ? QString() : QStringLiteral("s"),
                         names.join(QStringLiteral(", ")),
                         Hours(totals.hoursLeftOut) + QStringLiteral(" h"));
    }
    return text;
}

QStringList YearModel::resultsHeader() const {
    const QString difference = units_.unit(Quantity::kTemperatureDifference);
    return {temperatureColumn(QStringLiteral("Twb")),
            temperatureColumn(QStringLiteral("Tdb")),
            tr("Hours (h)"),
            temperatureColumn(tr("Cold water")),
            tr("Air flow (%)"),
            tr("Makeup (%1)").arg(units_.unit(Quantity::kWaterVolume)),
            tr("Fan energy (%1)").arg(units_.unit(Quantity::kEnergy)),
            tr("Above setpoint (%1)").arg(difference),
            tr("Degree-hours above setpoint (%1·h)").arg(difference),
            tr("Note")};
}

// Every value exact in the units shown, the columns named with their unit, the year's totals
// last, so that a spreadsheet gets the very numbers.
QString YearModel::tableText(QChar separator) const {
    TableText table(separator);
    const auto line = [&table](const QStringList& cells) { table.line(cells); };
    line(resultsHeader());
    if (year_) {
        const auto exact = [&](Quantity quantity, double value) -> QString {
            return Latin(ShortestText(units_.toDisplay(quantity, value)).View());
        };
        for (std::size_t i = 0; i < year_->bins.size(); ++i) {
            const BinOperation& bin = year_->bins[i];
            const WeatherBin& weather = binValues_[i];
            QStringList row = {units_.losslessText(Quantity::kTemperature, weather.wetBulb),
                               units_.losslessText(Quantity::kTemperature, weather.dryBulb),
                               exact(Quantity::kHours, weather.hours)};
            if (bin.operating()) {
                row << units_.losslessText(Quantity::kTemperature, bin.run.coldWater)
                    << exact(Quantity::kPercentage, static_cast<double>(bin.run.airFlow) * kPercent)
                    << exact(Quantity::kWaterVolume, bin.makeupGallons)
                    << exact(Quantity::kEnergy, bin.fanKilowattHours);
                const SetpointShortfall shortfall = binShortfall(i);
                row << exact(Quantity::kTemperatureDifference, shortfall.MeanAbove())
                    << exact(Quantity::kTemperatureDifference, shortfall.degreeHours);
            } else {
                row << QString() << QString() << QString() << QString() << QString() << QString();
            }
            line(row << binNote(i));
        }
        const YearTotals& totals = year_->totals;
        line({tr("Year"), QString(), exact(Quantity::kHours, totals.hours),
              totals.hours > 0.0 ? exact(Quantity::kTemperature, totals.meanColdWater) : QString(),
              QString(), exact(Quantity::kWaterVolume, totals.makeupGallons),
              exact(Quantity::kEnergy, totals.fanKilowattHours),
              exact(Quantity::kTemperatureDifference, totals.meanAboveSetpoint),
              exact(Quantity::kTemperatureDifference, totals.degreeHoursAboveSetpoint),
              totalsNote()});
    }
    return table.text();
}

SetpointShortfall YearModel::binShortfall(std::size_t bin) const {
    SetpointShortfall shortfall;
    if (year_ && bin < year_->bins.size() && year_->bins[bin].operating())
        shortfall.Add(year_->bins[bin].run.coldWater, control_.setpoint, binValues_[bin].hours);
    return shortfall;
}

// A bin without an operating point says why the rating found none; any other bin says how its
// fans ran (the engine's note, empty when the setpoint is simply met).
QString YearModel::binNote(std::size_t bin) const {
    if (!year_ || bin >= year_->bins.size()) return {};
    const FanOperation& run = year_->bins[bin].run;
    if (run.outcome == FanOutcome::kNoOperatingPoint) {
        return tr("no operating point: ") + EngineText(DescribeOutcome(run.fullSpeed.outcome));
    }
    return EngineText(ExplainFanOperation(run, control_.mode));
}

QString YearModel::totalsNote() const {
    if (!year_) return {};
    const YearTotals& totals = year_->totals;
    std::vector<std::string> named;
    for (const std::size_t bin : totals.binsLeftOut)
        named.push_back("bin " + std::to_string(bin + 1));
    TotalsCoverage coverage;
    coverage.rows = year_->bins.size() - totals.binsLeftOut.size();
    coverage.hours = totals.hours;
    coverage.rowsLeftOut = totals.binsLeftOut.size();
    coverage.namedLeftOut = named;
    coverage.hoursLeftOut = totals.hoursLeftOut;
    coverage.underSetpoint = control_.mode != FanMode::kFull;
    return EngineText(TotalsNote(coverage));
}

}  // namespace veltrane::performance
