#pragma once
// What the report needs of a printer: a font, text at a character column, and the end of a
// document. Any call may fail (by throwing); the report skips a failed step and goes on.

#include <QString>

namespace veltrane {

enum class LineEnd {
    kEndLine,     ///< the next item starts on a new line
    kStayOnLine,  ///< the next item goes on the same line
};

class PrinterSurface {
  public:
    virtual ~PrinterSurface() = default;

    virtual void SetBold(bool bold) = 0;
    virtual void SetItalic(bool italic) = 0;
    virtual void SetUnderline(bool underline) = 0;
    virtual void SetSize(double points) = 0;
    virtual void SetName(const QString& family) = 0;

    /// Prints `text` starting at character column `column` (1 = left edge of the printable area).
    virtual void PrintItem(int column, const QString& text, LineEnd end) = 0;

    /// Ends the document, releasing one copy to the printer.
    virtual void EndDocument() = 0;
};

}  // namespace veltrane
