#include "problems.h"

#include <cstdio>

namespace veltrane::cli {

std::string PlaceOfLine(std::string_view source, std::size_t line) {
    std::string place;
    place.reserve(source.size() + 8);
    for (const char c : source) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            place += c;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
        place += escaped;
    }
    place += ':';
    place += std::to_string(line);
    return place;
}

void Problems::AtLine(std::string_view source, std::size_t line, std::string_view what) {
    At(PlaceOfLine(source, line), what);
}

void Problems::RefusalAtLine(std::string_view source, std::size_t line, std::string_view what) {
    refused_ = true;
    AtLine(source, line, what);
}

void Problems::At(std::string_view place, std::string_view what) {
    std::string message(place);
    message += ": ";
    message += what;
    Whole(message);
}

void Problems::NoteAtLine(std::string_view source, std::size_t line, std::string_view what) {
    messages_(PlaceOfLine(source, line) + ": " + std::string(what));
}

void Problems::Note(std::string_view line) {
    messages_(line);
}

void Problems::NoteAt(std::string_view place, std::string_view what) {
    messages_(std::string(place) + ": " + std::string(what));
}

void Problems::Whole(std::string_view line) {
    any_ = true;
    messages_(line);
}

}  // namespace veltrane::cli
