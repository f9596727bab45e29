#pragma once
// The window's language: the system's by default, or English or German as chosen in View ›
// Language. The choice is kept in the settings and read once at start, before the window is
// built, because the window takes its texts from the translator when it builds its widgets.

#include <QLocale>
#include <QString>
#include <QTranslator>

class QSettings;

namespace veltrane::performance {

enum class Language { kSystem, kEnglish, kGerman };

/// The language the settings hold; kSystem when none or an unknown one is stored.
[[nodiscard]] Language StoredLanguage(const QSettings& settings);
void StoreLanguage(QSettings& settings, Language language);

/// The locale whose texts the window shows: the system's, or the one chosen.
[[nodiscard]] QLocale TranslationLocale(Language chosen, const QLocale& system);

/// The window's translation and Qt's own (its standard buttons and dialogs), installed in the
/// application for as long as this object lives.
class InstalledTranslation {
  public:
    /// Installs the translations for `locale`; English needs none and installs nothing.
    explicit InstalledTranslation(const QLocale& locale);
    ~InstalledTranslation();
    InstalledTranslation(const InstalledTranslation&) = delete;
    InstalledTranslation& operator=(const InstalledTranslation&) = delete;

    /// Whether the window's own texts are translated (false for English or a language without
    /// a translation, where the window keeps its English texts).
    [[nodiscard]] bool translated() const { return programInstalled_; }

  private:
    QTranslator program_;
    QTranslator qtBase_;
    bool programInstalled_ = false;
    bool qtBaseInstalled_ = false;
};

}  // namespace veltrane::performance
