#include "row_reader.h"

#include <algorithm>
#include <string>

#include "calc_options.h"
#include "csv_convention.h"
#include "input_columns.h"
#include "number_text.h"
#include "usable_values.h"

namespace veltrane::cli {

Row DefaultRow(std::span<const ColumnDefinition> columns, std::string_view name, UnitSystem units) {
    Row row;
    row.source = name;
    row.values.assign(columns.size(), 0.0F);
    row.texts.assign(columns.size(), {});
    row.present.assign(columns.size(), 0);
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const ColumnDefinition& column = columns[index];
        const std::string_view text = column.DefaultText(units);
        if (text.empty()) continue;
        // The defaults are plain decimals that always read. A default without an SI text is the
        // same number in both systems.
        float read = 0.0F;
        (void)ReadInputNumber(text, read);
        row.values[index] =
            text == column.siDefaultText ? ToEngineUnits(units, column, text, read) : read;
        row.texts[index] = text;
        row.present[index] = 1;
    }
    return row;
}

RowReader::RowReader(ByteSource& source, std::string_view name,
                     std::span<const ColumnDefinition> columns, std::span<const Caption> passedOver,
                     UnitSystem units, Problems& problems, CsvFormat format)
    : source_(source),
      reader_(source, format),
      name_(name),
      columns_(columns),
      passedOver_(passedOver),
      units_(units),
      problems_(problems),
      fieldOf_(columns.size(), kAbsent),
      defaults_(DefaultRow(columns, name, units)),
      format_(format),
      plainTexts_(columns.size()) {}

RowReader::Event RowReader::Next(Row& row) {
    while (reader_.Next(record_)) {
        if (!record_.error.empty()) {
            problems_.AtLine(name_, record_.line, record_.error);
            continue;
        }
        if (!laidOut_ && LooksSemicolonSeparated(record_, format_)) {
            problems_.RefusalAtLine(name_, record_.line, kSemicolonRefusal);
            return Event::kEnd;
        }
        // The first sound record that names columns is the header.
        if (!laidOut_ && NamesAnyColumn()) {
            laidOut_ = true;
            return ReadHeader() ? Event::kHeader : Event::kEnd;
        }
        if (!laidOut_) UsePositions();
        if (ReadFields(row)) return Event::kRow;
    }
    const std::string readError = source_.Error();
    if (!readError.empty()) {
        problems_.Whole(std::string(kProgramName) + ": cannot read " + QuoteForMessage(name_) +
                        ": " + readError);
    }
    return Event::kEnd;
}

bool RowReader::IsPassedOver(std::string_view name) const {
    name = TrimBlanks(name);
    return std::any_of(passedOver_.begin(), passedOver_.end(), [&](const Caption& other) {
        return EqualIgnoringCase(name, CaptionText(other, UnitSystem::kUS)) ||
               EqualIgnoringCase(name, CaptionText(other, UnitSystem::kSI));
    });
}

bool RowReader::NamesAnyColumn() const {
    return std::any_of(record_.fields.begin(), record_.fields.end(), [&](std::string_view field) {
        // A caption of either unit system makes a header, so that one of the other is named.
        return FindColumn(columns_, field, UnitSystem::kUS) < columns_.size() ||
               FindColumn(columns_, field, UnitSystem::kSI) < columns_.size() ||
               IsPassedOver(field);
    });
}

/// A caption of the other unit system would have its numbers read in the wrong units: it is
/// named as such.
std::string RowReader::UnknownColumn(std::string_view name) const {
    const UnitSystem other = units_ == UnitSystem::kSI ? UnitSystem::kUS : UnitSystem::kSI;
    const std::size_t index = FindColumn(columns_, name, other);
    if (index == columns_.size()) return "unknown column " + QuoteForMessage(name);
    const ColumnDefinition& column = columns_[index];
    return "column " + QuoteForMessage(name) + " is in " +
           (other == UnitSystem::kSI ? "SI" : "US") + " units; with --units " +
           (units_ == UnitSystem::kSI ? "si" : "us") + " name it " + std::string(column.shortName) +
           " or " + QuoteForMessage(column.LongName(units_));
}

/// The layout the header gives. A name that is unknown, empty or repeated stops the source.
bool RowReader::ReadHeader() {
    const std::vector<std::string_view>& names = record_.fields;
    fieldCount_ = names.size();
    std::string error;
    for (std::size_t field = 0; field < names.size() && error.empty(); ++field) {
        const std::string_view name = TrimBlanks(names[field]);
        const std::size_t column = FindColumn(columns_, name, units_);
        if (name.empty()) {
            error = "column " + std::to_string(field + 1) + " has no name";
        } else if (IsPassedOver(name)) {
            continue;
        } else if (column == columns_.size()) {
            error = UnknownColumn(name);
        } else if (fieldOf_[column] != kAbsent) {
            error = "column " + QuoteForMessage(name) + " repeats " +
                    std::string(columns_[column].shortName);
        } else {
            fieldOf_[column] = field;
        }
    }
    for (std::size_t column = 0; column < columns_.size() && error.empty(); ++column) {
        if (columns_[column].Required() && fieldOf_[column] == kAbsent)
            error = "no column " + std::string(columns_[column].shortName);
    }
    if (error.empty()) return true;
    problems_.AtLine(name_, record_.line, error + "; no row of this file is calculated");
    return false;
}

void RowReader::UsePositions() {
    laidOut_ = true;
    positional_ = true;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        if (columns_[column].positional) fieldOf_[column] = fieldCount_++;
    }
}

bool RowReader::ReadFields(Row& row) {
    const std::size_t count = record_.fields.size();
    if (count != fieldCount_) {
        problems_.AtLine(name_, record_.line,
                         std::to_string(count) + (count == 1 ? " field where " : " fields where ") +
                             std::to_string(fieldCount_) + " are expected");
        return false;
    }
    row.source = name_;
    row.line = record_.line;
    row.values.resize(columns_.size());
    row.texts.resize(columns_.size());
    row.present.resize(columns_.size());
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        if (fieldOf_[column] == kAbsent) {
            row.values[column] = defaults_.values[column];
            row.texts[column] = defaults_.texts[column];
            row.present[column] = defaults_.present[column];
            continue;
        }
        if (!ReadField(column, TrimBlanks(record_.fields[fieldOf_[column]]), row)) return false;
    }
    return true;
}

bool RowReader::ReadField(std::size_t column, std::string_view text, Row& row) {
    const ColumnDefinition& definition = columns_[column];
    if (format_.decimalMark != '.') {
        std::optional<std::string> plain = PlainNumberText(text, format_);
        if (!plain) {
            problems_.AtLine(name_, record_.line,
                             std::string(definition.shortName) + " " + QuoteForMessage(text) +
                                 " holds a '.', which a decimal-comma file uses for grouping");
            return false;
        }
        plainTexts_[column] = std::move(*plain);
        text = plainTexts_[column];
    }
    row.texts[column] = text;
    row.present[column] = 1;
    if (text.empty() && definition.emptyCell == EmptyCell::kAbsent) {
        row.present[column] = 0;
        return true;
    }
    // Read and converted at once: an SI value beyond single precision once in US units is
    // refused as the same value typed in US units is.
    float value = 0.0F;
    const NumberError error = ReadInputIn(text, definition.Measures(), units_, value);
    const bool negative = error == NumberError::None && definition.notNegative && value < 0.0F;
    if (error != NumberError::None || negative) {
        problems_.AtLine(name_, record_.line,
                         std::string(definition.shortName) + " " + QuoteForMessage(text) + " is " +
                             std::string(negative ? "negative" : Describe(error)));
        return false;
    }
    row.values[column] = value;
    return true;
}

}  // namespace veltrane::cli
