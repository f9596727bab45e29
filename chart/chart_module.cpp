// The chart module: a headless Qt application around the chart painter.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <cstring>
#include <string>

#include "chart_format.h"
#include "chart_module.h"
#include "curves_chart_painter.h"
#include "demand_chart_painter.h"
#include "test_report_document.h"

namespace {

void CopyError(const QString& message, char* error, std::size_t errorSize) {
    if (errorSize == 0) return;
    const QByteArray text = message.toUtf8();
    const std::size_t length = std::min(static_cast<std::size_t>(text.size()), errorSize - 1);
    std::memcpy(error, text.constData(), length);
    error[length] = '\0';
}

/// Qt's notes about the environment ("XDG_RUNTIME_DIR not set") are no concern of a batch
/// run; a failure to write is reported through the return value.
void IgnoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* veltrane_chart_layout() {
    static const std::string tag = veltrane::chart::ChartLayoutTag();
    return tag.c_str();
}

/// Runs `write` inside a headless application: fonts need a GUI application, the offscreen
/// platform needs no display.
template <typename Write>
bool WriteHeadless(Write write, char* error, std::size_t errorSize) {
    static char programName[] = "veltrane-calc";
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    static char* arguments[] = {programName, platformOption, platformName, nullptr};
    int argumentCount = 3;
    qInstallMessageHandler(IgnoreQtMessages);
    QGuiApplication application(argumentCount, arguments);
    QString message;
    if (!write(message)) {
        CopyError(message, error, errorSize);
        return false;
    }
    return true;
}

extern "C" __attribute__((visibility("default"))) bool veltrane_write_chart(
    const veltrane::DemandChart* chart, const veltrane::chart::ChartLook* look, const char* path,
    int format, char* error, std::size_t errorSize) {
    return WriteHeadless(
        [&](QString& message) {
            return veltrane::chart::WriteChart(*chart, QString::fromUtf8(path),
                                               static_cast<veltrane::chart::ChartFormat>(format),
                                               message, *look);
        },
        error, errorSize);
}

extern "C" __attribute__((visibility("default"))) bool veltrane_write_curves(
    const veltrane::PerformanceCurves* curves, int units, const char* path, int format, char* error,
    std::size_t errorSize) {
    return WriteHeadless(
        [&](QString& message) {
            return veltrane::chart::WriteCurvesChart(
                *curves, static_cast<veltrane::UnitSystem>(units), QString::fromUtf8(path),
                static_cast<veltrane::chart::ChartFormat>(format), message);
        },
        error, errorSize);
}

extern "C" __attribute__((visibility("default"))) bool veltrane_write_test_report(
    const veltrane::TestReport* report, const char* path, int paper, char* error,
    std::size_t errorSize) {
    if (report == nullptr || path == nullptr) {
        CopyError(QStringLiteral("no report or no file name to write it to"), error, errorSize);
        return false;
    }
    return WriteHeadless(
        [&](QString& message) {
            return veltrane::chart::WriteTestReport(
                *report, QString::fromUtf8(path), static_cast<veltrane::PaperSize>(paper), message);
        },
        error, errorSize);
}
