#include "weather_year_model.h"

#include <QFile>
#include <QFont>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <utility>

#include "byte_source.h"
#include "csv_reader.h"
#include "number_boxes.h"
#include "number_text.h"
#include "performance_curves.h"
#include "table_text.h"
#include "units.h"
#include "utf8_text.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

/// Reasons a refused load file's message gives; the rest are counted.
constexpr qsizetype kMostLoadProblemsShown = 3;
/// The percent of a fraction of full air flow.
constexpr double kPercentOfFraction = 100.0;

/// Hours as the user's locale writes a count, with a fraction only where there is one.
QString Hours(double hours) {
    return QLocale().toString(hours, 'f', hours == std::floor(hours) ? 0 : 2);
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameSettings(const WeatherYearSettings& a, const WeatherYearSettings& b) {
    return a.design == b.design && a.tower.c == b.tower.c && a.tower.m == b.tower.m &&
           a.control.mode == b.control.mode && a.control.setpoint == b.control.setpoint &&
           a.control.minimumAirFlow == b.control.minimumAirFlow;
}

WeatherHourRow RowOf(const WeatherHourRun& hour) {
    WeatherHourRow row;
    row.month = static_cast<std::uint8_t>(hour.record.month);
    row.day = static_cast<std::uint8_t>(hour.record.day);
    row.hour = static_cast<std::uint8_t>(hour.record.hour);
    row.figures = HasFigures(hour.run);
    row.wetBulb = hour.air.wetBulb;
    row.dryBulb = hour.air.dryBulb;
    row.load = hour.loadPercent;
    row.coldWater = hour.run.coldWater;
    row.airFlow = hour.run.airFlow;
    row.makeup = hour.run.makeup;
    row.fanPower = hour.run.fanPower;
    return row;
}

/// Runs the whole file; called on a worker thread, so it touches nothing of the window.
std::shared_ptr<WeatherRunResult> RunFile(const QString& path, const WeatherYearSettings& settings,
                                          const std::atomic<bool>* cancel) {
    auto result = std::make_shared<WeatherRunResult>();
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        result->error = "cannot be read";
        return result;
    }
    WeatherFileReader reader(in);
    if (!reader.HeaderError().empty()) {
        result->error = reader.HeaderError();
        return result;
    }
    result->hours.reserve(static_cast<std::size_t>(kHoursPerLeapYear));
    result->year = RunWeatherYear(
        reader, settings, [&](const WeatherHourRun& hour) { result->hours.push_back(RowOf(hour)); },
        [&](const std::string& problem) {
            if (result->problems.size() < kMostWeatherProblems) result->problems.push_back(problem);
            ++result->problemCount;
        },
        cancel);
    result->tally = reader.Tally();
    return result;
}

}  // namespace

struct WeatherYearModel::Job {
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<QThread> thread;
};

WeatherHoursModel::WeatherHoursModel(const UnitLayer& units, QObject* parent)
    : QAbstractTableModel(parent), units_(units) {
    connect(&units_, &UnitLayer::systemChanged, this, [this] {
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    });
}

void WeatherHoursModel::setHours(const std::vector<WeatherHourRow>* hours) {
    beginResetModel();
    hours_ = hours;
    endResetModel();
}

int WeatherHoursModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !hours_ ? 0 : static_cast<int>(hours_->size());
}

int WeatherHoursModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 10;
}

QVariant WeatherHoursModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole) return (Qt::AlignRight | Qt::AlignVCenter).toInt();
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    const WeatherHourRow& row = (*hours_)[static_cast<std::size_t>(index.row())];
    const QLocale locale;
    const auto shown = [&](Quantity quantity, float value) {
        return ResultBoxText(value, quantity, units_, locale);
    };
    switch (index.column()) {
        case 0:
            return static_cast<int>(row.month);
        case 1:
            return static_cast<int>(row.day);
        case 2:
            return static_cast<int>(row.hour);
        case 3:
            return shown(Quantity::kTemperature, row.wetBulb);
        case 4:
            return shown(Quantity::kTemperature, row.dryBulb);
        case 5:
            return shown(Quantity::kPercentage, row.load);
        default:
            break;
    }
    if (!row.figures) return index.column() == 6 ? tr("no figures") : QVariant();
    switch (index.column()) {
        case 6:
            return shown(Quantity::kTemperature, row.coldWater);
        case 7:
            return shown(Quantity::kPercentage,
                         static_cast<float>(static_cast<double>(row.airFlow) * kPercentOfFraction));
        case 8:
            return shown(Quantity::kWaterFlow, row.makeup);
        case 9:
            return shown(Quantity::kPower, row.fanPower);
        default:
            return {};
    }
}

QVariant WeatherHoursModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto unit = [this](Quantity quantity) { return units_.unit(quantity); };
    switch (section) {
        case 0:
            return tr("Month");
        case 1:
            return tr("Day");
        case 2:
            return tr("Hour");
        case 3:
            return QStringLiteral("Twb (%1)").arg(unit(Quantity::kTemperature));
        case 4:
            return QStringLiteral("Tdb (%1)").arg(unit(Quantity::kTemperature));
        case 5:
            return tr("Load (%)");
        case 6:
            return tr("Cold water (%1)").arg(unit(Quantity::kTemperature));
        case 7:
            return tr("Air flow (%)");
        case 8:
            return tr("Makeup (%1)").arg(unit(Quantity::kWaterFlow));
        case 9:
            return tr("Fan power (%1)").arg(unit(Quantity::kPower));
        default:
            return {};
    }
}

WeatherYearModel::WeatherYearModel(const UnitLayer& units, QObject* parent)
    : QAbstractTableModel(parent), units_(units), hours_(units) {
    connect(&units_, &UnitLayer::systemChanged, this, [this] {
        emit headerDataChanged(Qt::Horizontal, 0, kMonthColumns - 1);
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kMonthColumns - 1));
    });
}

// Every run still under way is told to stop and waited for: its thread must not outlive the
// model it reports to.
WeatherYearModel::~WeatherYearModel() {
    for (const std::unique_ptr<Job>& job : jobs_)
        job->cancel->store(true);
    for (const std::unique_ptr<Job>& job : jobs_)
        job->thread->wait();
}

bool WeatherYearModel::open(const QString& path, QString& error) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        error = tr("cannot read %1: no such file or no permission").arg(path);
        return false;
    }
    const WeatherFileReader reader(in);
    if (!reader.HeaderError().empty()) {
        error = tr("cannot read %1: %2").arg(path, FromUtf8(reader.HeaderError()));
        return false;
    }
    path_ = path;
    header_ = reader.Header();
    emit sourceChanged();
    rerun();
    return true;
}

void WeatherYearModel::close() {
    ++generation_;
    for (const std::unique_ptr<Job>& job : jobs_)
        job->cancel->store(true);
    path_.clear();
    header_ = {};
    beginResetModel();
    result_.reset();
    hours_.setHours(nullptr);
    endResetModel();
    if (busy_) {
        busy_ = false;
        emit busyChanged(false);
    }
    emit sourceChanged();
    emit ran();
}

bool WeatherYearModel::setLoadPercent(double percent, QString& error) {
    const std::string problem = LoadPercentProblem(percent);
    if (!problem.empty()) {
        error = tr("The load ") + FromUtf8(problem);
        return false;
    }
    load_ = LoadProfile(static_cast<float>(percent));
    loadPath_.clear();
    emit sourceChanged();
    rerun();
    return true;
}

bool WeatherYearModel::openLoad(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    const std::string_view csvText(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    StringSource source(csvText);
    // Either convention, as the header tells; the engine's reader takes plain numbers.
    const CsvFormat format = CsvFormatOfText(csvText);
    CsvReader csv(source, format);
    CsvRecord record;
    LoadProfileReader reader;
    QStringList problems;
    std::vector<std::string> plain;
    std::vector<std::string_view> fields;
    while (csv.Next(record)) {
        if (!record.error.empty()) {
            problems << tr("line %1: %2").arg(record.line).arg(FromUtf8(record.error));
            break;
        }
        plain.clear();
        for (const std::string_view field : record.fields)
            plain.push_back(PlainNumberText(field, format).value_or(std::string(field)));
        fields.assign(plain.begin(), plain.end());
        reader.AddRow(record.line, fields);
    }
    std::optional<LoadProfile> profile = problems.isEmpty() ? reader.Finish() : std::nullopt;
    for (const std::string& problem : reader.Errors())
        problems << FromUtf8(problem);
    if (!profile) {
        // The first few reasons: a file missing most of its rows would fill the screen.
        const qsizetype shown = std::min<qsizetype>(problems.size(), kMostLoadProblemsShown);
        const std::size_t all = std::max(reader.ErrorCount(), static_cast<std::size_t>(shown));
        QString text = problems.mid(0, shown).join(u"; "_qs);
        if (all > static_cast<std::size_t>(shown))
            text += tr("; and %1 more").arg(all - static_cast<std::size_t>(shown));
        error = tr("cannot read %1: %2").arg(path, text);
        return false;
    }
    load_ = *profile;
    loadPath_ = path;
    emit sourceChanged();
    rerun();
    return true;
}

void WeatherYearModel::request(const DesignInputs& design, TowerCharacteristic tower,
                               const FanControl& control) {
    WeatherYearSettings settings{design, tower, control, load_};
    if (requested_ && SameSettings(*requested_, settings) && (busy_ || result_)) return;
    requested_ = settings;
    start();
}

void WeatherYearModel::rerun() {
    if (!requested_) return;
    requested_->load = load_;
    start();
}

// A new run replaces any older one: the older is told to stop, and its result, should it still
// come, is not taken (its generation is past).
void WeatherYearModel::start() {
    if (!isOpen() || !requested_) return;
    const std::uint64_t generation = ++generation_;
    for (const std::unique_ptr<Job>& job : jobs_)
        job->cancel->store(true);
    auto& job = jobs_.emplace_back(std::make_unique<Job>());
    const std::shared_ptr<std::atomic<bool>> cancel = job->cancel;
    job->thread.reset(QThread::create([this, generation, cancel, path = path_,
                                       settings = *requested_] {
        std::shared_ptr<WeatherRunResult> result = RunFile(path, settings, cancel.get());
        QMetaObject::invokeMethod(
            this, [this, generation, result] { finish(generation, result); }, Qt::QueuedConnection);
    }));
    job->thread->start();
    if (!busy_) {
        busy_ = true;
        emit busyChanged(true);
    }
}

void WeatherYearModel::finish(std::uint64_t generation,
                              const std::shared_ptr<WeatherRunResult>& result) {
    // The finished threads are let go here, on the window's thread, where they were made.
    std::erase_if(jobs_, [](const std::unique_ptr<Job>& job) {
        if (!job->thread->isFinished()) return false;
        job->thread->wait();
        return true;
    });
    if (generation != generation_) return;
    beginResetModel();
    result_ = std::move(*result);
    resultSettings_ = *requested_;
    hours_.setHours(&result_->hours);
    endResetModel();
    busy_ = false;
    emit busyChanged(false);
    emit ran();
}

int WeatherYearModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !result_ ? 0 : static_cast<int>(kMonthsPerYear) + 1;
}

int WeatherYearModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kMonthColumns;
}

const OperationSums* WeatherYearModel::sumsOfRow(int row) const {
    if (!result_ || row < 0 || row > static_cast<int>(kMonthsPerYear)) return nullptr;
    return row == static_cast<int>(kMonthsPerYear) ? &result_->year.sums.Year()
                                                   : &result_->year.sums.Month(row + 1);
}

namespace {

Quantity QuantityOfMonthColumn(int column) {
    switch (column) {
        case kMonthColdWater:
            return Quantity::kTemperature;
        case kMonthEvaporation:
        case kMonthBlowdown:
        case kMonthDrift:
        case kMonthMakeup:
            return Quantity::kWaterVolume;
        case kMonthFanEnergy:
            return Quantity::kEnergy;
        case kMonthAirFlow:
            return Quantity::kPercentage;
        default:
            return Quantity::kHours;
    }
}

/// A month's figure in the engine's units (NaN for a mean without hours).
double EngineValue(const OperationSums& sums, int column) {
    switch (column) {
        case kMonthHours:
            return sums.hours;
        case kMonthColdWater:
            return sums.MeanColdWater();
        case kMonthHoursAbove:
            return sums.hoursAboveSetpoint;
        case kMonthEvaporation:
            return sums.evaporationGallons;
        case kMonthBlowdown:
            return sums.blowdownGallons;
        case kMonthDrift:
            return sums.driftGallons;
        case kMonthMakeup:
            return sums.makeupGallons;
        case kMonthFanEnergy:
            return sums.fanKilowattHours;
        case kMonthAirFlow:
            return sums.MeanAirFlow() * kPercentOfFraction;
        default:
            return std::numeric_limits<double>::quiet_NaN();
    }
}

}  // namespace

double WeatherYearModel::value(int row, int column) const {
    const OperationSums* sums = sumsOfRow(row);
    if (!sums) return std::numeric_limits<double>::quiet_NaN();
    if (column == kMonth) return row + 1;
    return units_.toDisplay(QuantityOfMonthColumn(column), EngineValue(*sums, column));
}

QString WeatherYearModel::cellText(int row, int column) const {
    if (column == kMonth) {
        return row == static_cast<int>(kMonthsPerYear)
                   ? tr("Year")
                   : QLocale().standaloneMonthName(row + 1, QLocale::ShortFormat);
    }
    const OperationSums* sums = sumsOfRow(row);
    const double engineValue = sums ? EngineValue(*sums, column) : 0.0;
    if (!sums || !std::isfinite(engineValue)) return {};
    const Quantity quantity = QuantityOfMonthColumn(column);
    if (quantity == Quantity::kHours) return Hours(engineValue);
    return ResultBoxText(static_cast<float>(engineValue), quantity, units_, QLocale());
}

QVariant WeatherYearModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole) {
        return (index.column() == kMonth ? Qt::AlignLeft | Qt::AlignVCenter
                                         : Qt::AlignRight | Qt::AlignVCenter)
            .toInt();
    }
    if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
    if (role == Qt::FontRole && index.row() == static_cast<int>(kMonthsPerYear)) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant WeatherYearModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto unit = [this](Quantity quantity) { return units_.unit(quantity); };
    switch (section) {
        case kMonth:
            return tr("Month");
        case kMonthHours:
            return tr("Hours\n(h)");
        case kMonthColdWater:
            return tr("Mean cold\nwater (%1)").arg(unit(Quantity::kTemperature));
        case kMonthHoursAbove:
            return tr("Above\nsetpoint (h)");
        case kMonthEvaporation:
            return tr("Evaporation\n(%1)").arg(unit(Quantity::kWaterVolume));
        case kMonthBlowdown:
            return tr("Blowdown\n(%1)").arg(unit(Quantity::kWaterVolume));
        case kMonthDrift:
            return tr("Drift\n(%1)").arg(unit(Quantity::kWaterVolume));
        case kMonthMakeup:
            return tr("Makeup\n(%1)").arg(unit(Quantity::kWaterVolume));
        case kMonthFanEnergy:
            return tr("Fan energy\n(%1)").arg(unit(Quantity::kEnergy));
        case kMonthAirFlow:
            return tr("Mean air\nflow (%)");
        default:
            return {};
    }
}

QString WeatherYearModel::siteText() const {
    if (!isOpen()) return {};
    QStringList parts;
    for (const std::string& part : {header_.site.name, header_.site.region, header_.site.country}) {
        if (!part.empty()) parts << FromUtf8(part);
    }
    return parts.join(u", "_qs);
}

QString WeatherYearModel::designWetBulbText(float designWetBulb) const {
    const QString design = BoxText(designWetBulb, Quantity::kTemperature, units_, QLocale()) +
                           u' ' + units_.unit(Quantity::kTemperature);
    if (!header_.evaporationWetBulbs) {
        return tr("the file gives no design wet bulbs; the design uses ") + design;
    }
    const double wetBulbF = ToUS(Quantity::kTemperature, header_.evaporationWetBulbs->percent04);
    const QString site =
        QLocale().toString(units_.toDisplay(Quantity::kTemperature, wetBulbF), 'f', 1);
    return tr("site: 0.4 % wet bulb %1 %2; the design uses %3")
        .arg(site, units_.unit(Quantity::kTemperature), design);
}

QString WeatherYearModel::totalsText() const {
    if (!result_) return {};
    if (!result_->error.empty()) return FromUtf8(result_->error);
    const OperationSums& year = result_->year.sums.Year();
    const auto shown = [this](Quantity quantity, double value) {
        return ResultBoxText(static_cast<float>(value), quantity, units_, QLocale()) + u' ' +
               units_.unit(quantity);
    };
    QString text =
        year.hours > 0.0
            ? tr("Year of %1 h: fan energy %2, makeup water %3, mean cold water reached %4, %5 h "
                 "above the setpoint.")
                  .arg(Hours(year.hours), shown(Quantity::kEnergy, year.fanKilowattHours),
                       shown(Quantity::kWaterVolume, year.makeupGallons),
                       shown(Quantity::kTemperature, year.MeanColdWater()),
                       Hours(year.hoursAboveSetpoint))
            : tr("No hour of the file has an operating point.");
    const WeatherYearNotes& notes = result_->year.notes;
    const WeatherTally& tally = result_->tally;
    if (tally.ShortOfAYear()) text += tr(" The file is short of a year: a year of its own hours.");
    if (tally.leapYear) text += tr(" A leap year.");
    // Every hour left out is counted, so that no sum is silently short.
    const double leftOut = notes.HoursLeftOut(year);
    if (leftOut > 0.0) {
        text +=
            tr(" Left out: %1 h (unreadable %2 h, no wet bulb %3 h, no operating point %4 h, "
               "no leaving air %5 h).")
                .arg(Hours(leftOut), Hours(notes.hoursUnreadable), Hours(notes.hoursWithoutWetBulb),
                     Hours(year.hoursWithoutOperatingPoint), Hours(year.hoursWithoutLeavingAir));
    }
    if (result_->problemCount > 0) {
        QStringList first;
        for (const std::string& problem : result_->problems)
            first << FromUtf8(problem);
        text += tr(" Bad hours: %1 (%2%3).")
                    .arg(QLocale().toString(static_cast<qulonglong>(result_->problemCount)),
                         first.join(u"; "_qs),
                         result_->problemCount > static_cast<std::size_t>(first.size())
                             ? QStringLiteral("; …")
                             : QString());
    }
    return text;
}

// Every value exact in the units shown, so that a spreadsheet gets the very numbers.
QString WeatherYearModel::tableText(QChar separator) const {
    TableText table(separator);
    QStringList header;
    for (int c = 0; c < kMonthColumns; ++c)
        // The view's captions break over two lines; a file's are one line each.
        header << headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().replace(u'\n', u' ');
    table.line(header);
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        cells << (row == static_cast<int>(kMonthsPerYear) ? tr("Year") : QString::number(row + 1));
        for (int c = 1; c < kMonthColumns; ++c) {
            const double shown = value(row, c);
            cells << (std::isfinite(shown) ? Latin(ShortestText(shown).View()) : QString());
        }
        table.line(cells);
    }
    return table.text();
}

}  // namespace veltrane::performance
