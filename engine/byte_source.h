#pragma once
// Where the batch calculator's CSV bytes come from: a file, standard input or, in tests and
// benchmarks, a string.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace veltrane {

class ByteSource {
  public:
    virtual ~ByteSource() = default;

    /// Copies up to `size` bytes into `buffer`; 0 at the end of the input or after a read error.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;

    /// The reason the last Read ended the input early, or empty when the input simply ended.
    [[nodiscard]] virtual std::string Error() const { return {}; }
};

/// Reads an open stream; does not close it.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    [[nodiscard]] std::string Error() const override { return error_; }

  private:
    std::FILE* file_;
    std::string error_;
};

/// Hands out a string in pieces of at most `pieceSize` bytes, so that tests reach every way a
/// record can be cut between two reads.
class StringSource final : public ByteSource {
  public:
    explicit StringSource(std::string_view text, std::size_t pieceSize = 1 << 16)
        : text_(text), pieceSize_(pieceSize == 0 ? 1 : pieceSize) {}
    std::size_t Read(char* buffer, std::size_t size) override;

  private:
    std::string_view text_;
    std::size_t pieceSize_;
};

}  // namespace veltrane
