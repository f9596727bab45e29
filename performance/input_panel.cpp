#include "input_panel.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMargins>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "number_boxes.h"
#include "utf8_text.h"

namespace veltrane::performance {
namespace {

/// Each box's label with its access key; none of them takes F, E, V or H, the menus' keys.
struct FieldLabel {
    Field field;
    const char* text;
};
constexpr std::array<FieldLabel, kFieldCount> kFieldLabels{{
    {FieldOf(Input::kAtmosPress),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "&Atmos Press")},
    {FieldOf(Input::kWetBulb),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Inlet Air Wet &Bulb Temp")},
    {FieldOf(Input::kDryBulb),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Inlet Air &Dry Bulb Temp")},
    {FieldOf(Input::kHotWater),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Hot Water &Temp")},
    {FieldOf(Input::kApproach),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Appr&oach = TCold-Twb")},
    {FieldOf(Input::kLiquidGas),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "&Liquid/Gas Ratio")},
    {FieldOf(Input::kWaterFlow),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Circulating Water Flo&w")},
    {FieldOf(Input::kCycles),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Blowdown &Cycles of Conc")},
    {FieldOf(Input::kDriftLoss),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Drift Lo&ss")},
    {FieldOf(Input::kMakeupTemp),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Ma&keup Water Temp")},
    {FieldOf(Input::kFanPress),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Fan Total P&ress")},
    {FieldOf(Input::kFanEff),
     QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Fan Efficenc&y")},
    {Field::kTowerC, "C"},
    {Field::kTowerM, QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Slope &m")},
}};

/// Wide enough for "20,000.125" in the window's font at its usual size.
constexpr int kBoxWidth = 110;
/// The widest value a box usually holds: a flow or a load to three decimals.
constexpr double kWidestUsualValue = 20000.125;

/// The width at which a box shows its widest usual value whole, in the locale's writing and the
/// box's font, so that a narrow panel scrolls instead of showing the middle of a number.
int LeastBoxWidth(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QFontMetrics metrics = edit.fontMetrics();
    const QMargins margins = edit.textMargins();
    // The line edit's own margin of 2 either side and a cursor's width past the text.
    const int text = metrics.horizontalAdvance(QLocale().toString(kWidestUsualValue, 'f', 3)) +
                     margins.left() + margins.right() + 2 * 2 + 1;
    return edit.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, metrics.height()), &edit)
        .width();
}

void SizeBox(QLineEdit& edit) {
    const int least = LeastBoxWidth(edit);
    edit.setMinimumWidth(least);
    edit.setMaximumWidth(std::max(kBoxWidth, least));
}

const QString kMarkedStyle =
    QStringLiteral("QLineEdit { border: 2px solid #c62828; background: #ffebee; padding: 1px; }");

std::size_t PositionOf(Field field) {
    return static_cast<std::size_t>(field);
}

}  // namespace

InputPanel::InputPanel(PerformanceModel& model, UnitLayer& units, QWidget* parent)
    : QWidget(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("inputPanel"));
    auto* layout = new QVBoxLayout(this);
    setLayout(layout);
    buildInputs();
    buildTower();
    buildOperatingPoint();
    layout->addStretch(1);
    showModelValues();
    connect(&model_, &PerformanceModel::problemsChanged, this, &InputPanel::showMarks);
    connect(&model_, &PerformanceModel::calculated, this, &InputPanel::showOperatingPoint);
    connect(&units, &UnitLayer::systemChanged, this, &InputPanel::showUnits);
    showOperatingPoint();
}

Quantity InputPanel::quantityOf(Field field) const {
    const std::optional<Input> input = InputOf(field);
    return input ? QuantityOf(*input) : Quantity::kDimensionless;
}

QLineEdit* InputPanel::box(Field field) const {
    return boxes_[PositionOf(field)];
}

void InputPanel::buildInputs() {
    struct Group {
        const char* title;
        std::vector<Input> inputs;
    };
    const Group groups[] = {
        {QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Air"),
         {Input::kAtmosPress, Input::kWetBulb, Input::kDryBulb}},
        {QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Water"),
         {Input::kHotWater, Input::kApproach, Input::kLiquidGas, Input::kWaterFlow, Input::kCycles,
          Input::kDriftLoss, Input::kMakeupTemp}},
        {QT_TRANSLATE_NOOP("veltrane::performance::InputPanel", "Fan"),
         {Input::kFanPress, Input::kFanEff}},
    };
    std::vector<QLabel*> labels;
    for (const Group& group : groups) {
        auto* box = new QGroupBox(tr(group.title), this);
        auto* form = new QFormLayout(box);
        for (const Input input : group.inputs) {
            const Field field = FieldOf(input);
            auto* edit = new QLineEdit(box);
            edit->setObjectName(
                QStringLiteral("input_") +
                QString::fromLatin1(kInputs[input].shortName.data(),
                                    static_cast<qsizetype>(kInputs[input].shortName.size())));
            boxes_[PositionOf(field)] = edit;
            SizeBox(*edit);
            auto* row = new QHBoxLayout;
            row->addWidget(edit, 1);
            auto* unit = new QLabel(units_.unit(QuantityOf(input)), box);
            unit->setObjectName(edit->objectName() + u"_unit"_qs);
            units_labels_[static_cast<std::size_t>(input)] = unit;
            unit->setMinimumWidth(unit->fontMetrics().horizontalAdvance(QStringLiteral("inH2O")));
            row->addWidget(unit);
            auto* label = new QLabel(tr(kFieldLabels[PositionOf(field)].text), box);
            label->setBuddy(edit);
            labels.push_back(label);
            edit->setAccessibleName(PerformanceModel::FieldName(field));
            form->addRow(label, row);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, field](const QString& text) { edited(field, text); });
        }
        layout()->addWidget(box);
    }
    // One column of boxes across the three groups.
    int widest = 0;
    for (const QLabel* label : labels)
        widest = std::max(widest, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(widest);
}

void InputPanel::buildTower() {
    auto* group = new QGroupBox(tr("Tower KaV/L = C·(L/G)^−m"), this);
    auto* form = new QFormLayout(group);
    tower_.throughDesignPoint = new QRadioButton(tr("Thro&ugh the design point"), group);
    tower_.throughDesignPoint->setObjectName(QStringLiteral("towerThroughDesignPoint"));
    tower_.given = new QRadioButton(tr("&Given C"), group);
    tower_.given->setObjectName(QStringLiteral("towerGiven"));
    auto* choice = new QButtonGroup(group);
    choice->addButton(tower_.throughDesignPoint);
    choice->addButton(tower_.given);
    form->addRow(tower_.throughDesignPoint);
    for (const Field field : {Field::kTowerC, Field::kTowerM}) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(field == Field::kTowerC ? QStringLiteral("input_C")
                                                    : QStringLiteral("input_m"));
        edit->setAccessibleName(PerformanceModel::FieldName(field));
        boxes_[PositionOf(field)] = edit;
        edit->setMinimumWidth(LeastBoxWidth(*edit));
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { edited(field, text); });
        if (field == Field::kTowerC) {
            form->addRow(tower_.given, edit);
        } else {
            auto* label = new QLabel(tr(kFieldLabels[PositionOf(field)].text), group);
            label->setBuddy(edit);
            form->addRow(label, edit);
        }
    }
    const auto chooseSource = [this] {
        const TowerSource source =
            tower_.given->isChecked() ? TowerSource::kGiven : TowerSource::kThroughDesignPoint;
        box(Field::kTowerC)->setEnabled(source == TowerSource::kGiven);
        model_.setTowerSource(source);
    };
    connect(tower_.throughDesignPoint, &QRadioButton::toggled, this, chooseSource);
    layout()->addWidget(group);
}

void InputPanel::buildOperatingPoint() {
    auto* group = new QGroupBox(tr("Operating point"), this);
    group->setObjectName(QStringLiteral("operatingPoint"));
    auto* form = new QFormLayout(group);
    const auto value = [group](const char* name) {
        auto* label = new QLabel(group);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    operating_.towerC = value("towerC");
    operating_.approach = value("operatingApproach");
    operating_.coldWater = value("operatingColdWater");
    operating_.kaVL = value("operatingKaVL");
    operating_.note = value("operatingNote");
    operating_.note->setWordWrap(true);
    form->addRow(tr("Tower C"), operating_.towerC);
    form->addRow(tr("Approach"), operating_.approach);
    form->addRow(tr("Cold water"), operating_.coldWater);
    form->addRow(tr("KaV/L"), operating_.kaVL);
    form->addRow(operating_.note);
    layout()->addWidget(group);
}

void InputPanel::showModelValues() {
    for (const Field field : AllFields()) {
        box(field)->setText(BoxText(model_.value(field), quantityOf(field), units_, locale_));
    }
    const bool given = model_.towerSource() == TowerSource::kGiven;
    (given ? tower_.given : tower_.throughDesignPoint)->setChecked(true);
    box(Field::kTowerC)->setEnabled(given);
    showMarks();
}

QString InputPanel::unitShown(Field field) const {
    const std::optional<Input> input = InputOf(field);
    return input ? units_labels_[static_cast<std::size_t>(*input)]->text() : QString();
}

void InputPanel::showUnits() {
    for (const Input input : kAllInputs) {
        units_labels_[static_cast<std::size_t>(input)]->setText(units_.unit(QuantityOf(input)));
    }
    for (const Field field : AllFields()) {
        if (!model_.problem(field).isEmpty()) continue;
        box(field)->setText(BoxText(model_.value(field), quantityOf(field), units_, locale_));
    }
    showOperatingPoint();
}

void InputPanel::edited(Field field, const QString& text) {
    const std::variant<float, QString> read = ReadBox(text, quantityOf(field), units_, locale_);
    if (const auto* reason = std::get_if<QString>(&read)) {
        model_.setProblem(field, *reason);
    } else {
        model_.setValue(field, std::get<float>(read));
    }
}

void InputPanel::showMarks() {
    for (const Field field : AllFields()) {
        QLineEdit* edit = box(field);
        const QString& problem = model_.problem(field);
        edit->setStyleSheet(problem.isEmpty() ? QString() : kMarkedStyle);
        edit->setToolTip(problem.isEmpty() ? QString()
                                           : PerformanceModel::FieldName(field) + u' ' + problem);
    }
}

void InputPanel::showOperatingPoint() {
    const Calculation& c = model_.calculation();
    const auto text = [this](float value, Quantity quantity) {
        QString shown = ResultBoxText(value, quantity, units_, locale_);
        const QString unit = units_.unit(quantity);
        return unit.isEmpty() ? shown : shown + u' ' + unit;
    };
    operating_.towerC->setText(c.tower ? text(c.tower->c, Quantity::kDimensionless) : QString());
    if (const std::optional<OperatingPoint>& point = c.chart.operatingPoint) {
        operating_.approach->setText(text(point->approach, Quantity::kTemperatureDifference));
        operating_.coldWater->setText(text(point->coldWater, Quantity::kTemperature));
        operating_.kaVL->setText(text(point->kaVL, Quantity::kDimensionless));
        operating_.note->clear();
        return;
    }
    operating_.approach->clear();
    operating_.coldWater->clear();
    operating_.kaVL->clear();
    operating_.note->setText(
        c.tower ? tr("No operating point: ") + desktop::FromUtf8(c.chart.noOperatingPoint)
                : tr("No tower through the design point: the design's KaV/L is no "
                     "demand"));
}

}  // namespace veltrane::performance
