#pragma once
// The printer surface on a real QPrinter: text drawn with QPainter in a fixed-pitch font, each
// character column one character cell wide.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <optional>

#include "printer_surface.h"

class QPrinter;

namespace veltrane {

/// How the copies of one Print command reach the printer.
enum class CopyLayout {
    /// Each copy is its own print job: EndDocument ends the job.
    kDocumentPerCopy,
    /// All copies go into one file, each from a new page: a second document written to the same
    /// file would replace the first. EndDocument ends the page; Finish (or the destructor)
    /// closes the file.
    kPagePerCopy,
};

/// CopyLayout of a printer as the printer dialog left it: a PDF file gets one page per copy.
CopyLayout CopyLayoutFor(const QPrinter& printer);

class PainterSurface final : public PrinterSurface {
  public:
    PainterSurface(QPrinter& printer, CopyLayout layout);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void SetBold(bool bold) override;
    void SetItalic(bool italic) override;
    void SetUnderline(bool underline) override;
    void SetSize(double points) override;
    void SetName(const QString& family) override;
    void PrintItem(int column, const QString& text, LineEnd end) override;
    void EndDocument() override;

    /// Ends what is still open; with kPagePerCopy this writes the file.
    void Finish();

  private:
    bool ReadyToDraw();
    bool BeginPainting();
    void ApplyFont();
    void StartPageIfFull(double lineHeight);

    QPrinter& printer_;
    CopyLayout layout_;
    QPainter painter_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;  ///< of font_ on the printer; reset when font_ changes
    double lineTop_ = 0;                    ///< device pixels from the top of the printable area
    bool beginFailed_ = false;              ///< the printer refused this document
    bool newPagePending_ = false;           ///< kPagePerCopy: the next copy starts a new page
};

}  // namespace veltrane
