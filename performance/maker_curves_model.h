#pragma once
// The maker's performance curves an acceptance test may be judged by: rows of Flow (%), Range
// (%), Twb and TCold, as the batch tool's curves CSV holds them, typed, pasted, opened from such
// a file or taken from the window's own performance curves. The engine checks them
// (BuildMakerCurves); this model holds the texts, the checked curves or why they are refused.

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "maker_curves.h"
#include "number_boxes.h"
#include "unit_layer.h"

namespace veltrane::performance {

/// Flow (%), Range (%), Twb, TCold.
inline constexpr std::size_t kCurveColumns = 4;

class MakerCurvesModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit MakerCurvesModel(const UnitLayer& units, QObject* parent = nullptr);

    // The rows as typed or written, and a spare blank row at the end to type the next into.
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    /// Puts separated rows into the table from `row` and `column` on, a header row skipped;
    /// false with the refusal set when there is nothing to paste.
    bool paste(const QString& text, int row, int column);
    /// Replaces the rows by those of a CSV file with the columns Flow, Range, Twb and TCold, in
    /// either convention (ReadColumns: a unit in brackets is read and converted). On failure the
    /// rows are kept, and false.
    bool open(const QString& path, QString& error);
    /// Replaces the rows by the points of a tower's performance curves.
    void fill(const PerformanceCurves& curves);
    /// Empties the table: the test is then judged by the characteristic curve alone.
    void clear();
    /// Replaces the rows by these (engine units).
    void setRows(const std::vector<MakerCurveRow>& rows);
    /// The rows whose every cell holds a value, in engine units.
    [[nodiscard]] std::vector<MakerCurveRow> rows() const;
    /// The file the rows came from, until they are edited; empty when typed.
    [[nodiscard]] const QString& file() const { return file_; }

    /// The curves, checked; nothing when no row is given or they are refused.
    [[nodiscard]] const std::optional<MakerCurves>& curves() const { return curves_; }
    /// Why the rows are no curves, naming the row at fault; empty when built or none given.
    [[nodiscard]] const QString& refusal() const { return refusal_; }
    /// Whether any row is given at all.
    [[nodiscard]] bool given() const;

  signals:
    /// The rows changed: the curves were built anew or refused.
    void changed();

  private:
    using Row = std::array<NumberCell, kCurveColumns>;
    [[nodiscard]] static bool blank(const Row& row);
    [[nodiscard]] QString header(std::size_t column) const;
    void typeCell(Row& row, std::size_t column, const QString& text);
    void keepSpareRow();
    void rewriteInUnits();
    void build();

    const UnitLayer& units_;
    std::vector<Row> rows_;
    UnitSystem textUnits_;
    std::optional<MakerCurves> curves_;
    QString refusal_;
    QString file_;
};

}  // namespace veltrane::performance
