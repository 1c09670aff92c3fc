#include "stats/stddev.h"

#include "common/numberrule.h"
#include "common/reportnum.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const char* const kRangeTemplate = "“请填入一个在%1和%2之间的数字。”";
const char* const kNotPositive = "砼试件强度应大于零。";
const char* const kTooFew = "规范要求砼试件强度数据不少于25组。";

std::string Replace(std::string text, const std::string& key, const std::string& with)
{
    const size_t at = text.find(key);
    if (at != std::string::npos)
        text.replace(at, key.size(), with);
    return text;
}

// The bounds appear as the float box would show them.
std::string RangeText()
{
    const std::string low = FormatGeneral(0.0, 6);
    const std::string high = FormatGeneral(static_cast<double>(kStrengthMax), 6);
    return Replace(Replace(kRangeTemplate, "%1", low), "%2", high);
}

} // namespace

StrengthEntry ReadStrengthBox(const std::string& text)
{
    StrengthEntry entry;
    // A number beyond the float range counts as no number at all.
    const std::optional<double> number = ReadNumberBox(text, NumberBoxType::Float);
    if (!number) {
        entry.check = StrengthCheck::NotANumber;
        entry.focusBox = true;
        entry.notice = NotANumberMessage();
        return entry;
    }

    // Everything from here on looks at the single-precision value: 500.00001
    // narrows to 500 and passes, 1e-50 narrows to 0 and is refused as zero.
    entry.value = static_cast<float>(*number);
    if (entry.value < 0.0f || entry.value > kStrengthMax) {
        entry.check = StrengthCheck::OutOfRange;
        entry.focusBox = true;
        entry.notice = { MessageKind::Stop, RangeText(), MessageSource::Input };
        return entry;
    }
    if (!(entry.value > 0.0f)) {
        entry.check = StrengthCheck::NotPositive;
        entry.notice = { MessageKind::Stop, kNotPositive };
        return entry;
    }
    entry.check = StrengthCheck::Accepted;
    return entry;
}

std::string StrengthRowText(float value)
{
    return FormatFixed(static_cast<double>(value), 2, 5);
}

std::string StrengthBoxText(float value)
{
    return FormatGeneral(static_cast<double>(value), 6);
}

std::string SigmaBoxText(double sigma)
{
    return FormatGeneral(sigma, 15);
}

std::string CountBoxText(int count)
{
    return std::to_string(count);
}

double SampleStdDev(const std::vector<double>& strengths)
{
    const size_t n = strengths.size();
    if (n < 2)
        return 0.0;
    for (double x : strengths) {
        if (!std::isfinite(x))
            return std::numeric_limits<double>::quiet_NaN();
    }

    // Summing in sorted order makes the result a function of the values alone:
    // rows added, deleted and added again in any order give the same σ to the
    // last bit, not merely after rounding.
    std::vector<double> v(strengths);
    std::sort(v.begin(), v.end());

    // Deviations are taken from the median, so equal values give exact zeros
    // and the sums stay small. Two passes: no sum of squares of the raw values
    // minus a square of their sum, which cancels to noise or below zero when
    // the values lie close together.
    const double centre = v[n / 2];
    double sum = 0;
    for (double x : v)
        sum += x - centre;
    const double mean = sum / static_cast<double>(n);

    double sumSq = 0;
    double residual = 0; // what the rounded mean left over; zero in exact arithmetic
    for (double x : v) {
        const double d = (x - centre) - mean;
        sumSq += d * d;
        residual += d;
    }
    sumSq -= residual * residual / static_cast<double>(n);
    if (sumSq <= 0)
        return 0.0;
    return std::sqrt(sumSq / static_cast<double>(n - 1));
}

double RoundSigma(double sigma)
{
    // Half up on the scaled value, then back by multiplying with the step.
    // σ is never negative, so the integer part is the floor.
    return std::trunc(sigma * 100.0 + 0.5) * 0.01;
}

StdDevOutcome ComputeStdDev(const std::vector<double>& strengths, double shownSigma)
{
    StdDevOutcome out;
    out.count = static_cast<int>(strengths.size());
    out.sigma = shownSigma;
    if (strengths.size() < static_cast<size_t>(kStdDevMinCount)) {
        out.messages.push_back({ MessageKind::Stop, kTooFew });
        out.stopped = true;
        return out;
    }
    out.sigma = RoundSigma(SampleStdDev(strengths));
    return out;
}
