#pragma once
// Helpers of the report tests: a surface that records what it is asked, a stand-in for the
// window, and the report of the default design as it must read.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "design_sets.h"
#include "performance.h"
#include "printer_surface.h"
#include "report_lines.h"
#include "report_printer.h"
#include "result_text.h"

namespace veltrane::testing {

inline QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Records every call; each finished document as lines of text laid out by column.
class RecordingSurface : public PrinterSurface {
  public:
    QStringList calls;             ///< every call in order, e.g. "size 10", "end document"
    QList<QStringList> documents;  ///< the lines of each ended document
    bool failEverything = false;   ///< every call throws, as a printer that is gone

    void SetBold(bool on) override { Record(QStringLiteral("bold %1").arg(on)); }
    void SetItalic(bool on) override { Record(QStringLiteral("italic %1").arg(on)); }
    void SetUnderline(bool on) override { Record(QStringLiteral("underline %1").arg(on)); }
    void SetSize(double points) override { Record(QStringLiteral("size %1").arg(points)); }
    void SetName(const QString& family) override { Record(QStringLiteral("name ") + family); }

    void PrintItem(int column, const QString& text, LineEnd end) override {
        Record(QStringLiteral("item %1 %2").arg(column).arg(text));
        QString& line = openLine_;
        if (line.size() < column - 1) line = line.leftJustified(column - 1, u' ');
        line += text;
        if (end == LineEnd::kEndLine) {
            openDocument_.append(line);
            line.clear();
        }
    }

    void EndDocument() override {
        Record(QStringLiteral("end document"));
        documents.append(openDocument_);
        openDocument_.clear();
    }

  private:
    void Record(const QString& call) {
        if (failEverything) throw std::runtime_error("printer gone");
        calls.append(call);
    }

    QString openLine_;
    QStringList openDocument_;
};

/// The window as far as the report goes: boxes that hold texts, and a recalculation that reads
/// the inputs as the window does (a text that does not convert counts as 0).
class FakeWindow : public ReportSource {
  public:
    QStringList identificationTexts{QString(), QString(), QString()};
    QStringList inputTexts;
    QStringList resultTexts;
    int recalculations = 0;
    bool failRecalculation = false;

    FakeWindow() {
        for (const InputDefinition& input : kInputs)
            inputTexts.append(FromView(input.defaultText));
        for (std::size_t j = 0; j < kResultCount; ++j)
            resultTexts.append(QString());
    }

    void RecalculateResults() override {
        ++recalculations;
        if (failRecalculation) throw std::runtime_error("calculation failed");
        const PerformanceResults results = CalculatePerformance(ReadInputs());
        for (const Result j : kAllResults)
            resultTexts[static_cast<qsizetype>(PositionOf(j))] =
                QString::fromStdString(results.Text(j));
    }

    ReportGroups ReadGroups() const override {
        ReportGroups groups;
        for (const IdentificationDefinition& id : kIdentification)
            groups.identification.append(
                {FromView(id.caption), TextOf(identificationTexts, id.index)});
        for (const InputDefinition& input : kInputs)
            groups.inputs.append(
                {FromView(input.caption), TextOf(inputTexts, PositionOf(input.index))});
        for (const ResultDefinition& result : kResults)
            groups.results.append(
                {FromView(result.caption), TextOf(resultTexts, PositionOf(result.index))});
        return groups;
    }

  private:
    static QString TextOf(const QStringList& texts, std::size_t index) {
        return texts.value(static_cast<qsizetype>(index));
    }

    DesignInputs ReadInputs() const {
        DesignInputs inputs{};
        for (const Input i : kAllInputs) {
            bool ok = false;
            const float value = QLocale().toFloat(TextOf(inputTexts, PositionOf(i)), &ok);
            inputs[i] = ok ? value : 0.0f;
        }
        return inputs;
    }
};

/// A line with `text` at column 10.
inline QString TextAt10(const QString& text) {
    return QString(9, u' ') + text;
}

/// A caption at column 10 and its value at column 50.
inline QString Row(const char* caption, const char* value) {
    return TextAt10(QString::fromLatin1(caption).leftJustified(40, u' ') +
                    QString::fromLatin1(value));
}

/// The report of the default design with empty identification boxes, line by line as printed.
inline QStringList DefaultReport(const QString& timestamp) {
    const QString blank = TextAt10(QStringLiteral(" "));
    const QString rule = TextAt10(QString(60, u'='));
    QStringList lines{blank,
                      blank,
                      blank,
                      blank,
                      blank,
                      TextAt10(QStringLiteral(".... Cooling Tower Performance ..... ") + timestamp),
                      rule,
                      blank,
                      TextAt10(QStringLiteral("*** RUN IDENTIFICATION ***")),
                      blank,
                      TextAt10(QStringLiteral("Project Name")),
                      TextAt10(QStringLiteral("System")),
                      TextAt10(QStringLiteral("Run Number")),
                      blank,
                      TextAt10(QStringLiteral("*** COOLING TOWER DESIGN INPUTS ***")),
                      blank};
    lines << Row("Atmos Press (psia)", "14.7") << Row("Inlet Air Wet Bulb Temp (F)", "65")
          << Row("Inlet Air Dry Bulb Temp (F)", "85") << Row("Hot Water Temp (F)", "105")
          << Row("Approach = TCold-Twb (F)", "13") << Row("Liquid/Gas Ratio (lb/lb)", "1")
          << Row("Circulating Water Flow (gpm)", "1000") << Row("Blowdown Cycles of Conc", "3")
          << Row("Drift Loss (%)", ".001") << Row("Makeup Water Temp (F)", "60")
          << Row("Fan Total Press (inH2O)", "0.5") << Row("Fan Efficency (%)", "75");
    lines << blank << rule << blank
          << TextAt10(QStringLiteral("*** RESULTS, TOWER CALCULATIONS ***")) << blank;
    lines << Row("Number Transf Units (KAV/L)", "1.8324") << Row("Cold Water Out Temp (F)", "78.")
          << Row("Temp Rise = THot-TCold (F)", "27.") << Row("Water Evap Rate (gpm)", "23.724")
          << Row("Blowdown Rate (gpm)", "11.852") << Row("Driftloss Rate (gpm)", ".01")
          << Row("Total Makeup Reqd (gpm)", "35.586") << Row("Exit Air Temp Sat (F)", "90.625")
          << Row("Heat Rejected (mmBtu/Hr)", "13.5") << Row("Dry Air Flow (klb/HR)", "500.")
          << Row("Enthalpy Air In (Btu/lb)", "29.84") << Row("Enthalpy Air Out (Btu/lb)", "56.84")
          << Row("Specific Vol Exit Air (cf/lb)", "14.586")
          << Row("Sat Exit Air Flow (1000 cfm)", "121.55") << Row("Approx Fan Power (hp)", "12.749")
          << Row("Approx Pump Power (hp)", "12.");
    lines << blank << blank << blank << blank;
    return lines;
}

/// A fixed moment for tests: 14 March 1999, 14:05:09 local time.
inline QDateTime PiDay() {
    return QDateTime(QDate(1999, 3, 14), QTime(14, 5, 9));
}

}  // namespace veltrane::testing
