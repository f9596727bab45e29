#pragma once
// A reader of comma-separated records (RFC 4180) that streams its input: quoted fields may hold
// the separator, doubled quotes and line ends; lines may end in CRLF, LF or a lone CR; a UTF-8
// byte order mark at the start is dropped; blank lines are skipped. A record is read whole,
// however the source hands out its bytes. The batch tool and the window read every file and
// paste through it, so that both split a line the same way.
//
// What one record may take is bounded, so that no input can exhaust the memory: a record of
// more than kMaxRecordBytes bytes or more than kMaxFieldsPerRecord fields is malformed (a line
// of commas alone would otherwise cost a span per comma), and reading goes on after it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "byte_source.h"
#include "csv_format.h"

namespace veltrane {

/// One record. The fields point into the reader and stay valid until its next call of Next.
struct CsvRecord {
    std::size_t line = 0;  ///< physical line on which the record starts, counted from 1
    std::vector<std::string_view> fields;
    /// Why the record is malformed ("unterminated quote"...), empty when it is sound. The fields
    /// of a malformed record are not to be used.
    std::string_view error;
};

/// Far more fields than any row the batch tool reads or writes (its own output has 35).
inline constexpr std::size_t kMaxFieldsPerRecord = 1000;
/// A megabyte: thousands of times any row the batch tool or the window reads. The bytes of an
/// overlong record beyond it are passed over, never held.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

class CsvReader {
  public:
    /// @param format its separator splits the fields (never a quote or a line end); the decimal
    ///        mark is the caller's, for reading the fields' numbers (PlainNumberText)
    explicit CsvReader(ByteSource& source, CsvFormat format = {});

    /// Reads the next record into `record`, reusing its storage; false at the end of the input.
    /// A quote left open at the end of the input makes the record that opened it malformed, and
    /// reading goes on at the line after that record's first line, so that one stray quote costs
    /// one record rather than the rest of the file. An overlong record ends at its first line
    /// end after the limit, quoted or not.
    bool Next(CsvRecord& record);

  private:
    enum class Mode {
        FieldStart,
        LeadingBlanks,
        Unquoted,
        Quoted,
        QuoteInQuoted,
        AfterQuoted,
        Overlong,  ///< past the limit: bytes are dropped up to the next line end
    };

    /// A field's text: a piece of the buffer, or of the scratch store for quoted text that held
    /// doubled quotes. Offsets count from the start of the record or of the scratch store.
    struct FieldSpan {
        std::size_t offset = 0;
        std::size_t length = 0;
        bool inScratch = false;
        bool quoted = false;
    };

    enum class ScanResult { Record, NeedMore, EndOfInput };

    ScanResult Scan();
    void Fill();
    /// Drops the bytes of an overlong record read so far: only its line count stays.
    void PassOverlongBytes();
    void DropByteOrderMark();
    void StartRecord();
    void StartField(std::size_t offset, bool quoted);
    /// The span of the field being read.
    FieldSpan& Current();
    void EndField();
    void AppendToField(char c);
    void AppendQuote();
    void Fail(std::string_view why);
    ScanResult FinishRecord(std::size_t end);
    ScanResult FinishAtEndOfInput();
    [[nodiscard]] bool IsBlankRecord() const;
    void Publish(CsvRecord& record) const;

    ByteSource& source_;
    char separator_;
    std::string buffer_;
    std::size_t begin_ = 0;  ///< start of the record being read
    std::size_t end_ = 0;    ///< end of the bytes read so far
    bool endOfInput_ = false;
    bool started_ = false;
    bool handedOut_ = false;  ///< the record at begin_ has been handed out
    std::size_t nextLine_ = 1;

    // The record being scanned; kept across reads so that a scan resumes where it stopped.
    Mode mode_ = Mode::FieldStart;
    std::size_t pos_ = 0;        ///< next byte to look at, from begin_
    std::size_t recordEnd_ = 0;  ///< where the next record starts, from begin_
    std::size_t recordLine_ = 1;
    std::size_t lineEndsInside_ = 0;  ///< line ends inside quoted fields
    std::size_t firstLineEnd_ = 0;    ///< just after the first of them, 0 when none
    std::string_view error_;
    std::size_t fieldCount_ = 0;
    std::vector<FieldSpan> spans_;
    std::string scratch_;
};

}  // namespace veltrane
