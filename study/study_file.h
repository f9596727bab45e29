#pragma once
// A study kept as a file (`.veltrane`): UTF-8 JSON, opened by its format and version,
//   {"format": "veltrane-study", "version": 1, "units": "US", "design": {...}, ...}
// written with its members always in the same order and every number as the shortest text that
// reads back to the same float, so that a study saved twice is the same file and one reopened is
// the same study, bit for bit.
//
// A weather, curves or load file the study names is written relative to the study's folder when
// it lies in that folder or below it, and absolute otherwise; reading resolves it against the
// folder again, so a folder of a study and its files can be moved or mailed whole.
//
// Reading either gives the whole study or refuses it with one reason and gives nothing, so a
// front end that refuses a file has nothing to undo. Members it does not know are passed over:
// a later version may add members that this one can do without, and raises the version only when
// a study cannot be read without them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "study.h"

namespace veltrane::study {

inline constexpr std::string_view kStudyFormat = "veltrane-study";
/// The version this program writes, and the newest it reads.
inline constexpr int kStudyVersion = 1;
inline constexpr std::string_view kStudyExtension = ".veltrane";
/// A study file larger than this is refused before it is read: a study of 100,000 readings is
/// about 12 MB.
inline constexpr std::uintmax_t kLargestStudyFile = std::uintmax_t{64} * 1024 * 1024;

/// A study read, or why it was refused.
struct StudyReading {
    std::optional<Study> study;  ///< nothing when refused
    /// Why, in plain words, naming the member at fault ("acceptance.readings[3].Flow: -5 is
    /// below 0"); empty when read. ReadStudyFile puts the file's path in front.
    std::string error;
};

/// The study in `text`. Relative paths in it are taken from `folder` (the study file's folder).
StudyReading ReadStudy(std::string_view text, const std::filesystem::path& folder);

/// The study in `file`; the error starts with the file's path.
StudyReading ReadStudyFile(const std::filesystem::path& file);

/// The study's text, paths relative to `folder` where they lie in it or below it. The values are
/// written as they are: check them with StudyProblem first where a study may hold what a reader
/// would refuse.
std::string WriteStudy(const Study& study, const std::filesystem::path& folder);

/// Writes the study to `file` through a file beside it that replaces it only once whole, so that
/// a failed write leaves the old file as it was. Empty when written, else why not.
std::string SaveStudyFile(const Study& study, const std::filesystem::path& file);

/// The first value of the study that a reader refuses (not finite, or outside what it can
/// mean), as "member: why"; empty when every value can be used. ReadStudy refuses a study for it.
std::string StudyProblem(const Study& study);

/// `path` as the study in `folder` writes it: relative (with '/') when it lies in `folder` or
/// below it, else absolute.
std::string StoredPath(const std::filesystem::path& path, const std::filesystem::path& folder);

/// A stored path as the study in `folder` reads it: absolute.
std::filesystem::path ResolvedPath(std::string_view stored, const std::filesystem::path& folder);

}  // namespace veltrane::study
