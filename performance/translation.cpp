#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>

namespace veltrane::performance {
namespace {

const QString kLanguageKey = QStringLiteral("window/language");
const QString kEnglishValue = QStringLiteral("en");
const QString kGermanValue = QStringLiteral("de");
/// Where the build puts the window's compiled translations among the program's resources.
const QString kTranslationFolder = QStringLiteral(":/i18n");

}  // namespace

Language StoredLanguage(const QSettings& settings) {
    const QString value = settings.value(kLanguageKey).toString();
    if (value == kEnglishValue) return Language::kEnglish;
    if (value == kGermanValue) return Language::kGerman;
    return Language::kSystem;
}

void StoreLanguage(QSettings& settings, Language language) {
    if (language == Language::kSystem) {
        settings.remove(kLanguageKey);
    } else {
        settings.setValue(kLanguageKey,
                          language == Language::kEnglish ? kEnglishValue : kGermanValue);
    }
}

QLocale TranslationLocale(Language chosen, const QLocale& system) {
    switch (chosen) {
        case Language::kEnglish:
            return QLocale(QLocale::English, QLocale::UnitedStates);
        case Language::kGerman:
            return QLocale(QLocale::German, QLocale::Germany);
        case Language::kSystem:
            break;
    }
    return system;
}

InstalledTranslation::InstalledTranslation(const QLocale& locale) {
    // The window's texts are written in English: an English locale needs no translator, and
    // Qt's own English texts are built in.
    if (locale.language() == QLocale::English) return;
    if (program_.load(locale, QStringLiteral("veltrane-performance"), QStringLiteral("_"),
                      kTranslationFolder)) {
        programInstalled_ = QCoreApplication::installTranslator(&program_);
    }
    // Qt's own texts only beside the window's, so that one box never mixes two languages.
    if (programInstalled_ && qtBase_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtBaseInstalled_ = QCoreApplication::installTranslator(&qtBase_);
    }
}

InstalledTranslation::~InstalledTranslation() {
    if (qtBaseInstalled_) QCoreApplication::removeTranslator(&qtBase_);
    if (programInstalled_) QCoreApplication::removeTranslator(&program_);
}

}  // namespace veltrane::performance
