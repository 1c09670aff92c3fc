#include "materials/materialfill.h"

#include <cmath>

QString ShiftDecimal(const QString& text, int shift)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    const int point = t.indexOf(QLatin1Char('.'));
    QString digits = point < 0 ? t : t.left(point) + t.mid(point + 1);
    int whole = point < 0 ? static_cast<int>(t.size()) : point;
    if (digits.isEmpty())
        return {};
    for (QChar c : digits)
        if (!c.isDigit())
            return {};
    whole += shift;
    while (whole > digits.size())
        digits += QLatin1Char('0');
    while (whole < 1) {
        digits.prepend(QLatin1Char('0'));
        ++whole;
    }
    QString intPart = digits.left(whole);
    QString fraction = digits.mid(whole);
    while (intPart.size() > 1 && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    // Zeros the shift put behind the point say nothing; those typed stay
    // unless the point moved over them.
    if (shift != 0)
        while (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
    QString out = fraction.isEmpty() ? intPart : intPart + QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + out : out;
}

namespace MaterialValue {

MaterialFill::Value Field(std::string MaterialValues::*member, int shift)
{
    return [member, shift](const BatchChoice& c) {
        return ShiftDecimal(QString::fromStdString(c.effective.*member), shift);
    };
}

MaterialFill::Value Variety()
{
    return [](const BatchChoice& c) { return QString::fromStdString(c.material.variety); };
}

MaterialFill::Value Variety(std::map<std::string, std::string> names)
{
    return [names = std::move(names)](const BatchChoice& c) {
        const auto it = names.find(c.material.variety);
        return it == names.end() ? QString() : QString::fromStdString(it->second);
    };
}

MaterialFill::Value Grade()
{
    return [](const BatchChoice& c) { return QString::fromStdString(c.material.grade); };
}

MaterialFill::Value Moisture()
{
    return [](const BatchChoice& c) {
        return ShiftDecimal(QString::fromStdString(c.batch.moisture), 0);
    };
}

MaterialFill::Value StrengthRatio()
{
    return [](const BatchChoice& c) {
        bool strengthOk = false, gradeOk = false;
        const double strength
            = QString::fromStdString(c.effective.strength28).toDouble(&strengthOk);
        const double grade = QString::fromStdString(c.material.grade).toDouble(&gradeOk);
        if (!strengthOk || !gradeOk || grade <= 0 || strength <= 0)
            return QString();
        return QString::number(std::round(strength / grade * 100) / 100, 'f', 2);
    };
}

} // namespace MaterialValue
