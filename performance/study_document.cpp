#include "study_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>

#include "acceptance_tab.h"
#include "performance_model.h"
#include "study_file.h"
#include "utf8_text.h"
#include "weather_year_model.h"
#include "year_model.h"
#include "year_tab.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

const QString kRecoveryName = QStringLiteral("recovery.veltrane");
/// Beside the copy: the path of the study it was copied from, empty for a new one.
const QString kRecoveryPathName = QStringLiteral("recovery-path.txt");
/// Held by the running window whose copy the folder keeps.
const QString kRecoveryLockName = QStringLiteral("window.lock");
/// Windows open at once that each keep a copy; a further one keeps none.
constexpr int kRecoveryWindows = 8;

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

study::PowerUnit ToStudy(PowerUnit unit) {
    return unit == PowerUnit::kKilowatt ? study::PowerUnit::kKilowatt
                                        : study::PowerUnit::kHorsepower;
}

PowerUnit FromStudy(study::PowerUnit unit) {
    return unit == study::PowerUnit::kKilowatt ? PowerUnit::kKilowatt : PowerUnit::kHorsepower;
}

/// The study's limits in TestLimit order.
std::array<std::optional<float>*, kTestLimitCount> LimitsOf(study::ValidityLimits& limits) {
    return {&limits.wetBulb, &limits.range,    &limits.flow,
            &limits.load,    &limits.fanPower, &limits.pressure};
}

void FillAcceptance(study::AcceptanceSetting& setting, const TestRecord& record) {
    setting.readings = record.readings;
    setting.readingsPowerUnit = ToStudy(record.readingsPowerUnit);
    setting.slope = record.slope;
    setting.designFanPower.reset();
    if (record.designFanPower) {
        setting.designFanPower =
            study::FanPower{record.designFanPower->value, ToStudy(record.designFanPower->unit)};
    }
    setting.draft = record.draft;
    setting.method = record.method;
    const auto limits = LimitsOf(setting.limits);
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        limits[k]->reset();
        if (record.limits[k]) *limits[k] = static_cast<float>(*record.limits[k]);
    }
    setting.makerCurvesFile = FileSystemPath(record.curvesFile);
    setting.makerCurves =
        record.curvesFile.isEmpty() ? record.curves : std::vector<MakerCurveRow>{};
}

TestRecord RecordOf(study::AcceptanceSetting setting) {
    TestRecord record;
    record.readings = std::move(setting.readings);
    record.readingsPowerUnit = FromStudy(setting.readingsPowerUnit);
    record.slope = setting.slope;
    if (setting.designFanPower) {
        record.designFanPower =
            StatedPower{setting.designFanPower->value, FromStudy(setting.designFanPower->unit)};
    }
    record.draft = setting.draft;
    record.method = setting.method;
    const auto limits = LimitsOf(setting.limits);
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        if (*limits[k]) record.limits[k] = static_cast<double>(**limits[k]);
    }
    record.curves = std::move(setting.makerCurves);
    record.curvesFile = FromPath(setting.makerCurvesFile);
    return record;
}

/// The year's bins as the Year tab rates them, each with its own hot water, approach or range
/// (kept by the tab while the bin is the one the study had there).
std::vector<study::YearBin> BinsOf(const std::vector<WeatherBin>& bins) {
    std::vector<study::YearBin> out;
    out.reserve(bins.size());
    for (const WeatherBin& bin : bins)
        out.push_back({bin.wetBulb, bin.dryBulb, bin.hours, bin.hotWater, bin.approach, bin.range});
    return out;
}

ReportIdentification IdentificationOf(const study::ReportSetting& report) {
    return {FromUtf8(report.title), FromUtf8(report.project), FromUtf8(report.tower),
            FromUtf8(report.testDate), FromUtf8(report.testedBy)};
}

}  // namespace

StudyDocument::StudyDocument(StudyParts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)) {
    checkTimer_.setSingleShot(true);
    checkTimer_.setInterval(0);
    connect(&checkTimer_, &QTimer::timeout, this, &StudyDocument::check);
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(kRecoveryDelay);
    connect(&recoveryTimer_, &QTimer::timeout, this, &StudyDocument::writeRecovery);
    opened_.units = parts_.units.system();
    savedText_ = text();
    watch();
}

// Every signal a model gives when what it holds may have changed; check() decides by the text.
void StudyDocument::watch() {
    const auto edit = [this] { noteEdit(); };
    connect(&parts_.design, &PerformanceModel::calculated, this, edit);
    connect(&parts_.units, &UnitLayer::systemChanged, this, edit);
    AcceptanceModel& test = parts_.acceptance.readings();
    connect(&test, &AcceptanceModel::dataChanged, this, edit);
    connect(&test, &AcceptanceModel::modelReset, this, edit);
    connect(&test, &AcceptanceModel::settingsChanged, this, edit);
    connect(&test.makerCurves(), &MakerCurvesModel::changed, this, edit);
    connect(&parts_.acceptance, &AcceptanceTab::identificationEdited, this, edit);
    YearModel& year = parts_.year.yearModel();
    connect(&year, &YearModel::controlsChanged, this, edit);
    connect(&year, &YearModel::ran, this, edit);
    const WeatherYearModel& weather = parts_.year.weatherModel();
    connect(&weather, &WeatherYearModel::sourceChanged, this, [this, &weather] {
        if (weather.isOpen()) unreadWeather_.clear();
        noteEdit();
    });
}

void StudyDocument::noteEdit() {
    checkPending_ = true;
    checkTimer_.start();
    if (!recoveryFolder_.isEmpty()) recoveryTimer_.start();
}

std::string StudyDocument::text() const {
    return study::WriteStudy(study(), std::filesystem::path("/"));
}

void StudyDocument::check() {
    checkPending_ = false;
    checkTimer_.stop();
    const bool modified = text() != savedText_;
    if (modified == modified_) return;
    modified_ = modified;
    emit stateChanged();
}

bool StudyDocument::isModified() {
    if (checkPending_) check();
    return modified_;
}

QString StudyDocument::displayName() const {
    return path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
}

study::Study StudyDocument::study() const {
    study::Study study = opened_;
    for (const Field field : AllFields()) {
        if (const std::optional<Input> input = InputOf(field))
            study.design[*input] = parts_.design.value(field);
    }
    study.tower.throughDesignPoint =
        parts_.design.towerSource() == TowerSource::kThroughDesignPoint;
    study.tower.c = parts_.design.value(Field::kTowerC);
    study.tower.m = parts_.design.value(Field::kTowerM);
    study.units = parts_.units.system();
    FillAcceptance(study.acceptance, parts_.acceptance.readings().record());

    const YearModel& year = parts_.year.yearModel();
    const WeatherYearModel& weather = parts_.year.weatherModel();
    study.year.bins = BinsOf(year.bins());
    study.year.fanControl = year.control();
    study.year.weatherFile = weather.isOpen() ? FileSystemPath(weather.path()) : unreadWeather_;
    study.year.loadFile = FileSystemPath(weather.loadPath());
    study.year.loadPercent =
        weather.loadPath().isEmpty() ? weather.loadPercent() : opened_.year.loadPercent;

    const ReportIdentification lines = parts_.acceptance.identification();
    study.report.title = lines.title.toStdString();
    study.report.project = lines.project.toStdString();
    study.report.tower = lines.tower.toStdString();
    study.report.testDate = lines.testDate.toStdString();
    study.report.testedBy = lines.testedBy.toStdString();
    return study;
}

// The units first, so that every text is written in them once; the design next, so that the
// readings are evaluated once, against it; the load before the weather, so that the year runs
// once.
QStringList StudyDocument::apply(const study::Study& study) {
    QStringList notes;
    parts_.setUnits(study.units);
    std::array<float, kFieldCount> values = PerformanceModel::DefaultValues();
    for (const Field field : AllFields()) {
        if (const std::optional<Input> input = InputOf(field))
            values[static_cast<std::size_t>(field)] = study.design[*input];
    }
    values[static_cast<std::size_t>(Field::kTowerC)] = study.tower.c;
    values[static_cast<std::size_t>(Field::kTowerM)] = study.tower.m;
    parts_.design.setAll(values, study.tower.throughDesignPoint ? TowerSource::kThroughDesignPoint
                                                                : TowerSource::kGiven);
    parts_.showInputs();

    QString curvesError;
    parts_.acceptance.readings().load(RecordOf(study.acceptance), curvesError);
    if (!curvesError.isEmpty())
        notes << tr("The maker's curves were not opened: %1").arg(curvesError);
    parts_.acceptance.setIdentification(IdentificationOf(study.report));

    std::vector<WeatherBin> bins;
    for (const study::YearBin& bin : study.year.bins)
        bins.push_back(
            {bin.wetBulb, bin.dryBulb, bin.hours, bin.range, bin.approach, bin.hotWater});
    parts_.year.yearModel().load(bins, study.year.fanControl);
    WeatherYearModel& weather = parts_.year.weatherModel();
    QString error;
    if (!study.year.loadFile.empty()) {
        if (!weather.openLoad(FromPath(study.year.loadFile), error))
            notes << tr("The load file was not opened: %1").arg(error);
    } else {
        weather.setLoadPercent(static_cast<double>(study.year.loadPercent), error);
    }
    parts_.year.showLoad();
    if (study.year.weatherFile.empty()) {
        if (weather.isOpen()) parts_.year.closeWeather();
    } else {
        // A file that no longer opens is told by the Year tab; the study goes on with its bins.
        parts_.year.openWeather(FromPath(study.year.weatherFile));
    }
    // A weather file away for now (a drive not mounted, a study mailed alone) stays named in the
    // study, so that saving an edit elsewhere does not drop the year; opening another replaces it.
    unreadWeather_ = weather.isOpen() ? std::filesystem::path() : study.year.weatherFile;
    opened_ = study;
    return notes;
}

void StudyDocument::markClean(const QString& path) {
    path_ = path;
    savedText_ = text();
    checkPending_ = false;
    checkTimer_.stop();
    modified_ = false;
    removeRecovery();
    emit stateChanged();
}

QString StudyDocument::open(const QString& path, QStringList& notes) {
    study::StudyReading reading = study::ReadStudyFile(FileSystemPath(path));
    if (!reading.study) return FromUtf8(reading.error);
    notes = apply(*reading.study);
    markClean(QFileInfo(path).absoluteFilePath());
    return {};
}

void StudyDocument::startNew() {
    study::Study fresh;
    fresh.units = parts_.units.system();
    apply(fresh);
    markClean({});
}

QString StudyDocument::saveAs(const QString& path) {
    const study::Study study = this->study();
    // A value the reader would refuse is not written: the file could not be opened again.
    if (const std::string problem = study::StudyProblem(study); !problem.empty())
        return tr("%1 cannot be saved: %2").arg(path, FromUtf8(problem));
    if (const std::string error = study::SaveStudyFile(study, FileSystemPath(path));
        !error.empty()) {
        return FromUtf8(error);
    }
    markClean(QFileInfo(path).absoluteFilePath());
    return {};
}

StudyDocument::~StudyDocument() = default;

// A copy already there belongs to a window that did not close: it is left alone until it is
// restored or discarded, even while the question about it is open. A window still running holds
// its folder locked, so that a second window neither offers its unsaved edits as a killed
// window's nor discards them: the second keeps its copy in a folder of its own beside it.
void StudyDocument::keepRecoveryIn(const QString& folder) {
    recoveryFolder_.clear();
    recoveryLock_.reset();
    if (folder.isEmpty()) return;
    for (int window = 1; window <= kRecoveryWindows; ++window) {
        const QString candidate = window == 1 ? folder : folder + QStringLiteral("-%1").arg(window);
        if (!QDir().mkpath(candidate)) return;
        auto lock = std::make_unique<QLockFile>(QDir(candidate).filePath(kRecoveryLockName));
        // Only a lock whose window is gone is taken over, however long that window has run.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;
        recoveryLock_ = std::move(lock);
        recoveryFolder_ = candidate;
        copyOffered_ = hasRecovery();
        return;
    }
}

QString StudyDocument::recoveryFile() const {
    return recoveryFolder_.isEmpty() ? QString() : QDir(recoveryFolder_).filePath(kRecoveryName);
}

QString StudyDocument::recoveryPathFile() const {
    return QDir(recoveryFolder_).filePath(kRecoveryPathName);
}

bool StudyDocument::hasRecovery() const {
    return !recoveryFolder_.isEmpty() && QFileInfo::exists(recoveryFile());
}

// The copy's paths are kept absolute (relative only to the recovery folder itself), so that
// it reads back the same from there; the path it came from goes first, so that a copy is never
// left without it.
void StudyDocument::writeRecovery() {
    if (recoveryFolder_.isEmpty() || copyOffered_) return;
    if (!isModified()) {
        removeRecovery();
        return;
    }
    if (!QDir().mkpath(recoveryFolder_)) return;
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QSaveFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
    };
    const std::string copy = study::WriteStudy(study(), FileSystemPath(recoveryFolder_));
    if (!write(recoveryPathFile(), path_.toUtf8())) return;
    write(recoveryFile(), QByteArray::fromStdString(copy));
}

void StudyDocument::removeRecovery() {
    recoveryTimer_.stop();
    copyOffered_ = false;
    if (recoveryFolder_.isEmpty()) return;
    QFile::remove(recoveryFile());
    QFile::remove(recoveryPathFile());
}

QString StudyDocument::restoreRecovery(QStringList& notes) {
    study::StudyReading reading = study::ReadStudyFile(FileSystemPath(recoveryFile()));
    if (!reading.study) {
        removeRecovery();
        return FromUtf8(reading.error);
    }
    QFile original(recoveryPathFile());
    const QString path =
        original.open(QIODevice::ReadOnly) ? QString::fromUtf8(original.readAll()) : QString();
    notes = apply(*reading.study);
    markClean(path);
    // Not yet in the user's file: modified until saved, and copied again in case of another kill.
    savedText_.clear();
    check();
    writeRecovery();
    return {};
}

}  // namespace veltrane::performance
