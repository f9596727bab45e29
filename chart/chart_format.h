#pragma once
// Which kind of file a chart is written as, by the file's extension. Standard library only, so
// that the batch calculator can refuse a bad name before it loads anything.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "units.h"

namespace veltrane::chart {

enum class ChartFormat { kSvg, kPdf, kPng };

/// How the chart is drawn beyond its numbers.
struct ChartLook {
    bool labelCrossings = false;  ///< L/G and KaV/L written beside each tower crossing
    /// The units of every temperature and pressure written on the chart; the calculation's
    /// numbers, L/G and KaV/L stay as they are.
    UnitSystem units = UnitSystem::kUS;
};

/// The format named by the extension (.svg, .pdf, .png in any case), or nothing.
inline std::optional<ChartFormat> FormatOfFile(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
        return std::nullopt;
    }
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "svg") return ChartFormat::kSvg;
    if (extension == "pdf") return ChartFormat::kPdf;
    if (extension == "png") return ChartFormat::kPng;
    return std::nullopt;
}

}  // namespace veltrane::chart
