#pragma once
// The About window: names the product and its maker, shows version and platform and lists what
// the program calculates. Modeless, without an owner, kept above every other window until OK.

#include <QDialog>
#include <QPointer>

class QGroupBox;
class QPushButton;

namespace veltrane::ui {

class frmSplash final : public QDialog {
    Q_OBJECT

  public:
    // Shows the one About window: creates it when none is open, then brings it to the front
    // with the focus on OK. Returns at once; OK (or Enter, Esc, Alt+O) destroys the window.
    static frmSplash* ShowShared();

    // The About window that is open, or null.
    static frmSplash* OpenInstance();

    ~frmSplash() override;

  protected:
    bool event(QEvent* event) override;

  private:
    frmSplash();
    void BuildControls(QWidget* client);
    void Form_Load();
    void Activate();

    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdOK = nullptr;

    static QPointer<frmSplash> shared_;
};

}  // namespace veltrane::ui
