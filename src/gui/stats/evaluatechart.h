#pragma once

#include <QChartView>
#include <QStringList>

#include <optional>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// The group values of the evaluation form in their order, one point a
// group, with a line at fcu,k and one at the bound fcu,min must reach, so a
// group below it stands out in red.
class CEvaluateChart : public QChartView
{
    Q_OBJECT

public:
    explicit CEvaluateChart(QWidget* parent);

    // Values in MPa by group number (1-based); none for an invalid group.
    // The bound is none until an evaluation has set it.
    void setData(const std::vector<std::optional<double>>& values, double fcuK,
        std::optional<double> minLimit);

    // Without a valid size factor there are no values to draw: the title says so.
    void setFactorValid(bool valid);

    // What is drawn, for tests: the points above and below the bound, the
    // value axis and the names the legend shows.
    int pointCount() const;
    QValueAxis* valueAxis() const { return m_pAxisY; }
    QStringList legendNames() const;
    int pointsBelowLimit() const;
    bool showsLimit() const;

private:
    void show(QXYSeries* series, bool shown);

    QScatterSeries* m_pValues = nullptr;
    QScatterSeries* m_pBelow = nullptr;
    QLineSeries* m_pFcuK = nullptr;
    QLineSeries* m_pLimit = nullptr;
    QValueAxis* m_pAxisX = nullptr;
    QValueAxis* m_pAxisY = nullptr;
};
