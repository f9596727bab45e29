#include "csv_reader.h"

#include <algorithm>
#include <cstring>

namespace veltrane {
namespace {

constexpr std::size_t kInitialBufferSize = std::size_t{1} << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTooManyFields = "more than 1000 fields";
constexpr std::string_view kTooLong = "a record of more than 1 MB (1048576 bytes)";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

CsvReader::CsvReader(ByteSource& source, CsvFormat format)
    : source_(source), separator_(format.separator), buffer_(kInitialBufferSize, '\0') {
    StartRecord();
}

bool CsvReader::Next(CsvRecord& record) {
    // The record handed out last time is left only now: its fields point into the buffer and
    // the scratch store.
    if (handedOut_) {
        handedOut_ = false;
        begin_ += recordEnd_;
        StartRecord();
    }
    for (;;) {
        ScanResult result = Scan();
        while (result == ScanResult::NeedMore) {
            Fill();
            result = Scan();
        }
        if (result == ScanResult::EndOfInput) return false;
        if (!IsBlankRecord()) {
            Publish(record);
            handedOut_ = true;
            return true;
        }
        begin_ += recordEnd_;
        StartRecord();
    }
}

void CsvReader::Fill() {
    if (mode_ == Mode::Overlong || pos_ > kMaxRecordBytes) PassOverlongBytes();
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // A record longer than the buffer: keep all of it and read on behind it.
    if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    const std::size_t count = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (count == 0) endOfInput_ = true;
    end_ += count;
}

void CsvReader::PassOverlongBytes() {
    if (mode_ != Mode::Overlong) {
        Fail(kTooLong);
        mode_ = Mode::Overlong;
    }
    // Offsets count from begin_: what lies before pos_ has been scanned and is not kept.
    begin_ += pos_;
    pos_ = 0;
}

void CsvReader::DropByteOrderMark() {
    const std::string_view head(buffer_.data() + begin_, std::min<std::size_t>(end_ - begin_, 3));
    if (head == kByteOrderMark) begin_ += kByteOrderMark.size();
}

void CsvReader::StartRecord() {
    mode_ = Mode::FieldStart;
    pos_ = 0;
    recordEnd_ = 0;
    recordLine_ = nextLine_;
    lineEndsInside_ = 0;
    firstLineEnd_ = 0;
    error_ = {};
    fieldCount_ = 0;
    scratch_.clear();
}

void CsvReader::StartField(std::size_t offset, bool quoted) {
    // Beyond the limit the fields are scanned but not kept: they share the last span.
    if (fieldCount_ >= kMaxFieldsPerRecord) Fail(kTooManyFields);
    const std::size_t slot = std::min(fieldCount_, kMaxFieldsPerRecord);
    if (spans_.size() <= slot) spans_.resize(slot + 1);
    spans_[slot] = FieldSpan{offset, 0, false, quoted};
}

CsvReader::FieldSpan& CsvReader::Current() {
    return spans_[std::min(fieldCount_, kMaxFieldsPerRecord)];
}

void CsvReader::EndField() {
    ++fieldCount_;
    mode_ = Mode::FieldStart;
}

void CsvReader::AppendToField(char c) {
    FieldSpan& span = Current();
    if (span.inScratch) scratch_.push_back(c);
    ++span.length;
}

void CsvReader::AppendQuote() {
    FieldSpan& span = Current();
    if (!span.inScratch) {
        // Up to the doubled quote the text lay in one piece of the buffer; from here on it
        // cannot, so it moves to the scratch store.
        const std::size_t scratchOffset = scratch_.size();
        scratch_.append(buffer_.data() + begin_ + span.offset, span.length);
        span.offset = scratchOffset;
        span.inScratch = true;
    }
    AppendToField('"');
}

void CsvReader::Fail(std::string_view why) {
    if (error_.empty()) error_ = why;
}

CsvReader::ScanResult CsvReader::FinishRecord(std::size_t end) {
    EndField();
    recordEnd_ = end;
    nextLine_ = recordLine_ + lineEndsInside_ + 1;
    return ScanResult::Record;
}

CsvReader::ScanResult CsvReader::Scan() {
    if (!started_) {
        if (end_ - begin_ < kByteOrderMark.size() && !endOfInput_) return ScanResult::NeedMore;
        DropByteOrderMark();
        started_ = true;
    }
    const char* data = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    while (pos_ < available) {
        if (mode_ == Mode::Unquoted) {
            // The bulk of a file: plain text up to the next comma or line end.
            std::size_t run = pos_;
            while (run < available && data[run] != separator_ && data[run] != '\n' &&
                   data[run] != '\r') {
                ++run;
            }
            Current().length += run - pos_;
            pos_ = run;
            if (pos_ == available) break;
        }
        const char c = data[pos_];
        // Checked here, at every field's end, as well as before a read, so that the limit does
        // not depend on how the source cuts the input.
        if (pos_ > kMaxRecordBytes && mode_ != Mode::Overlong) {
            Fail(kTooLong);
            mode_ = Mode::Overlong;
        }
        const bool lineEnd = c == '\n' || c == '\r';
        std::size_t lineEndSize = 1;
        if (c == '\r') {
            // CRLF is one line end: the byte after a CR decides.
            if (pos_ + 1 == available && !endOfInput_) return ScanResult::NeedMore;
            if (pos_ + 1 < available && data[pos_ + 1] == '\n') lineEndSize = 2;
        }
        switch (mode_) {
            case Mode::Overlong:
                if (lineEnd) return FinishRecord(pos_ + lineEndSize);
                break;
            case Mode::FieldStart:
                if (c == '"') {
                    StartField(pos_ + 1, true);
                    mode_ = Mode::Quoted;
                    break;
                }
                StartField(pos_, false);
                if (c == separator_) {
                    EndField();
                } else if (lineEnd) {
                    return FinishRecord(pos_ + lineEndSize);
                } else {
                    ++Current().length;
                    mode_ = IsBlank(c) ? Mode::LeadingBlanks : Mode::Unquoted;
                }
                break;
            case Mode::LeadingBlanks:
            case Mode::Unquoted:
                if (c == '"' && mode_ == Mode::LeadingBlanks) {
                    // Blanks before an opening quote are not part of the field.
                    Current() = FieldSpan{pos_ + 1, 0, false, true};
                    mode_ = Mode::Quoted;
                } else if (c == separator_) {
                    EndField();
                } else if (lineEnd) {
                    return FinishRecord(pos_ + lineEndSize);
                } else {
                    ++Current().length;
                    if (!IsBlank(c)) mode_ = Mode::Unquoted;
                }
                break;
            case Mode::Quoted:
                if (c == '"') {
                    mode_ = Mode::QuoteInQuoted;
                } else if (lineEnd) {
                    ++lineEndsInside_;
                    if (firstLineEnd_ == 0) firstLineEnd_ = pos_ + lineEndSize;
                    for (std::size_t i = 0; i < lineEndSize; ++i)
                        AppendToField(data[pos_ + i]);
                    pos_ += lineEndSize;
                    continue;
                } else {
                    AppendToField(c);
                }
                break;
            case Mode::QuoteInQuoted:
            case Mode::AfterQuoted:
                if (c == '"' && mode_ == Mode::QuoteInQuoted) {
                    AppendQuote();
                    mode_ = Mode::Quoted;
                } else if (c == separator_) {
                    EndField();
                } else if (lineEnd) {
                    return FinishRecord(pos_ + lineEndSize);
                } else {
                    if (!IsBlank(c)) Fail("text after a closing quote");
                    mode_ = Mode::AfterQuoted;
                }
                break;
        }
        ++pos_;
    }
    if (!endOfInput_) return ScanResult::NeedMore;
    return FinishAtEndOfInput();
}

CsvReader::ScanResult CsvReader::FinishAtEndOfInput() {
    if (mode_ == Mode::FieldStart && fieldCount_ == 0 && pos_ == 0) return ScanResult::EndOfInput;
    if (mode_ == Mode::Quoted) {
        Fail("unterminated quote");
        recordEnd_ = firstLineEnd_ != 0 ? firstLineEnd_ : pos_;
        nextLine_ = recordLine_ + 1;
        return ScanResult::Record;
    }
    if (mode_ == Mode::FieldStart) StartField(pos_, false);  // after a final comma
    return FinishRecord(pos_);
}

bool CsvReader::IsBlankRecord() const {
    if (fieldCount_ != 1 || !error_.empty() || spans_[0].quoted) return false;
    const std::string_view text(buffer_.data() + begin_ + spans_[0].offset, spans_[0].length);
    return std::all_of(text.begin(), text.end(), IsBlank);
}

void CsvReader::Publish(CsvRecord& record) const {
    record.line = recordLine_;
    record.error = error_;
    record.fields.clear();
    if (!error_.empty()) return;
    for (std::size_t i = 0; i < fieldCount_; ++i) {
        const FieldSpan& span = spans_[i];
        const char* base = span.inScratch ? scratch_.data() : buffer_.data() + begin_;
        record.fields.emplace_back(base + span.offset, span.length);
    }
}

}  // namespace veltrane
