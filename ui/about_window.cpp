#include "about_window.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <vector>

#include <veltrane/version.h>

#include "program_icon.h"
#include "twips.h"
#include "utf8_text.h"
#ifdef Q_OS_WIN
#include "win_api.h"
#endif

namespace veltrane::ui {

namespace {

// The client area, inside the raised dialog frame that the window draws itself.
constexpr int kClientWidth = 7380;
constexpr int kClientHeight = 4245;
constexpr int kDialogFramePixels = 3;

// How a label takes its size: the stored rectangle (wrapping inside it), or the size of its
// text keeping the stored left edge, or keeping the stored right edge.
enum class Sizing { Stored, FitFromLeft, FitFromRight };

struct LabelFont {
    const char* family = nullptr;  // null: the window's dialog font
    double points = 0;
    bool bold = false;
};

struct LabelLayout {
    const char* objectName;
    QString text;
    QRect twips;  // relative to Frame1
    LabelFont font;
    Sizing sizing;
};

constexpr LabelFont kDialogFont{};

// The window's dialog font: small enough that each numbered line wraps within its two rows, as
// the layout expects of a classic 8-point dialog font.
QFont DialogFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QString CopyrightNotice() {
    return QStringLiteral("Copyright \u00A9 %1. All rights reserved.")
        .arg(desktop::FromUtf8(kCompanyName));
}

std::vector<LabelLayout> Labels() {
    return {
        {"lbl_0",
         desktop::FromUtf8(kCompanyName),
         {420, 360, 6270, 435},
         {"Arial", 18, true},
         Sizing::FitFromLeft},
        {"lbl_1",
         desktop::FromUtf8(kProductName),
         {120, 780, 6780, 615},
         {"Arial", 26.25, true},
         Sizing::FitFromLeft},
        {"lbl_2",
         QStringLiteral("This Program Calculates:"),
         {120, 1680, 5295, 495},
         kDialogFont,
         Sizing::Stored},
        {"Label1", QStringLiteral("1)"), {120, 1980, 255, 255}, kDialogFont, Sizing::Stored},
        {"lbl_3",
         QStringLiteral("The KAV/L (Number of Transfer Units) of a wet counterflow cooling tower "
                        "based on the Cooling Tower Institute Standards"),
         {360, 1980, 4695, 555},
         kDialogFont,
         Sizing::Stored},
        {"Label2", QStringLiteral("2)"), {120, 2460, 255, 255}, kDialogFont, Sizing::Stored},
        {"lbl_4",
         QStringLiteral("The evaporation, blowdown, drift losses, and total makeup required by "
                        "actual mass balance"),
         {360, 2460, 4695, 555},
         kDialogFont,
         Sizing::Stored},
        {"Label3", QStringLiteral("3)"), {120, 2940, 255, 255}, kDialogFont, Sizing::Stored},
        {"lbl_5",
         QStringLiteral("The fan and pump power required "),
         {360, 2940, 4695, 555},
         kDialogFont,
         Sizing::Stored},
        {"lbl_8",
         QStringLiteral("Intel x86"),
         {5595, 2400, 1260, 360},
         {"Arial", 15.75, true},
         Sizing::FitFromRight},
        {"lbl_9",
         desktop::FromUtf8(kVersionCaption),
         {5145, 2760, 1710, 285},
         {"Arial", 12, true},
         Sizing::FitFromRight},
        {"lbl_10",
         CopyrightNotice(),
         {240, 3660, 4215, 255},
         {"Arial", 8.25, false},
         Sizing::Stored},
    };
}

void ApplyFont(QLabel& label, const LabelFont& style) {
    if (style.family == nullptr) return;
    QFont font(desktop::FromUtf8(style.family));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(style.points);
    font.setBold(style.bold);
    label.setFont(font);
}

QLabel* MakeLabel(const LabelLayout& layout, QWidget* parent) {
    auto* label = new QLabel(layout.text, parent);
    label->setObjectName(desktop::FromUtf8(layout.objectName));
    label->setTextFormat(Qt::PlainText);
    ApplyFont(*label, layout.font);
    const QRect stored =
        TwipRect(layout.twips.x(), layout.twips.y(), layout.twips.width(), layout.twips.height());
    if (layout.sizing == Sizing::Stored) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setGeometry(stored);
        return label;
    }
    label->setAlignment(layout.sizing == Sizing::FitFromLeft ? Qt::AlignLeft : Qt::AlignRight);
    label->adjustSize();
    const int left = layout.sizing == Sizing::FitFromLeft
                         ? stored.left()
                         : stored.x() + stored.width() - label->width();
    label->move(left, stored.top());
    return label;
}

}  // namespace

QPointer<frmSplash> frmSplash::shared_;

frmSplash* frmSplash::ShowShared() {
    if (shared_ == nullptr) {
        shared_ = new frmSplash;
        shared_->Form_Load();
    }
    shared_->show();
    shared_->Activate();
    shared_->activateWindow();
    return shared_;
}

frmSplash* frmSplash::OpenInstance() {
    return shared_;
}

frmSplash::frmSplash()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setWindowIcon(ProgramIcon());
    setFont(DialogFont());

    const QSize client = TwipSize(kClientWidth, kClientHeight);
    setFixedSize(client + QSize(2 * kDialogFramePixels, 2 * kDialogFramePixels));

    auto* dialogFrame = new QFrame(this);
    dialogFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    dialogFrame->setLineWidth(2);
    dialogFrame->setGeometry(rect());

    auto* clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("client"));
    clientArea->setGeometry(QRect(QPoint(kDialogFramePixels, kDialogFramePixels), client));
    BuildControls(clientArea);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

frmSplash::~frmSplash() = default;

void frmSplash::BuildControls(QWidget* client) {
    Frame1 = new QGroupBox(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipRect(120, 60, 7080, 4050));
    Frame1->setFocusPolicy(Qt::NoFocus);

    for (const LabelLayout& layout : Labels())
        MakeLabel(layout, Frame1);

    cmdOK = new QPushButton(QStringLiteral("&OK"), Frame1);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipRect(5640, 3480, 1215, 435));
    // Enter presses the default button; Esc rejects the dialog, which closes it the same way.
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

// Joins the desktop's topmost band. Qt asks the window manager through the stays-on-top hint;
// on Windows the band is set directly as well. A refusal goes unnoticed and changes nothing else.
void frmSplash::Form_Load() {
#ifdef Q_OS_WIN
    WinAPI::MakeTopmost(winId());
#endif
}

// Runs whenever the window becomes active: to the front, and the focus on OK.
void frmSplash::Activate() {
    raise();
    cmdOK->setFocus(Qt::ActiveWindowFocusReason);
}

bool frmSplash::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Activate();
    return QDialog::event(event);
}

}  // namespace veltrane::ui
