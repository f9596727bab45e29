#include "scripted_message_boxes.h"

#include <QtTest>

namespace veltrane::desktop::test {

ScriptedMessageBoxes::ScriptedMessageBoxes()
    : report_(
          [](const QString& failure) { QTest::qFail(qPrintable(failure), __FILE__, __LINE__); }) {}

MessageAnswer ScriptedMessageBoxes::show(QWidget* /*parent*/, const QString& prompt,
                                         const QString& title, MessageButtons buttons,
                                         MessageIcon icon) {
    const MessageAnswer defaultAnswer = buttons == MessageButtons::YesNo ? MessageAnswer::Yes
                                        : buttons == MessageButtons::SaveDiscardCancel
                                            ? MessageAnswer::Save
                                            : MessageAnswer::Ok;
    ShownBox box{prompt, title, buttons, icon, defaultAnswer, observer_ ? observer_() : QString()};
    // Closing a box the script did not expect the way Esc would close it.
    const MessageAnswer escape = EscapeAnswer(buttons);
    box.answer = answerer_ ? answerer_(box) : answerFromScript(prompt, escape);
    shown_.push_back(box);
    return box.answer;
}

MessageAnswer ScriptedMessageBoxes::answerFromScript(const QString& prompt, MessageAnswer escape) {
    if (script_.empty()) {
        ++unexpected_;
        report_(QStringLiteral("Unexpected message box: ") + prompt);
        return escape;
    }
    const ScriptedBox expected = script_.front();
    script_.pop_front();
    if (expected.prompt != prompt) {
        ++unexpected_;
        report_(QStringLiteral("Expected the box \"%1\", got \"%2\"").arg(expected.prompt, prompt));
        return escape;
    }
    return expected.answer;
}

void ScriptedMessageBoxes::expect(const std::vector<ScriptedBox>& boxes) {
    script_.insert(script_.end(), boxes.begin(), boxes.end());
}

void ScriptedMessageBoxes::clear() {
    script_.clear();
    shown_.clear();
    unexpected_ = 0;
}

}  // namespace veltrane::desktop::test
