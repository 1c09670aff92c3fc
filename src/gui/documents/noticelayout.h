#pragma once

#include "documents/documentdata.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;

// The Song face the documents print in: SimSun, AR PL UMing or Noto Serif
// CJK SC, the first one installed (never a Kai face, whatever the fallback).
QString DocumentFontFamily();
QFont DocumentFont(double pointSize);

struct NoticeCell
{
    QRectF rect; // device pixels, from the page's top-left corner
    QString text;
    int flags = 0; // Qt::Alignment | Qt::TextWordWrap
    bool bordered = true;
    bool heading = false; // the lab's name and the title, larger
};

// The 配合比通知单 laid out on one page of `device` (A4 at its resolution):
// rows grow to hold their wrapped text, so nothing is clipped.
struct NoticeLayout
{
    std::vector<NoticeCell> cells;
    QRectF page; // the area the cells may take
    QFont bodyFont;
    QFont headingFont;
};

NoticeLayout LayOutNotice(const DocumentData& data, QPaintDevice* device);
void PaintNotice(QPainter& painter, const NoticeLayout& layout);
