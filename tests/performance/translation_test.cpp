// The window's language: German under a German locale, English when chosen, the choice kept for
// the next start, and a translation file with nothing left unfinished or broken.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QXmlStreamReader>

#include <optional>
#include <set>
#include <string>

#include "translation.h"
#include "window_fixture.h"

namespace veltrane::performance::test {
namespace {

const QLocale kGermany(QLocale::German, QLocale::Germany);

QString MenuTitle(const PerformanceWindow& window, int index) {
    return window.menuBar()->actions().at(index)->text();
}

class TranslationTest : public WindowFixture {};

TEST_F(TranslationTest, shouldShowGermanUnderAGermanLocale) {
    const InstalledTranslation translation(TranslationLocale(Language::kSystem, kGermany));
    ASSERT_TRUE(translation.translated());
    open();
    EXPECT_EQ(MenuTitle(*window, 0), u"&Datei"_qs);
    EXPECT_EQ(window->tabs()->tabText(0), u"Bedarfskurven"_qs);
    // An engine caption, translated at the window's edge.
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->accessibleName(),
              u"Feuchtkugeltemperatur Lufteintritt"_qs);
}

/// The letter Alt takes to reach a text ("&Datei": 'd'), or none.
std::optional<QChar> AccessKey(const QString& text) {
    static const QRegularExpression key(QStringLiteral("&([^&\\s])"));
    const QRegularExpressionMatch m = key.match(text);
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1).at(0).toLower();
}

// A letter taken twice in one menu, or by a control and a menu title, is ambiguous: Alt and the
// letter then does nothing at all.
TEST_F(TranslationTest, shouldGiveEachGermanAccessKeyOnce) {
    const InstalledTranslation translation(kGermany);
    open();
    std::set<QChar> titles;
    for (QAction* title : window->menuBar()->actions()) {
        const std::optional<QChar> key = AccessKey(title->text());
        ASSERT_TRUE(key) << title->text().toStdString();
        EXPECT_TRUE(titles.insert(*key).second) << title->text().toStdString();
        QList<QMenu*> menus = title->menu()->findChildren<QMenu*>();
        menus.prepend(title->menu());
        for (const QMenu* menu : menus) {
            std::set<QChar> items;
            for (QAction* item : menu->actions()) {
                const std::optional<QChar> itemKey = AccessKey(item->text());
                if (itemKey) {
                    EXPECT_TRUE(items.insert(*itemKey).second) << item->text().toStdString();
                }
            }
        }
    }
    std::set<QChar> panel;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        const QString text = label ? label->text() : button ? button->text() : QString();
        const std::optional<QChar> key = AccessKey(text);
        if (!key) continue;
        EXPECT_EQ(titles.count(*key), 0U) << text.toStdString() << " takes a menu's key";
        if (window->inputPanel()->isAncestorOf(widget)) {
            EXPECT_TRUE(panel.insert(*key).second) << text.toStdString() << " twice in the inputs";
        }
    }
}

TEST_F(TranslationTest, shouldShowEnglishWhenChosenUnderAGermanLocale) {
    StoreLanguage(*settings, Language::kEnglish);
    const InstalledTranslation translation(TranslationLocale(StoredLanguage(*settings), kGermany));
    EXPECT_FALSE(translation.translated());
    open();
    EXPECT_EQ(MenuTitle(*window, 0), u"&File"_qs);
    EXPECT_EQ(window->tabs()->tabText(0), u"Demand curves"_qs);
}

TEST_F(TranslationTest, shouldTranslateQtsOwnButtonsBesideTheWindow) {
    const QString qtBase = QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                               .filePath(QStringLiteral("qtbase_de.qm"));
    if (!QFile::exists(qtBase)) GTEST_SKIP() << "Qt's own German translation is not installed";
    const InstalledTranslation translation(kGermany);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_qs);
}

TEST_F(TranslationTest, shouldKeepTheChosenLanguageForTheNextStart) {
    const struct {
        const char* action;
        Language stored;
    } cases[] = {{"languageGerman", Language::kGerman},
                 {"languageEnglish", Language::kEnglish},
                 {"languageSystem", Language::kSystem}};
    for (const auto& c : cases) {
        window->findChild<QAction*>(QLatin1String(c.action))->trigger();
        open();  // the next start
        EXPECT_EQ(StoredLanguage(*settings), c.stored) << c.action;
        EXPECT_TRUE(window->findChild<QAction*>(QLatin1String(c.action))->isChecked()) << c.action;
        EXPECT_EQ(MenuTitle(*window, 0), u"&File"_qs) << "no translator was installed";
    }
}

TEST_F(TranslationTest, shouldSayWhenTheChosenLanguageShows) {
    window->findChild<QAction*>(QStringLiteral("languageGerman"))->trigger();
    EXPECT_EQ(window->statusBar()->currentMessage(), u"The language changes at the next start."_qs);
}

TEST(TranslationSetting, shouldReadOnlyTheLanguagesItKnows) {
    const struct {
        QVariant stored;
        Language read;
    } cases[] = {{{}, Language::kSystem},
                 {u"de"_qs, Language::kGerman},
                 {u"en"_qs, Language::kEnglish},
                 {u"fr"_qs, Language::kSystem},
                 {u""_qs, Language::kSystem}};
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    for (const auto& c : cases) {
        settings.setValue(QStringLiteral("window/language"), c.stored);
        if (!c.stored.isValid()) settings.remove(QStringLiteral("window/language"));
        EXPECT_EQ(StoredLanguage(settings), c.read) << c.stored.toString().toStdString();
    }
}

/// The %1…%9 a text fills in: a translation that loses or adds one shows a wrong number.
std::multiset<std::string> Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    std::multiset<std::string> found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
        found.insert(m.captured().toStdString());
    return found;
}

bool HasAccessKey(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("&[^&\\s]")));
}

// Every entry translated and current, with the numbers it fills in and its access key kept.
TEST(TranslationFile, shouldBeFinishedAndKeepPlaceholdersAndAccessKeys) {
    QFile file(QStringLiteral(VELTRANE_TRANSLATIONS "/veltrane-performance_de.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ++messages;
            const QString type = xml.attributes().value(u"type"_qs).toString();
            const QString text = xml.readElementText();
            const std::string where = source.toStdString();
            EXPECT_TRUE(type.isEmpty()) << type.toStdString() << ": " << where;
            EXPECT_FALSE(text.isEmpty()) << where;
            EXPECT_EQ(Placeholders(text), Placeholders(source)) << where;
            EXPECT_EQ(HasAccessKey(text), HasAccessKey(source)) << where;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 250);
}

}  // namespace
}  // namespace veltrane::performance::test
