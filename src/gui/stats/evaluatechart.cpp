#include "stats/evaluatechart.h"

#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// 1, 2, 5, 10, 20, 50, ...: the least of them that gives at most `most` steps.
double NiceStep(double span, int most)
{
    double step = 1;
    for (int i = 0; span / step > most; ++i)
        step *= (i % 3 == 1) ? 2.5 : 2;
    return step;
}

} // namespace

// A view made without a chart makes one of its own, which setChart() would
// release without deleting; so the chart comes with the constructor.
CEvaluateChart::CEvaluateChart(QWidget* parent)
    : QChartView(new QChart, parent)
{
    QChart* chart = this->chart();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    QFont small = font();
    small.setPointSize(9);
    chart->setFont(small);
    chart->legend()->setFont(small);
    chart->legend()->setAlignment(Qt::AlignBottom);

    m_pValues = new QScatterSeries;
    m_pValues->setName(QStringLiteral("强度代表值"));
    m_pValues->setMarkerSize(7);
    m_pValues->setColor(QColor(20, 60, 200));
    m_pValues->setBorderColor(QColor(20, 60, 200));
    m_pBelow = new QScatterSeries;
    m_pBelow->setName(QStringLiteral("低于fcu,min限值"));
    m_pBelow->setMarkerSize(9);
    m_pBelow->setColor(QColor(210, 20, 20));
    m_pBelow->setBorderColor(QColor(210, 20, 20));
    m_pFcuK = new QLineSeries;
    m_pFcuK->setName(QStringLiteral("fcu,k"));
    m_pFcuK->setPen(QPen(QColor(0, 140, 0), 1.5));
    m_pLimit = new QLineSeries;
    m_pLimit->setName(QStringLiteral("fcu,min限值"));
    m_pLimit->setPen(QPen(QColor(210, 20, 20), 1.5, Qt::DashLine));

    m_pAxisX = new QValueAxis;
    m_pAxisX->setTitleText(QStringLiteral("组号"));
    m_pAxisX->setLabelFormat(QStringLiteral("%d"));
    m_pAxisX->setTickType(QValueAxis::TicksDynamic);
    m_pAxisX->setTickAnchor(0);
    m_pAxisY = new QValueAxis;
    m_pAxisY->setTitleText(QStringLiteral("强度（MPa）"));
    m_pAxisY->setLabelFormat(QStringLiteral("%.0f"));
    m_pAxisY->setTickType(QValueAxis::TicksDynamic);
    for (QValueAxis* axis : { m_pAxisX, m_pAxisY }) {
        axis->setLabelsFont(small);
        axis->setTitleFont(small);
    }
    chart->addAxis(m_pAxisX, Qt::AlignBottom);
    chart->addAxis(m_pAxisY, Qt::AlignLeft);
    for (QXYSeries* series :
        std::initializer_list<QXYSeries*> { m_pFcuK, m_pLimit, m_pValues, m_pBelow }) {
        chart->addSeries(series);
        series->attachAxis(m_pAxisX);
        series->attachAxis(m_pAxisY);
    }
    setRenderHint(QPainter::Antialiasing);
    setData({}, 30, std::nullopt);
}

void CEvaluateChart::setData(
    const std::vector<std::optional<double>>& values, double fcuK, std::optional<double> minLimit)
{
    QList<QPointF> above, below;
    double low = minLimit ? std::min(fcuK, *minLimit) : fcuK;
    double high = fcuK;
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        const double v = *values[i];
        (minLimit && v < *minLimit ? below : above).append(QPointF(double(i + 1), v));
        low = std::min(low, v);
        high = std::max(high, v);
    }
    m_pValues->replace(above);
    m_pBelow->replace(below);

    const double right = std::max<double>(double(values.size()) + 1, 10);
    m_pFcuK->replace({ QPointF(0, fcuK), QPointF(right, fcuK) });
    if (minLimit)
        m_pLimit->replace({ QPointF(0, *minLimit), QPointF(right, *minLimit) });
    else
        m_pLimit->clear();
    // The legend names only what is drawn.
    show(m_pLimit, minLimit.has_value());
    show(m_pBelow, !below.isEmpty());
    show(m_pValues, !above.isEmpty());

    m_pAxisX->setRange(0, right);
    m_pAxisX->setTickInterval(NiceStep(right, 10));
    if (high - low < 10) { // a few MPa either side, so an even batch does not look scattered
        const double pad = (10 - (high - low)) / 2;
        low = std::max(0.0, low - pad);
        high += pad;
    }
    // Round ticks from just below the least value (never below 0) to just
    // above the greatest: an outlier widens the axis, it does not push it negative.
    const double stepY = NiceStep(high - low, 6);
    double bottom = std::floor(low / stepY) * stepY;
    if (bottom >= low)
        bottom -= stepY;
    double top = std::ceil(high / stepY) * stepY;
    if (top <= high)
        top += stepY;
    m_pAxisY->setRange(std::max(0.0, bottom), top);
    m_pAxisY->setTickAnchor(0);
    m_pAxisY->setTickInterval(stepY);
}

void CEvaluateChart::setFactorValid(bool valid)
{
    chart()->setTitle(valid ? QString() : QStringLiteral("尺寸折算系数无效，不显示代表值"));
}

QStringList CEvaluateChart::legendNames() const
{
    QStringList names;
    for (QAbstractSeries* series : chart()->series())
        names << series->name();
    return names;
}

void CEvaluateChart::show(QXYSeries* series, bool shown)
{
    if (chart()->series().contains(series) == shown)
        return;
    if (shown) {
        chart()->addSeries(series);
        series->attachAxis(m_pAxisX);
        series->attachAxis(m_pAxisY);
    } else {
        chart()->removeSeries(series);
        series->setParent(this); // kept for later, and freed with the chart
    }
}

int CEvaluateChart::pointCount() const
{
    return static_cast<int>(m_pValues->count() + m_pBelow->count());
}

int CEvaluateChart::pointsBelowLimit() const
{
    return static_cast<int>(m_pBelow->count());
}

bool CEvaluateChart::showsLimit() const
{
    return m_pLimit->count() > 0;
}
