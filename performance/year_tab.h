#pragma once
// The Year tab: weather bins (typed, pasted with Ctrl+V, opened or saved as CSV), the cold-water
// setpoint and the fan control, each bin's cold water, air flow, makeup water and fan energy
// with the window's tower, the year's totals and a bar chart of energy or water by bin. The
// bins, controls and run are the YearModel's; this tab shows them and forwards edits.

#include <cstddef>
#include <optional>
#include <vector>

#include <QFont>
#include <QString>

#include "performance_model.h"
#include "performance_tab.h"
#include "unit_layer.h"
#include "year_bins.h"
#include "year_model.h"

class QComboBox;
class QPushButton;
class QStackedWidget;
class QTableView;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace veltrane::desktop {
class MessageBoxes;
}

namespace veltrane::performance {

class FileDialogs;
class RecentFiles;
class WeatherYearModel;
class YearBars;

/// What the bar chart shows per bin.
enum class YearBarsOf { kEnergy, kWater };

/// A line of a chart's heading as it fits a width: its font made smaller, down to
/// `smallestPixels`, and only then the text cut with an ellipsis.
struct FittedLine {
    QFont font;
    QString text;
};
FittedLine FitLine(const QString& text, QFont font, int smallestPixels, double width);

class YearTab final : public PerformanceTab {
    Q_OBJECT

  public:
    /// @param year the year's record, which this tab shows and edits
    /// @param recent the weather files opened lately, shared with the window's File menu
    YearTab(YearModel& year, const UnitLayer& units, desktop::MessageBoxes& messages,
            FileDialogs& files, RecentFiles& recent, QWidget* parent = nullptr);

    [[nodiscard]] QString title() const override { return tr("Year"); }
    [[nodiscard]] bool hasChart() const override { return true; }
    bool writeChart(const QString& path, QString& error) const override;
    [[nodiscard]] bool hasTable() const override { return true; }
    [[nodiscard]] QString tableText(QChar separator) const override;
    [[nodiscard]] std::optional<TabPrintout> printout() const override;

    /// Opens a bins file (YearModel::open); on failure tells the user the path, the line and
    /// the reason.
    bool openBins(const QString& path);
    /// Saves the bins (YearModel::save); on failure tells the user the path and the reason.
    bool saveBins(const QString& path);
    /// Puts tab-separated rows (a header line is skipped) in place of the bins.
    void pasteBins(const QString& text);
    /// Opens a weather file (WeatherYearModel::open): the year is then the file's hours, run
    /// off the window's thread. On failure tells the user the path and the reason.
    bool openWeather(const QString& path);
    /// Asks for a weather file and opens it.
    void askOpenWeather();
    /// Back to the bins.
    void closeWeather();
    /// Opens a load file (WeatherYearModel::openLoad); on failure tells the user why.
    bool openLoad(const QString& path);
    /// Shows the hours of the latest weather run in a table of their own.
    void showHours();
    [[nodiscard]] WeatherYearModel& weatherModel() const { return *weather_; }
    /// Shows the weather model's constant load in its box, unmarked (after a study is opened).
    void showLoad();
    [[nodiscard]] QLineEdit* loadBox() const { return load_; }
    /// The chart's bars: per month when a weather file is open, else per bin.
    [[nodiscard]] bool showsMonths() const;

    [[nodiscard]] YearModel& yearModel() const { return year_; }
    [[nodiscard]] QTableView* binsTable() const { return bins_; }
    [[nodiscard]] QTableWidget* resultsTable() const { return results_; }
    [[nodiscard]] QLineEdit* setpointBox() const { return setpoint_; }
    [[nodiscard]] QComboBox* fanBox() const { return fan_; }
    [[nodiscard]] QLineEdit* minimumBox() const { return minimum_; }
    [[nodiscard]] QComboBox* barsBox() const { return barsOf_; }
    /// The year's totals (or why there are none) as one paragraph.
    [[nodiscard]] QString totalsText() const;
    /// The fan control and the setpoint of the latest run, as one line.
    [[nodiscard]] QString controlText() const;
    /// Why the boxes are not used as they stand, or empty.
    [[nodiscard]] QString problemText() const;
    /// The latest year run, nothing before the first or without a tower.
    [[nodiscard]] const std::optional<YearRun>& year() const;
    /// The wet bulb of a bin of the latest run, °F (the chart's labels).
    [[nodiscard]] float binWetBulb(std::size_t bin) const;
    /// The bins of the latest run from the coldest wet bulb to the warmest (the chart's bars).
    [[nodiscard]] std::vector<std::size_t> binsByWetBulb() const;
    /// Removes the selected bins (Year › Remove), else the current one, else the last.
    void removeBin();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildControls();
    QWidget* buildBins();
    QWidget* buildWeather();
    void typeLoad(const QString& text);
    void askOpenLoad();
    void requestWeather();
    void showWeather();
    void askOpen();
    void askSave();
    void addBin();
    void showControls();
    void showResults();
    [[nodiscard]] QString displayText(Quantity quantity, float engineValue) const;
    void tell(const QString& what, const QString& error);

    YearModel& year_;
    const UnitLayer& units_;
    desktop::MessageBoxes& messages_;
    FileDialogs& files_;
    RecentFiles& recent_;
    WeatherYearModel* weather_ = nullptr;

    QTableView* bins_ = nullptr;
    QWidget* binsPane_ = nullptr;
    QLineEdit* setpoint_ = nullptr;
    QComboBox* fan_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QLabel* setpointUnit_ = nullptr;
    QLabel* problemLabel_ = nullptr;
    QTableWidget* results_ = nullptr;
    QLabel* totals_ = nullptr;
    QComboBox* barsOf_ = nullptr;
    YearBars* chart_ = nullptr;
    QStackedWidget* resultsStack_ = nullptr;
    QTableView* months_ = nullptr;
    QLabel* site_ = nullptr;
    QLabel* siteWetBulb_ = nullptr;
    QLabel* working_ = nullptr;
    QLineEdit* load_ = nullptr;
    QLabel* loadSource_ = nullptr;
    QPushButton* closeWeather_ = nullptr;
    QPushButton* hoursButton_ = nullptr;
};

}  // namespace veltrane::performance
