#pragma once
// Message boxes for tests: each box is answered from a script, everything it was asked is
// recorded, and a box the script did not expect fails the test.

#include <QString>

#include <deque>
#include <functional>
#include <vector>

#include "message_boxes.h"

namespace veltrane::ui::test {

struct ShownBox {
    QString prompt;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Exclamation;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    QString stateWhenShown;  ///< what the observer saw while the box was open
};

/// One expected box: its prompt and the button the user presses.
struct ScriptedBox {
    QString prompt;
    MessageAnswer answer = MessageAnswer::Ok;
};

class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    MessageAnswer show(QWidget* parent, const QString& prompt, const QString& title,
                       MessageButtons buttons, MessageIcon icon) override;

    void expect(const ScriptedBox& box) { script_.push_back(box); }
    void expect(const std::vector<ScriptedBox>& boxes);
    /// Called while each box is open, to record the window's state at that moment.
    void setObserver(std::function<QString()> observer) { observer_ = std::move(observer); }

    const std::vector<ShownBox>& shown() const { return shown_; }
    bool scriptFinished() const { return script_.empty(); }
    int unexpectedCount() const { return unexpected_; }
    void clear();

  private:
    std::deque<ScriptedBox> script_;
    std::vector<ShownBox> shown_;
    std::function<QString()> observer_;
    int unexpected_ = 0;
};

}  // namespace veltrane::ui::test
