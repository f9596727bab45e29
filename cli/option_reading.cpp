#include "option_reading.h"

#include "input_columns.h"
#include "number_text.h"

namespace veltrane::cli {

void Refuse(std::string message) {
    throw BadOption{std::move(message)};
}

std::string_view ArgumentOf(const CLI::results_t& results, std::string_view option,
                            std::string_view form) {
    if (results.empty() || results.front().empty()) {
        Refuse(std::string(option) + " needs an argument " + std::string(form));
    }
    return results.front();
}

float ReadOptionNumber(const std::string& label, std::string_view text) {
    float value = 0.0F;
    const NumberError error = ReadInputNumber(text, value);
    if (error != NumberError::None) {
        Refuse(label + " " + QuoteForMessage(text) + " is " + std::string(Describe(error)));
    }
    return value;
}

std::pair<std::string_view, std::string_view> SplitPair(std::string_view argument,
                                                        std::string_view option,
                                                        std::string_view form) {
    const std::size_t colon = argument.find(':');
    if (colon == std::string_view::npos ||
        argument.find(':', colon + 1) != std::string_view::npos) {
        Refuse(std::string(option) + " needs " + std::string(form) + ", not " +
               QuoteForMessage(argument));
    }
    return {argument.substr(0, colon), argument.substr(colon + 1)};
}

float ReadPositiveNumber(std::string_view option, std::string_view text) {
    const float value = ReadOptionNumber(std::string(option) + ":", text);
    if (!(value > 0.0F)) {
        Refuse(std::string(option) + ": " + QuoteForMessage(text) + " is not above 0");
    }
    return value;
}

}  // namespace veltrane::cli
