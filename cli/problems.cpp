#include "problems.h"

namespace veltrane::cli {

std::string PlaceOfLine(std::string_view source, std::size_t line) {
    std::string place(source);
    place += ':';
    place += std::to_string(line);
    return place;
}

void Problems::AtLine(std::string_view source, std::size_t line, std::string_view what) {
    At(PlaceOfLine(source, line), what);
}

void Problems::At(std::string_view place, std::string_view what) {
    std::string message(place);
    message += ": ";
    message += what;
    Whole(message);
}

void Problems::Whole(std::string_view line) {
    any_ = true;
    messages_(line);
}

}  // namespace veltrane::cli
