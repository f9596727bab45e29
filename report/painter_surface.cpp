#include "painter_surface.h"

#include <QPrinter>

namespace veltrane {

CopyLayout CopyLayoutFor(const QPrinter& printer) {
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    return toFile ? CopyLayout::kPagePerCopy : CopyLayout::kDocumentPerCopy;
}

PainterSurface::PainterSurface(QPrinter& printer, CopyLayout layout)
    : printer_(printer), layout_(layout) {
    // "Courier" may be missing; the hint still finds a fixed-pitch face instead of a
    // proportional one that would break the columns.
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
}

PainterSurface::~PainterSurface() {
    Finish();
}

void PainterSurface::SetBold(bool bold) {
    font_.setBold(bold);
    metrics_.reset();
}

void PainterSurface::SetItalic(bool italic) {
    font_.setItalic(italic);
    metrics_.reset();
}

void PainterSurface::SetUnderline(bool underline) {
    font_.setUnderline(underline);
    metrics_.reset();
}

void PainterSurface::SetSize(double points) {
    if (points > 0) font_.setPointSizeF(points);
    metrics_.reset();
}

void PainterSurface::SetName(const QString& family) {
    font_.setFamily(family);
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    metrics_.reset();
}

void PainterSurface::PrintItem(int column, const QString& text, LineEnd end) {
    if (!ReadyToDraw()) return;
    ApplyFont();
    const double lineHeight = metrics_->lineSpacing();
    StartPageIfFull(lineHeight);
    // Measured on the printer itself: the screen's metrics would misplace every column at the
    // printer's resolution.
    const double cell = metrics_->horizontalAdvance(QLatin1Char('M'));
    const double x = (column - 1) * cell;
    painter_.drawText(QPointF(x, lineTop_ + metrics_->ascent()), text);
    if (end == LineEnd::kEndLine) lineTop_ += lineHeight;
}

void PainterSurface::EndDocument() {
    if (layout_ == CopyLayout::kDocumentPerCopy) {
        Finish();
        beginFailed_ = false;  // the next copy tries the printer afresh
        return;
    }
    if (painter_.isActive()) newPagePending_ = true;
}

void PainterSurface::Finish() {
    if (painter_.isActive()) painter_.end();
    lineTop_ = 0;
    newPagePending_ = false;
}

bool PainterSurface::ReadyToDraw() {
    if (painter_.isActive()) {
        if (newPagePending_) {
            newPagePending_ = false;
            printer_.newPage();
            lineTop_ = 0;
        }
        return true;
    }
    return BeginPainting();
}

bool PainterSurface::BeginPainting() {
    if (beginFailed_) return false;
    if (!painter_.begin(&printer_)) {
        beginFailed_ = true;
        return false;
    }
    lineTop_ = 0;
    metrics_.reset();
    return true;
}

void PainterSurface::ApplyFont() {
    if (metrics_) return;
    painter_.setFont(font_);
    metrics_.emplace(font_, &printer_);
}

void PainterSurface::StartPageIfFull(double lineHeight) {
    if (lineTop_ > 0 && lineTop_ + lineHeight > printer_.height()) {
        printer_.newPage();
        lineTop_ = 0;
    }
}

}  // namespace veltrane
