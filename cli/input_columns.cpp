#include "input_columns.h"

#include "columns.h"
#include "number_text.h"

namespace veltrane::cli {

std::optional<Input> FindInput(std::string_view name) {
    name = TrimBlanks(name);
    for (const InputDefinition& entry : kInputs) {
        if (EqualIgnoringCase(name, entry.shortName) || EqualIgnoringCase(name, entry.caption)) {
            return entry.index;
        }
    }
    return std::nullopt;
}

}  // namespace veltrane::cli
