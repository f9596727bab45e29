// The study reader on any bytes: it reads a study or refuses with a reason, never both, never
// neither; a study it reads passes the checks a front end makes before saving, and written out
// and read again it is the same study, down to the same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "study_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    using veltrane::fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path folder = "/studies/plant";

    const study::StudyReading read = study::ReadStudy(text, folder);
    Require(read.study.has_value() != !read.error.empty(), "a study or a reason, not both");
    if (!read.study) return 0;
    Require(study::StudyProblem(*read.study).empty(), "a study read passes the saving checks");

    const std::string written = study::WriteStudy(*read.study, folder);
    const study::StudyReading again = study::ReadStudy(written, folder);
    Require(again.study.has_value(), "a study written is read back");
    Require(study::WriteStudy(*again.study, folder) == written, "read back it is the same study");
    return 0;
}
