#include "performance_model.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <QSignalSpy>

#include <cstdio>
#include <string>

namespace veltrane::performance {
namespace {

std::string Four(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", static_cast<double>(value));
    return text;
}

TEST(PerformanceModel, shouldRateTheDefaultsAgainstATowerThroughTheirDesignPoint) {
    const PerformanceModel model;
    const Calculation& c = model.calculation();
    ASSERT_TRUE(c.tower);
    EXPECT_EQ(Four(c.tower->c), "1.832");  // the design's KaV/L at L/G 1
    ASSERT_TRUE(c.chart.operatingPoint);
    EXPECT_EQ(Four(c.chart.operatingPoint->approach), "13");
    EXPECT_EQ(Four(c.chart.operatingPoint->coldWater), "78");
    EXPECT_EQ(model.status(), QStringLiteral("Calculated"));
}

TEST(PerformanceModel, shouldMoveTheOperatingPointAsAnInputChanges) {
    PerformanceModel model;
    QSignalSpy calculated(&model, &PerformanceModel::calculated);
    model.setTowerSource(TowerSource::kGiven);
    ASSERT_TRUE(model.setValue(Field::kTowerM, 0.75F).isEmpty());
    // The chart's own label for this tower: "10.82 °F approach, cold water 75.82 °F".
    ASSERT_TRUE(model.calculation().chart.operatingPoint);
    EXPECT_EQ(Four(model.calculation().chart.operatingPoint->approach), "10.82");
    EXPECT_EQ(Four(model.calculation().chart.operatingPoint->coldWater), "75.82");
    EXPECT_TRUE(model.setValue(FieldOf(Input::kWetBulb), 70.0F).isEmpty());
    // As veltrane-calc --tower 2.3:0.75 rates the row Twb 70, THot 105: 77.973.
    EXPECT_EQ(Four(model.calculation().chart.operatingPoint->coldWater), "77.97");
    EXPECT_EQ(calculated.count(), 3);
    // The same value again is no change.
    model.setValue(FieldOf(Input::kWetBulb), 70.0F);
    EXPECT_EQ(calculated.count(), 3);
}

TEST(PerformanceModel, shouldKeepTheLastGoodCalculationWhileAFieldIsMarked) {
    PerformanceModel model;
    model.setValue(FieldOf(Input::kWetBulb), 70.0F);
    const DesignInputs good = model.calculation().inputs;
    QSignalSpy calculated(&model, &PerformanceModel::calculated);

    model.setProblem(FieldOf(Input::kDryBulb), QStringLiteral("is empty"));
    model.setValue(FieldOf(Input::kWetBulb), 60.0F);  // taken, but not calculated yet
    EXPECT_EQ(calculated.count(), 0);
    EXPECT_EQ(model.calculation().inputs, good);
    EXPECT_EQ(model.status(), QStringLiteral("Inlet Air Dry Bulb Temp is empty; the results are "
                                             "those of the last usable inputs."));

    model.setValue(FieldOf(Input::kDryBulb), 80.0F);
    EXPECT_EQ(calculated.count(), 1);
    EXPECT_EQ(model.calculation().inputs[Input::kWetBulb], 60.0F);
    EXPECT_EQ(model.calculation().inputs[Input::kDryBulb], 80.0F);
    EXPECT_FALSE(model.hasProblems());
}

TEST(PerformanceModel, shouldRefuseValuesTheCalculationCannotTake) {
    struct Case {
        Field field;
        float value;
        const char* refusal;  ///< empty: taken
    };
    const Case cases[] = {
        {FieldOf(Input::kLiquidGas), 0.0F, "must be greater than 0"},
        {FieldOf(Input::kLiquidGas), -1.0F, "must be greater than 0"},
        {FieldOf(Input::kLiquidGas), 1e-3F, ""},
        {FieldOf(Input::kAtmosPress), 0.0F, "must be greater than 0"},
        {Field::kTowerC, 0.0F, "must be greater than 0"},
        {Field::kTowerM, -0.1F, "must be 0 or more"},
        {Field::kTowerM, 0.0F, ""},
        {FieldOf(Input::kWetBulb), -40.0F, ""},
    };
    for (const Case& c : cases) {
        PerformanceModel model;
        const DesignInputs before = model.calculation().inputs;
        EXPECT_EQ(model.setValue(c.field, c.value).toStdString(), c.refusal);
        EXPECT_EQ(model.hasProblems(), *c.refusal != '\0');
        if (model.hasProblems()) {
            EXPECT_EQ(model.calculation().inputs, before);
        }
    }
}

TEST(PerformanceModel, shouldSayWhyThereIsNoOperatingPointAndShowNoNumber) {
    struct Case {
        TowerSource source;
        float liquidGas;
        float c;
        const char* status;
    };
    const Case cases[] = {
        // At L/G 2 the default design's air line crosses the saturation curve.
        {TowerSource::kThroughDesignPoint, 2.0F, 2.3F,
         "No tower through the design point: a driving force of the design is zero or negative, "
         "so its KaV/L is no demand"},
        {TowerSource::kGiven, 1.0F, 0.01F, "No operating point: "},
    };
    for (const Case& c : cases) {
        PerformanceModel model;
        model.setTowerSource(c.source);
        model.setValue(Field::kTowerC, c.c);
        model.setValue(FieldOf(Input::kLiquidGas), c.liquidGas);
        EXPECT_FALSE(model.calculation().chart.operatingPoint);
        // After the design's own findings ("KAVL < 0.2" at L/G 2), with the reason.
        const QString status = model.status();
        EXPECT_TRUE(status.contains(QString::fromUtf8(c.status))) << status.toStdString();
        EXPECT_FALSE(status.endsWith(QStringLiteral(": ")));
    }
}

TEST(PerformanceModel, shouldWriteTheWorksheetOfTheDesignAndOfItsRating) {
    PerformanceModel model;
    const QString worksheet = QString::fromStdString(model.worksheet());
    EXPECT_TRUE(worksheet.startsWith(QStringLiteral("Worksheet of the design\n")));
    EXPECT_TRUE(
        worksheet.contains(QStringLiteral("Worksheet of the design rated against the tower")));
    model.setValue(FieldOf(Input::kWetBulb), 66.0F);
    // The inputs block reads the new wet bulb, not the old one.
    const QRegularExpression wetBulbLine(
        QStringLiteral("\n  Inlet Air Wet Bulb Temp \\(F\\) +66\n"));
    EXPECT_TRUE(QString::fromStdString(model.worksheet()).contains(wetBulbLine));
}

}  // namespace
}  // namespace veltrane::performance
