#pragma once

#include "print/pagelayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QTransform>

// A paper-sized paint device that keeps every piece of text drawn on it,
// in device pixels, so tests can say where the page routine put things.
class RecordingDevice : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QFont font;
        QPointF origin; // the baseline's left end, device pixels from the printable corner
        double scale = 1; // device pixels per unit the text was drawn in
    };

    explicit RecordingDevice(const PrinterGeometry& g)
        : m_geometry(g)
        , m_engine(this)
    { }

    QPaintEngine* paintEngine() const override { return &m_engine; }
    QList<Text> texts;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return m_geometry.printableWidth;
        case PdmHeight:
            return m_geometry.printableHeight;
        case PdmWidthMM:
            return m_geometry.printableWidth * 254 / m_geometry.logPixelsX / 10;
        case PdmHeightMM:
            return m_geometry.printableHeight * 254 / m_geometry.logPixelsY / 10;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_geometry.logPixelsX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_geometry.logPixelsY;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return 1 * QPaintDevice::devicePixelRatioFScale();
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(RecordingDevice* device)
            : QPaintEngine(AllFeatures)
            , m_device(device)
        { }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            m_device->texts.append(
                { item.text(), item.font(), m_transform.map(p), m_transform.m22() });
        }

    private:
        RecordingDevice* m_device;
        QTransform m_transform;
    };

    PrinterGeometry m_geometry;
    mutable Engine m_engine;
};
