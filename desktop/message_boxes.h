#pragma once
// A window tells the user of problems only through modal message boxes. It asks for them
// through this interface, so that tests can answer from a script instead of a person.

#include <QString>

class QWidget;

namespace veltrane::desktop {

enum class MessageIcon { Exclamation, Question };
enum class MessageButtons {
    Ok,
    YesNo,  ///< Yes is the default button
    /// Unsaved changes: Save (the default), Discard or Cancel (also Esc and the close box).
    SaveDiscardCancel,
};
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

/// The answer of a box closed by Esc or its close box.
MessageAnswer EscapeAnswer(MessageButtons buttons);

class MessageBoxes {
  public:
    virtual ~MessageBoxes();
    /// Shows a modal box and waits until the user closes it. A "\r\n" in the prompt starts a new
    /// line.
    virtual MessageAnswer show(QWidget* parent, const QString& prompt, const QString& title,
                               MessageButtons buttons, MessageIcon icon) = 0;
};

/// The boxes a person sees: QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
  public:
    MessageAnswer show(QWidget* parent, const QString& prompt, const QString& title,
                       MessageButtons buttons, MessageIcon icon) override;
};

/// Makes a modal dialog stay on top while a window that stays on top (the design window's About
/// window) is shown: a dialog that did not would open behind it, and with both windows blocked
/// by the dialog the program would look frozen.
void KeepAboveWindowsOnTop(QWidget& dialog);

}  // namespace veltrane::desktop
