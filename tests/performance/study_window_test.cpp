// Studies in files through the window: opened, saved, refused, asked about on close, and
// recovered after the window was killed.
#include <QDir>
#include <QProcess>

#include <filesystem>
#include <functional>
#include <string>

#include "acceptance_tab.h"
#include "study_document.h"
#include "study_file.h"
#include "window_fixture.h"

namespace veltrane::performance::test {
namespace {

using desktop::MessageAnswer;
using study::Study;

class StudyWindow : public WindowFixture {
  protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    /// Every field of a study, written the same way whatever folder it came from.
    static std::string Fields(const Study& study) {
        return study::WriteStudy(study, std::filesystem::path("/"));
    }
    static Study Read(const QString& file) {
        study::StudyReading reading = study::ReadStudyFile(file.toStdString());
        EXPECT_TRUE(reading.study) << reading.error;
        return reading.study.value_or(Study{});
    }
    static void Write(const QString& file, const std::string& text) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray::fromStdString(text));
    }
    void save(const Study& study, const QString& file) const {
        ASSERT_EQ(study::SaveStudyFile(study, file.toStdString()), "");
    }
};

/// A study with every member away from its default: what the window only carries (the
/// identification, further report fields, a bin's own range, hot water and approach) as well as
/// what it shows.
Study MadeStudy(UnitSystem units) {
    Study made;
    made.units = units;
    made.design[Input::kWetBulb] = 68.0F;
    made.design[Input::kWaterFlow] = 1200.0F;
    made.identification = {"Plant 2", "CT-2", "7"};
    made.tower = {false, 2.1F, 0.7F};
    made.acceptance.readings = {{14.6F, 66.1F, 84.0F, 106.2F, 78.85F, 1215.0F, 9.41F},
                                {14.62F, 67.3F, 85.5F, 107.1F, 79.6F, 1190.0F, 9.37F}};
    made.acceptance.readingsPowerUnit = study::PowerUnit::kKilowatt;
    made.acceptance.slope = 0.65F;
    made.acceptance.designFanPower = study::FanPower{9.53F, study::PowerUnit::kKilowatt};
    made.acceptance.draft = FanDraft::kForced;
    made.acceptance.method = AcceptanceMethod::kCharacteristic;
    made.acceptance.makerCurves = {{90.0F, 100.0F, 60.0F, 73.7F}, {100.0F, 100.0F, 60.0F, 74.9F}};
    made.acceptance.limits.wetBulb = 10.0F;
    made.acceptance.limits.pressure = 0.8F;
    made.year.bins = {{60.0F, 75.0F, 4000.0, std::nullopt, std::nullopt, 12.0F},
                      {70.0F, 85.0F, 4760.5, 104.0F, 11.0F, std::nullopt}};
    made.year.fanControl = {FanMode::kVariableSpeed, 80.0F, 0.25F};
    made.year.loadPercent = 80.0F;
    made.report = {"Acceptance of CT-2", "Plant 2",   "CT-2",
                   "2026-08-14",         "R. Tester", {{"Witness", "A. Owner"}}};
    return made;
}

TEST_F(StudyWindow, shouldSaveEveryFieldOfAStudyItOpened) {
    const struct {
        const char* name;
        QString file;
    } cases[] = {
        {"the example", QStringLiteral(VELTRANE_EXAMPLES "/default.veltrane")},
        {"a study in SI, powers in kW (the units shown)", path("si.veltrane")},
        {"a study in US units, powers in kW (not the units shown)", path("us.veltrane")},
    };
    save(MadeStudy(UnitSystem::kSI), path("si.veltrane"));
    save(MadeStudy(UnitSystem::kUS), path("us.veltrane"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(window->openStudy(c.file));
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_TRUE(
            window->windowTitle().startsWith(QFileInfo(c.file).fileName() + QStringLiteral("[*]")));
        files.next = path("again.veltrane");
        ASSERT_TRUE(window->saveStudyAs());
        EXPECT_EQ(Fields(Read(files.next)), Fields(Read(c.file)));
    }
}

TEST_F(StudyWindow, shouldSaveAsOnControlShiftS) {
    files.next = path("keys.veltrane");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(files.shown, 1);
    EXPECT_TRUE(QFileInfo::exists(files.next));
}

TEST_F(StudyWindow, shouldRefuseAStudyItCannotReadAndChangeNothing) {
    const std::string good = study::WriteStudy(Study{}, "/");
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* name;
        std::string text;
        QString reason;
    } cases[] = {
        {"a newer version", replaced("\"version\": 1", "\"version\": 2"),
         QStringLiteral("made by a newer Veltrane: version 2")},
        {"bad JSON", good.substr(0, good.size() / 2), QStringLiteral("not JSON")},
        {"a value out of range", replaced("\"LG\": 1", "\"LG\": -1"),
         QStringLiteral("design.LG: -1 must be above 0")},
    };
    ASSERT_TRUE(window->openStudy(QStringLiteral(VELTRANE_EXAMPLES "/default.veltrane")));
    const std::string shown = Fields(window->document().study());
    const QString title = window->windowTitle();
    messages.answerWith([](const desktop::test::ShownBox&) { return MessageAnswer::Ok; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(path("bad.veltrane"), c.text);
        EXPECT_FALSE(window->openStudy(path("bad.veltrane")));
        const std::vector<desktop::test::ShownBox> boxes = messages.take();
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_TRUE(boxes[0].prompt.contains(path("bad.veltrane")))
            << boxes[0].prompt.toStdString();
        EXPECT_TRUE(boxes[0].prompt.contains(c.reason)) << boxes[0].prompt.toStdString();
        EXPECT_EQ(Fields(window->document().study()), shown);
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_FALSE(window->isWindowModified());
    }
}

TEST_F(StudyWindow, shouldAskAboutUnsavedChangesOnClose) {
    const struct {
        MessageAnswer answer;
        bool closed;
        float wetBulbInFile;
    } cases[] = {
        {MessageAnswer::Save, true, 70.0F},
        {MessageAnswer::Discard, true, 68.0F},
        {MessageAnswer::Cancel, false, 68.0F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        save(MadeStudy(UnitSystem::kUS), path("made.veltrane"));
        open();
        ASSERT_TRUE(window->openStudy(path("made.veltrane")));
        type(FieldOf(Input::kWetBulb), QStringLiteral("70"));
        EXPECT_TRUE(window->document().isModified());
        messages.expect({QStringLiteral("Save the changes to made.veltrane?"), c.answer});
        window->close();
        EXPECT_TRUE(messages.scriptFinished());
        EXPECT_EQ(window->isVisible(), !c.closed);
        EXPECT_EQ(Read(path("made.veltrane")).design[Input::kWetBulb], c.wetBulbInFile);
        EXPECT_EQ(window->isWindowModified(), c.answer != MessageAnswer::Save);
    }
}

TEST_F(StudyWindow, shouldAskBeforeNewOrOpenDropsChanges) {
    save(MadeStudy(UnitSystem::kUS), path("made.veltrane"));
    save(Study{}, path("other.veltrane"));
    const struct {
        const char* name;
        bool newStudy;
        MessageAnswer answer;
        QString titleAfter;
        float wetBulbAfter;
    } cases[] = {
        {"New, cancelled", true, MessageAnswer::Cancel, QStringLiteral("made.veltrane"), 70.0F},
        {"New, changes discarded", true, MessageAnswer::Discard, QStringLiteral("Untitled"), 65.0F},
        {"Open, cancelled", false, MessageAnswer::Cancel, QStringLiteral("made.veltrane"), 70.0F},
        {"Open, changes discarded", false, MessageAnswer::Discard, QStringLiteral("other.veltrane"),
         65.0F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        ASSERT_TRUE(window->openStudy(path("made.veltrane")));
        type(FieldOf(Input::kWetBulb), QStringLiteral("70"));
        messages.expect({QStringLiteral("Save the changes to made.veltrane?"), c.answer});
        if (c.newStudy) {
            window->newStudy();
        } else {
            window->openStudy(path("other.veltrane"));
        }
        EXPECT_TRUE(messages.scriptFinished());
        EXPECT_TRUE(window->windowTitle().startsWith(c.titleAfter + QStringLiteral("[*]")));
        EXPECT_EQ(model->value(FieldOf(Input::kWetBulb)), c.wetBulbAfter);
        EXPECT_EQ(Read(path("made.veltrane")).design[Input::kWetBulb], 68.0F);
    }
}

// Written a moment after each change, so that a kill loses none of them.
TEST_F(StudyWindow, shouldWriteTheSettingsAsTheyChange) {
    save(Study{}, path("study.veltrane"));
    const struct {
        const char* key;
        std::function<void()> change;
        QVariant stored;
    } cases[] = {
        {"study/last", [this] { window->openStudy(path("study.veltrane")); },
         path("study.veltrane")},
        {"inputs/Twb", [this] { type(FieldOf(Input::kWetBulb), QStringLiteral("66")); },
         QStringLiteral("66")},
        {"window/tab", [this] { window->tabs()->setCurrentIndex(3); }, 3},
        {"window/units", [this] { window->setUnits(UnitSystem::kSI); }, QStringLiteral("SI")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        c.change();
        EXPECT_TRUE(QTest::qWaitFor(
            [&c, this] {
                return QSettings(settingsPath(), QSettings::IniFormat)
                           .value(QLatin1String(c.key))
                           .toString() == c.stored.toString();
            },
            5000));
    }
}

TEST_F(StudyWindow, shouldKeepTheModifiedMarkWhenASaveFails) {
    ASSERT_TRUE(window->openStudy(QStringLiteral(VELTRANE_EXAMPLES "/default.veltrane")));
    type(FieldOf(Input::kWetBulb), QStringLiteral("70"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isWindowModified());
    files.next = path("no-such-folder/study.veltrane");
    messages.answerWith([](const desktop::test::ShownBox&) { return MessageAnswer::Ok; });
    EXPECT_FALSE(window->saveStudyAs());
    const std::vector<desktop::test::ShownBox> boxes = messages.take();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_TRUE(boxes[0].prompt.contains(files.next)) << boxes[0].prompt.toStdString();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("default.veltrane[*]")));
}

// A window killed a moment after an edit: the next one offers the copy, and the edit is there,
// under the study's own name and still to be saved; the user's file is as it was.
TEST_F(StudyWindow, shouldOfferTheEditsOfAKilledWindowAtTheNextStart) {
    save(MadeStudy(UnitSystem::kUS), path("made.veltrane"));
    const QString recovery = path("recovery");
    QProcess child;
    child.start(QStringLiteral(VELTRANE_RECOVERY_CHILD),
                {settingsPath(), recovery, path("made.veltrane")});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();

    open();
    window->keepRecoveryIn(recovery);
    // The user takes a while to answer, and the window evaluates meanwhile: the copy must wait.
    QStringList asked;
    messages.answerWith([this, &asked](const desktop::test::ShownBox& shown) {
        asked << shown.prompt;
        window->acceptanceTab()->readings().evaluate();
        QTest::qWait(StudyDocument::kRecoveryDelay * 3 / 2);
        return MessageAnswer::Yes;
    });
    window->start();
    EXPECT_EQ(asked, QStringList{QStringLiteral("Veltrane Performance stopped before the changes "
                                                "to a study were saved. Restore them?")});
    messages.answerWith({});
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->text(), QStringLiteral("71"));
    EXPECT_EQ(window->document().study().acceptance.readings.size(), 2U);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("made.veltrane[*]")));
    EXPECT_EQ(Read(path("made.veltrane")).design[Input::kWetBulb], 68.0F);

    messages.expect({QStringLiteral("Save the changes to made.veltrane?"), MessageAnswer::Discard});
    window->close();
    EXPECT_FALSE(QFileInfo::exists(window->document().recoveryFile()));
}

// A second window started while the first has unsaved edits: the first one's copy is neither
// offered there as a killed window's nor discarded, and each keeps a copy of its own.
TEST_F(StudyWindow, shouldLeaveTheCopyOfAWindowStillRunningAlone) {
    const QString recovery = path("recovery");
    window->keepRecoveryIn(recovery);
    type(FieldOf(Input::kWetBulb), QStringLiteral("71"));
    const QString firstCopy = window->document().recoveryFile();
    ASSERT_TRUE(QTest::qWaitFor([&firstCopy] { return QFileInfo::exists(firstCopy); }, 10000));

    PerformanceModel secondModel;
    PerformanceWindow second(secondModel, {messages, files, printDialogs, *settings});
    second.keepRecoveryIn(recovery);
    messages.answerWith([](const desktop::test::ShownBox&) { return MessageAnswer::No; });
    second.start();
    EXPECT_TRUE(messages.take().empty());
    EXPECT_TRUE(QFileInfo::exists(firstCopy));
    EXPECT_NE(second.document().recoveryFile().toStdString(), firstCopy.toStdString());
}

// A study whose weather file is away for now (a drive not mounted): saving an edit made
// elsewhere keeps the file named, so that the year is there again once the file is.
TEST_F(StudyWindow, shouldKeepAWeatherFileThatDidNotOpenWhenSaving) {
    Study made = MadeStudy(UnitSystem::kUS);
    made.year.weatherFile = path("away/site.epw").toStdString();
    save(made, path("made.veltrane"));
    messages.answerWith([](const desktop::test::ShownBox&) { return MessageAnswer::Ok; });
    ASSERT_TRUE(window->openStudy(path("made.veltrane")));
    type(FieldOf(Input::kWetBulb), QStringLiteral("71"));
    ASSERT_TRUE(window->saveStudy());
    EXPECT_EQ(Read(path("made.veltrane")).year.weatherFile, made.year.weatherFile);
}

}  // namespace
}  // namespace veltrane::performance::test
