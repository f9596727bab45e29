#include "batch_calculator.h"

namespace veltrane::cli {
namespace {

constexpr std::string_view kDefaultsName = "defaults";

}  // namespace

BatchCalculator::BatchCalculator(BatchSettings settings, OutputSink output, MessageSink messages)
    : settings_(std::move(settings)),
      csv_(std::move(output)),
      problems_(std::move(messages)),
      mode_(MakeMode(ModeContext{settings_, csv_, problems_, firstDesign_})) {}

void BatchCalculator::WriteHeader() {
    headerWanted_ = true;
}

/// Fixes the output's columns on the first input seen.
void BatchCalculator::StartOutput(const RowReader* header) {
    if (started_) return;
    started_ = true;
    mode_->StartOutput(header, headerWanted_);
}

void BatchCalculator::CalculateDefaults() {
    StartOutput(nullptr);
    row_ = DefaultRow(mode_->Columns(), kDefaultsName, settings_.units);
    mode_->Calculate(row_);
}

void BatchCalculator::CalculateSource(ByteSource& source, std::string_view name) {
    RowReader reader(source, name, mode_->Columns(), mode_->OutputColumns(), settings_.units,
                     problems_, settings_.csvFormat);
    for (;;) {
        switch (reader.Next(row_)) {
            case RowReader::Event::kHeader:
                StartOutput(&reader);
                mode_->TakeHeader(reader, name, reader.Line());
                break;
            case RowReader::Event::kRow:
                // Rows that could not be written are not read either.
                if (settings_.OutputLost()) return;
                StartOutput(nullptr);
                mode_->Calculate(row_);
                break;
            case RowReader::Event::kEnd:
                // A file without a header fixes the output even when none of its rows is sound.
                if (reader.Positional()) StartOutput(nullptr);
                return;
        }
    }
}

void BatchCalculator::WriteTotals() {
    StartOutput(nullptr);
    mode_->WriteTotals();
}

void BatchCalculator::Flush() {
    StartOutput(nullptr);
    mode_->Finish();
    csv_.Flush();
}

void BatchCalculator::ReportProblem(std::string_view message) {
    problems_.Whole(message);
}

}  // namespace veltrane::cli
