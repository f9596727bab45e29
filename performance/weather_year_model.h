#pragma once
// A year from a site's weather file: the file's site and design wet bulbs, every hour run through
// the engine (RunWeatherYear) with the window's design and tower, the Year tab's setpoint and fan
// control and the plant's load, and the hours summed by month. A year is about half a second of
// calculation, so it runs on a thread of its own: a newer request cancels the older run through
// the engine's cancel flag, and only the newest run's result is taken. The model is the monthly
// table (twelve months and the year); hoursModel() is the hourly one.

#include <QAbstractTableModel>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "load_profile.h"
#include "unit_layer.h"
#include "weather_year.h"

class QThread;

namespace veltrane::performance {

enum MonthColumn {
    kMonth,
    kMonthHours,
    kMonthColdWater,
    kMonthHoursAbove,
    kMonthEvaporation,
    kMonthBlowdown,
    kMonthDrift,
    kMonthMakeup,
    kMonthFanEnergy,
    kMonthAirFlow,
    kMonthColumns
};

/// One hour of the file as run: its air and what the plant got.
struct WeatherHourRow {
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    bool figures = false;    ///< the hour has an operating point and its figures
    float wetBulb = 0.0F;    ///< °F
    float dryBulb = 0.0F;    ///< °F
    float load = 0.0F;       ///< % of the design's heat load
    float coldWater = 0.0F;  ///< °F, reached under the fan control
    float airFlow = 0.0F;    ///< fraction of full
    float makeup = 0.0F;     ///< gpm
    float fanPower = 0.0F;   ///< hp at the fan shaft
};

/// What one run gives: the sums, the hours and what the file left out.
struct WeatherRunResult {
    WeatherYear year;
    std::vector<WeatherHourRow> hours;
    std::vector<std::string> problems;  ///< the first kMostWeatherProblems messages
    std::size_t problemCount = 0;
    WeatherTally tally;
    std::string error;  ///< the file could not be read at all
};

/// Messages of left-out records kept for the note; the rest are counted.
inline constexpr std::size_t kMostWeatherProblems = 5;

/// The hourly table: 8,760 rows of the latest run, each value shown in the window's units.
class WeatherHoursModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit WeatherHoursModel(const UnitLayer& units, QObject* parent = nullptr);
    void setHours(const std::vector<WeatherHourRow>* hours);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

  private:
    const UnitLayer& units_;
    const std::vector<WeatherHourRow>* hours_ = nullptr;
};

class WeatherYearModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit WeatherYearModel(const UnitLayer& units, QObject* parent = nullptr);
    ~WeatherYearModel() override;
    WeatherYearModel(const WeatherYearModel&) = delete;
    WeatherYearModel& operator=(const WeatherYearModel&) = delete;

    /// Reads the file's header; on success the file is the year's weather and a run is asked
    /// for (its result comes later, with ran()). On failure the file in use is kept and `error`
    /// gives the path and the reason.
    bool open(const QString& path, QString& error);
    /// Back to no weather file: the tab shows its bins again.
    void close();
    [[nodiscard]] bool isOpen() const { return !path_.isEmpty(); }
    [[nodiscard]] const QString& path() const { return path_; }
    [[nodiscard]] const WeatherHeader& header() const { return header_; }

    /// A constant load, % of the design's; refused (false, `error` says why) when not usable.
    bool setLoadPercent(double percent, QString& error);
    /// A load file (Month, Hour, Load (%) for the 12 × 24 hours of a typical day per month);
    /// on failure the load is kept and `error` gives the path and the first reasons.
    bool openLoad(const QString& path, QString& error);
    /// The load file in use, empty under a constant load.
    [[nodiscard]] const QString& loadPath() const { return loadPath_; }
    /// The constant load, % of the design's (meaningless while a load file is in use).
    [[nodiscard]] float loadPercent() const { return load_.PercentAt(1, 1); }

    /// Asks for a run with these settings; nothing happens when they are those of the run in
    /// place or under way. Any older run is cancelled.
    void request(const DesignInputs& design, TowerCharacteristic tower, const FanControl& control);
    /// Asks for a run again with the settings of the last request (a new load).
    void rerun();
    /// Whether a run is under way.
    [[nodiscard]] bool busy() const { return busy_; }

    /// The latest finished run, nothing before the first.
    [[nodiscard]] const std::optional<WeatherRunResult>& result() const { return result_; }
    /// The setpoint of that run, °F.
    [[nodiscard]] float setpoint() const { return resultSettings_.control.setpoint; }
    [[nodiscard]] WeatherHoursModel* hoursModel() { return &hours_; }

    /// "Chicago Ohare Intl Ap, IL, USA"; empty without a file.
    [[nodiscard]] QString siteText() const;
    /// "site: 0.4 % wet bulb 77.9 °F; the design uses 65 °F", or what the file lacks.
    [[nodiscard]] QString designWetBulbText(float designWetBulb) const;
    /// The year's totals and what was left out, as one paragraph.
    [[nodiscard]] QString totalsText() const;
    /// The monthly table, every value exact in the units shown, quoted as CSV.
    [[nodiscard]] QString tableText(QChar separator) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    /// The sums of row 0 to 11 (the months) or 12 (the year).
    [[nodiscard]] const OperationSums* sumsOfRow(int row) const;
    /// A month row's value in the units shown (NaN for a mean without hours).
    [[nodiscard]] double value(int row, int column) const;

  signals:
    /// A run finished and its result is in place, or the file was closed.
    void ran();
    /// A run started or the last one finished.
    void busyChanged(bool busy);
    /// The file or the load changed.
    void sourceChanged();

  private:
    struct Job;
    void start();
    void finish(std::uint64_t generation, const std::shared_ptr<WeatherRunResult>& result);
    [[nodiscard]] QString cellText(int row, int column) const;

    const UnitLayer& units_;
    QString path_;
    WeatherHeader header_;
    QString loadPath_;
    LoadProfile load_;
    std::optional<WeatherYearSettings> requested_;
    WeatherYearSettings resultSettings_;
    std::optional<WeatherRunResult> result_;
    std::vector<std::unique_ptr<Job>> jobs_;
    std::uint64_t generation_ = 0;
    bool busy_ = false;
    WeatherHoursModel hours_;
};

}  // namespace veltrane::performance
