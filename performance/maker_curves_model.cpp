#include "maker_curves_model.h"

#include <QColor>
#include <QFile>
#include <QLocale>

#include <algorithm>

#include "csv_records.h"
#include "utf8_text.h"

namespace veltrane::performance {

namespace {

constexpr std::array<NamedColumn, kCurveColumns> kColumns{{
    {"Flow", Quantity::kPercentage},
    {"Range", Quantity::kPercentage},
    {"Twb", Quantity::kTemperature},
    {"TCold", Quantity::kTemperature},
}};

}  // namespace

MakerCurvesModel::MakerCurvesModel(const UnitLayer& units, QObject* parent)
    : QAbstractTableModel(parent), units_(units), textUnits_(units.system()) {
    rows_.emplace_back();
    connect(&units_, &UnitLayer::systemChanged, this, &MakerCurvesModel::rewriteInUnits);
}

bool MakerCurvesModel::blank(const Row& row) {
    return std::all_of(row.begin(), row.end(), [](const NumberCell& c) { return c.blank(); });
}

bool MakerCurvesModel::given() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return !blank(row); });
}

int MakerCurvesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MakerCurvesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kCurveColumns);
}

QVariant MakerCurvesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const NumberCell& cell =
        rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) return cell.text;
    if (role == Qt::ToolTipRole && !cell.blank()) return cell.problem;
    if (role == Qt::BackgroundRole && !cell.blank() && !cell.problem.isEmpty())
        return QColor(0xff, 0xcd, 0xd2);
    return {};
}

QVariant MakerCurvesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(kCurveColumns)) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return header(static_cast<std::size_t>(section));
}

QString MakerCurvesModel::header(std::size_t column) const {
    return QStringLiteral("%1 (%2)").arg(QLatin1String(kColumns[column].name),
                                         units_.unit(kColumns[column].quantity));
}

Qt::ItemFlags MakerCurvesModel::flags(const QModelIndex& /*index*/) const {
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool MakerCurvesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
    rewriteInUnits();
    typeCell(rows_[static_cast<std::size_t>(index.row())], static_cast<std::size_t>(index.column()),
             value.toString());
    emit dataChanged(index, index);
    keepSpareRow();
    file_.clear();
    build();
    return true;
}

void MakerCurvesModel::typeCell(Row& row, std::size_t column, const QString& text) {
    row[column].type(text, kColumns[column].quantity, units_, QLocale());
}

void MakerCurvesModel::keepSpareRow() {
    if (!rows_.empty() && blank(rows_.back())) return;
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.emplace_back();
    endInsertRows();
}

bool MakerCurvesModel::paste(const QString& text, int firstRow, int firstColumn) {
    rewriteInUnits();
    const CsvFormat format = PasteFormat(text, QLocale());
    Records records = ReadRecords(text.toUtf8(), format);
    if (!records.problem.isEmpty()) {
        refusal_ = tr("Nothing pasted: %1").arg(records.problem);
        emit changed();
        return false;
    }
    if (!records.rows.empty() && NamesAColumn(records.rows.front().second.value(0), kColumns))
        records.rows.erase(records.rows.begin());
    if (records.rows.empty()) {
        refusal_ = tr("Nothing to paste: copy rows of Flow, Range, Twb and TCold.");
        emit changed();
        return false;
    }
    const auto first = static_cast<std::size_t>(std::max(firstRow, 0));
    const auto column =
        static_cast<std::size_t>(std::clamp(firstColumn, 0, static_cast<int>(kCurveColumns) - 1));
    beginResetModel();
    rows_.resize(std::max(rows_.size(), first + records.rows.size()));
    for (std::size_t i = 0; i < records.rows.size(); ++i) {
        const QStringList& cells = records.rows[i].second;
        for (std::size_t c = 0;
             c < static_cast<std::size_t>(cells.size()) && column + c < kCurveColumns; ++c) {
            typeCell(rows_[first + i], column + c,
                     TypedField(cells[static_cast<qsizetype>(c)], format, QLocale()));
        }
    }
    endResetModel();
    keepSpareRow();
    file_.clear();
    build();
    return true;
}

bool MakerCurvesModel::open(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    const auto refuse = [&](const QString& why) {
        error = tr("cannot read %1: %2").arg(path, why);
        return false;
    };
    const ColumnValues read = ReadColumns(file.readAll(), kColumns, units_.system());
    if (!read.problem.isEmpty()) return refuse(read.problem);
    rewriteInUnits();
    std::vector<Row> rows;
    for (const auto& record : read.rows) {
        const std::vector<float>& values = record.second;
        Row& row = rows.emplace_back();
        for (std::size_t c = 0; c < kCurveColumns; ++c)
            row[c].write(values[c], kColumns[c].quantity, units_);
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    keepSpareRow();
    file_ = path;
    build();
    return true;
}

void MakerCurvesModel::fill(const PerformanceCurves& curves) {
    setRows(MakerCurveRows(curves));
}

void MakerCurvesModel::clear() {
    beginResetModel();
    rows_.assign(1, Row{});
    endResetModel();
    file_.clear();
    build();
}

void MakerCurvesModel::setRows(const std::vector<MakerCurveRow>& points) {
    rewriteInUnits();
    beginResetModel();
    rows_.clear();
    for (const MakerCurveRow& point : points) {
        const std::array<float, kCurveColumns> values{point.flowPercent, point.rangePercent,
                                                      point.wetBulb, point.coldWater};
        Row& row = rows_.emplace_back();
        for (std::size_t c = 0; c < kCurveColumns; ++c)
            row[c].write(values[c], kColumns[c].quantity, units_);
    }
    rows_.emplace_back();
    endResetModel();
    file_.clear();
    build();
}

std::vector<MakerCurveRow> MakerCurvesModel::rows() const {
    std::vector<MakerCurveRow> points;
    for (const Row& row : rows_) {
        if (std::any_of(row.begin(), row.end(), [](const NumberCell& c) { return !c.value; }))
            continue;
        points.push_back({*row[0].value, *row[1].value, *row[2].value, *row[3].value});
    }
    return points;
}

void MakerCurvesModel::rewriteInUnits() {
    if (textUnits_ == units_.system()) return;
    textUnits_ = units_.system();
    for (Row& row : rows_) {
        for (std::size_t c = 0; c < kCurveColumns; ++c)
            row[c].rewrite(kColumns[c].quantity, units_);
    }
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(kCurveColumns) - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, static_cast<int>(kCurveColumns) - 1));
}

// The rows given become curves through the engine, or the first reason they are none, naming
// the table's row (from 1) as the user counts them.
void MakerCurvesModel::build() {
    curves_.reset();
    refusal_.clear();
    std::vector<MakerCurveRow> points;
    std::vector<std::size_t> tableRow;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        if (blank(row)) continue;
        for (std::size_t c = 0; c < kCurveColumns; ++c) {
            if (!row[c].value) {
                refusal_ = tr("Maker's curves, row %1: %2 %3")
                               .arg(r + 1)
                               .arg(QLatin1String(kColumns[c].name), row[c].problem);
                emit changed();
                return;
            }
        }
        points.push_back({*row[0].value, *row[1].value, *row[2].value, *row[3].value});
        tableRow.push_back(r + 1);
    }
    if (!points.empty()) {
        MakerCurvesTable table = BuildMakerCurves(points);
        curves_ = std::move(table.curves);
        if (!curves_) {
            refusal_ = tr("Maker's curves refused: %1").arg(desktop::FromUtf8(table.refusal));
            if (table.row) refusal_ += tr(" (row %1").arg(tableRow[*table.row]);
            if (table.row && table.earlierRow)
                refusal_ += tr(", as row %1").arg(tableRow[*table.earlierRow]);
            if (table.row) refusal_ += u')';
        }
    }
    emit changed();
}

}  // namespace veltrane::performance
