#include "report_timestamp.h"

namespace veltrane {
namespace {

constexpr char16_t kUsEnglishFormat[] = u"M/d/yyyy h:mm:ss AP";
constexpr QChar kQuote = u'\'';

// Copies a quoted literal of a date-time format, quotes included, from `format` at `pos`.
qsizetype CopyQuoted(const QString& format, qsizetype pos, QString& out) {
    qsizetype end = format.indexOf(kQuote, pos + 1);
    if (end < 0) end = format.size() - 1;
    out += format.mid(pos, end - pos + 1);
    return end + 1;
}

// Rewrites every field of a date-time format with `rewrite(letter, field)`, leaving quoted
// literals and separators as they are.
template <typename Rewrite>
QString RewriteFields(const QString& format, Rewrite rewrite) {
    QString out;
    qsizetype pos = 0;
    while (pos < format.size()) {
        const QChar c = format[pos];
        if (c == kQuote) {
            pos = CopyQuoted(format, pos, out);
            continue;
        }
        qsizetype end = pos + 1;
        while (end < format.size() && format[end] == c)
            ++end;
        const QString field = format.mid(pos, end - pos);
        out += c.isLetter() ? rewrite(c, field) : field;
        pos = end;
    }
    return out;
}

QString FourDigitYear(const QString& dateFormat) {
    return RewriteFields(dateFormat, [](QChar letter, const QString& field) {
        return letter == u'y' ? QStringLiteral("yyyy") : field;
    });
}

// Removes what the time zone leaves behind at the end of a time format: spaces, a comma, empty
// brackets ("HH:mm:ss (t)", "h:mm:ss AP, t", "Bh:mm:ss [t]").
QString WithoutTrailingRemnants(QString format) {
    for (;;) {
        const QString before = format;
        format = format.trimmed();
        if (format.endsWith(u"()") || format.endsWith(u"[]")) format.chop(2);
        if (format.endsWith(u',')) format.chop(1);
        if (format == before) return format;
    }
}

QString WithoutTimeZone(const QString& timeFormat) {
    const QString rewritten = RewriteFields(timeFormat, [](QChar letter, const QString& field) {
        return letter == u't' ? QString() : field;
    });
    return WithoutTrailingRemnants(rewritten);
}

bool IsUsEnglish(const QLocale& locale) {
    return locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates;
}

}  // namespace

QString ReportTimestampFormat(const QLocale& locale) {
    if (IsUsEnglish(locale)) return QString::fromUtf16(kUsEnglishFormat);
    return FourDigitYear(locale.dateFormat(QLocale::ShortFormat)) + u' ' +
           WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString ReportTimestamp(const QDateTime& moment, const QLocale& locale) {
    return locale.toString(moment, ReportTimestampFormat(locale));
}

}  // namespace veltrane
