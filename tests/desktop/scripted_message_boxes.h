#pragma once
// Message boxes for tests: every box is recorded with what was asked; each is answered from a
// script of expected boxes, or by an answerer of the test's own (the monkey's random answers). A
// box the script did not expect is reported as a failure.

#include <QString>

#include <deque>
#include <functional>
#include <vector>

#include "message_boxes.h"

namespace veltrane::desktop::test {

struct ShownBox {
    QString prompt;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Exclamation;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    QString stateWhenShown;                    ///< what the observer saw while the box was open
    MessageAnswer answer = MessageAnswer::Ok;  ///< the button pressed

    bool sameBoxAs(const ShownBox& other) const {
        return prompt == other.prompt && title == other.title && buttons == other.buttons &&
               icon == other.icon;
    }
};

/// One expected box: its prompt and the button the user presses.
struct ScriptedBox {
    QString prompt;
    MessageAnswer answer = MessageAnswer::Ok;
};

class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    using Answerer = std::function<MessageAnswer(const ShownBox&)>;
    using FailureReport = std::function<void(const QString&)>;

    ScriptedMessageBoxes();

    MessageAnswer show(QWidget* parent, const QString& prompt, const QString& title,
                       MessageButtons buttons, MessageIcon icon) override;

    void expect(const ScriptedBox& box) { script_.push_back(box); }
    void expect(const std::vector<ScriptedBox>& boxes);
    /// Every box is answered by this instead of the script; none is unexpected.
    void answerWith(Answerer answerer) { answerer_ = std::move(answerer); }
    /// How an unexpected box fails the test; a QtTest failure unless set.
    void reportFailuresWith(FailureReport report) { report_ = std::move(report); }
    /// Called while each box is open, to record the window's state at that moment.
    void setObserver(std::function<QString()> observer) { observer_ = std::move(observer); }

    const std::vector<ShownBox>& shown() const { return shown_; }
    /// The boxes shown since the last call, which forgets them.
    std::vector<ShownBox> take() { return std::exchange(shown_, {}); }
    bool scriptFinished() const { return script_.empty(); }
    int unexpectedCount() const { return unexpected_; }
    void clear();

  private:
    MessageAnswer answerFromScript(const QString& prompt, MessageAnswer escape);

    std::deque<ScriptedBox> script_;
    std::vector<ShownBox> shown_;
    Answerer answerer_;
    FailureReport report_;
    std::function<QString()> observer_;
    int unexpected_ = 0;
};

}  // namespace veltrane::desktop::test
