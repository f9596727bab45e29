#pragma once
// Every problem the batch run meets goes out here, one line each, in one form: "PLACE: what is
// wrong", where the place is "FILE:LINE" for a row (with the swept values when there are sweeps)
// or the program's name for a problem that is not about one row.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace veltrane::cli {

/// Receives one message line, without its line end.
using MessageSink = std::function<void(std::string_view)>;

/// "FILE:LINE", control bytes of the name as \xNN, as every message shows them: a name is
/// whatever the command line gave, and a raw byte could move the terminal's cursor or end the line.
std::string PlaceOfLine(std::string_view source, std::size_t line);

class Problems {
  public:
    explicit Problems(MessageSink messages) : messages_(std::move(messages)) {}

    /// A problem of a row or of a header: "FILE:LINE: what".
    void AtLine(std::string_view source, std::size_t line, std::string_view what);
    /// A problem at a place already formed ("FILE:LINE (Twb 60)").
    void At(std::string_view place, std::string_view what);
    /// A problem of the run itself ("veltrane-calc: cannot read ..."), the line given whole.
    void Whole(std::string_view line);
    /// A note at a line, "FILE:LINE: what": told, but not a problem (the exit status stays 0).
    void NoteAtLine(std::string_view source, std::size_t line, std::string_view what);
    /// A note of the run itself, the line given whole: told, but not a problem.
    void Note(std::string_view line);
    /// A note at a place already formed: told, but not a problem.
    void NoteAt(std::string_view place, std::string_view what);

    /// A source refused whole for its form, "FILE:LINE: what": like a problem, and the run's
    /// status is that of a bad option (nothing of it was calculated).
    void RefusalAtLine(std::string_view source, std::size_t line, std::string_view what);

    [[nodiscard]] bool Any() const { return any_; }
    [[nodiscard]] bool Refused() const { return refused_; }

  private:
    MessageSink messages_;
    bool any_ = false;
    bool refused_ = false;
};

}  // namespace veltrane::cli
