#pragma once
// The study the performance window holds, as one document: made from the models when it is
// saved, put into them when it is opened, and modified whenever what the models hold would save
// as another file than the one last opened or saved. The text a study saves as is the record, so
// an edit undone by hand clears the modified mark again.
//
// A moment after each edit the whole study is copied to a recovery folder (when one is given),
// so that a window that is killed loses nothing typed more than a moment before; the copy goes
// on Save, on Discard and on a clean close. The user's own file is written only by Save.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "study.h"
#include "unit_layer.h"

class QLockFile;

namespace veltrane::performance {

class AcceptanceTab;
class PerformanceModel;
class YearTab;

/// What a study is made from and put into.
struct StudyParts {
    PerformanceModel& design;
    AcceptanceTab& acceptance;
    YearTab& year;
    const UnitLayer& units;
    /// Shows every box in these units (the window's switch).
    std::function<void(UnitSystem)> setUnits;
    /// Shows the design model's values in the input boxes.
    std::function<void()> showInputs;
};

class StudyDocument final : public QObject {
    Q_OBJECT

  public:
    /// A moment without edits after which the recovery copy is written, ms.
    static constexpr int kRecoveryDelay = 1000;

    explicit StudyDocument(StudyParts parts, QObject* parent = nullptr);
    ~StudyDocument() override;

    /// What the window holds now; what it does not show (the identification, the report's
    /// further fields, a bin's own hot water, approach or range) as the study opened had it.
    [[nodiscard]] study::Study study() const;
    /// Puts a study into the models; what could not be used (a curves file that no longer
    /// reads) is said in the result, one line each. The document is then clean.
    QStringList apply(const study::Study& study);

    /// The file, empty for a new study.
    [[nodiscard]] const QString& path() const { return path_; }
    /// The file's name, or "Untitled".
    [[nodiscard]] QString displayName() const;
    [[nodiscard]] bool isModified();

    /// Reads the file whole and only then puts it in place. Empty when opened, else the
    /// refusal with the path, and nothing has changed; `notes` gets what apply() said.
    QString open(const QString& path, QStringList& notes);
    /// A new study at the defaults, in the units shown.
    void startNew();
    /// Writes the study to `path`, which it then is. Empty when written, else why not (and the
    /// document stays as it was, modified).
    QString saveAs(const QString& path);

    /// Where the recovery copy is kept; empty keeps none. A copy found there is kept until
    /// restoreRecovery() or removeRecovery(). While another window keeps its copy there, this
    /// one keeps its own in "FOLDER-2" (and so on).
    void keepRecoveryIn(const QString& folder);
    /// A copy left by a window that did not close.
    [[nodiscard]] bool hasRecovery() const;
    /// Opens the copy, modified, under the path it was copied from. Empty when restored, else
    /// why not (the copy is then removed).
    QString restoreRecovery(QStringList& notes);
    void removeRecovery();
    /// The copy's file, for the tests.
    [[nodiscard]] QString recoveryFile() const;

  signals:
    /// The modified mark or the file changed.
    void stateChanged();

  private:
    void watch();
    void noteEdit();
    void check();
    void markClean(const QString& path);
    void writeRecovery();
    [[nodiscard]] std::string text() const;
    [[nodiscard]] QString recoveryPathFile() const;

    StudyParts parts_;
    /// The study last opened: what the window does not show comes from it.
    study::Study opened_;
    QString path_;
    /// The weather file the study named that did not open; empty once one is open.
    std::filesystem::path unreadWeather_;
    std::string savedText_;
    bool modified_ = false;
    bool checkPending_ = false;
    QString recoveryFolder_;
    /// The recovery folder's lock, held while this window runs.
    std::unique_ptr<QLockFile> recoveryLock_;
    /// A copy of an earlier window waits to be offered.
    bool copyOffered_ = false;
    QTimer checkTimer_;
    QTimer recoveryTimer_;
};

}  // namespace veltrane::performance
