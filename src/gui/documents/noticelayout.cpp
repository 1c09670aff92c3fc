#include "documents/noticelayout.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr double kMarginMm = 18;
constexpr double kRowMm = 8;
constexpr double kPadMm = 1.5;

} // namespace

QString DocumentFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* face : { "SimSun", "宋体", "AR PL UMing CN", "AR PL UMing TW",
             "Noto Serif CJK SC", "Source Han Serif SC" })
        if (installed.contains(QString::fromUtf8(face)))
            return QString::fromUtf8(face);
    return QStringLiteral("SimSun");
}

QFont DocumentFont(double pointSize)
{
    QFont font(DocumentFontFamily());
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::Serif);
    return font;
}

NoticeLayout LayOutNotice(const DocumentData& d, QPaintDevice* device)
{
    NoticeLayout layout;
    const double mm = device->logicalDpiX() / 25.4;
    const double mmY = device->logicalDpiY() / 25.4;
    const double pageW = device->widthMM() * mm;
    const double pageH = device->heightMM() * mmY;
    layout.page = QRectF(
        kMarginMm * mm, kMarginMm * mmY, pageW - 2 * kMarginMm * mm, pageH - 2 * kMarginMm * mmY);
    layout.bodyFont = DocumentFont(10.5);
    layout.headingFont = DocumentFont(16);
    layout.headingFont.setBold(true);
    const QFontMetricsF body(layout.bodyFont, device);
    const QFontMetricsF heading(layout.headingFont, device);
    const double left = layout.page.left();
    const double width = layout.page.width();
    const double pad = kPadMm * mm;
    double y = layout.page.top();

    const int wrapCenter = Qt::AlignCenter | Qt::TextWordWrap;
    const int wrapLeft = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

    // One row of cells over the fractions `widths` of the page width; its
    // height is the tallest wrapped text plus padding, at least one row.
    auto row = [&](const std::vector<std::pair<double, QString>>& cells, int flags,
                   double minMm = kRowMm) {
        double height = minMm * mmY;
        for (const auto& [fraction, text] : cells) {
            const QRectF need
                = body.boundingRect(QRectF(0, 0, fraction * width - 2 * pad, 1e6), flags, text);
            height = std::max(height, need.height() + 2 * pad);
        }
        double x = left;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            // The last cell ends on the right edge, whatever the fractions add up to.
            const double w = i + 1 == cells.size() ? left + width - x : cells[i].first * width;
            layout.cells.push_back({ QRectF(x, y, w, height), cells[i].second, flags });
            x += w;
        }
        y += height;
    };
    auto headingRow = [&](const QString& text) {
        const double h = heading.height() + 2 * pad;
        layout.cells.push_back(
            { QRectF(left, y, width, h), text, int(Qt::AlignCenter), false, true });
        y += h;
    };

    headingRow(d.labName);
    headingRow(DocumentTitle(DocumentKind::Notice));
    if (d.draft) {
        const double h = body.height() + 2 * pad;
        layout.cells.push_back({ QRectF(left, y - h, width, h), QStringLiteral("草稿"),
            int(Qt::AlignRight | Qt::AlignVCenter), false });
    }
    y += 2 * mmY;

    const double a = 0.18, b = 0.32; // label, value: two pairs a row
    auto pairRow = [&](const char* l1, const QString& v1, const char* l2, const QString& v2) {
        row({ { a, QString::fromUtf8(l1) }, { b, v1 }, { a, QString::fromUtf8(l2) }, { b, v2 } },
            wrapCenter);
    };
    auto wideRow = [&](const char* label, const QString& value, int flags) {
        row({ { a, QString::fromUtf8(label) }, { 1 - a, value } }, flags);
    };
    pairRow("通知单编号", d.noticeNumber, "配合比编号", d.designNumber);
    wideRow("委托单位", d.client, wrapCenter);
    wideRow("工程名称", d.project, wrapCenter);
    pairRow("施工部位", d.part, "浇筑方式", d.placing);
    pairRow("强度等级", d.grade, "抗渗等级", d.impermeability);
    pairRow("坍落度/扩展度", d.slump, "水胶比", d.waterBinder);
    pairRow("砂率", d.sandRatio, "配合比类型", d.kindName);

    // The materials: the site mix adds the moisture and the corrected masses.
    std::vector<double> cols = d.siteMix
        ? std::vector<double> { 0.12, 0.22, 0.18, 0.12, 0.10, 0.12, 0.14 }
        : std::vector<double> { 0.14, 0.30, 0.24, 0.16, 0.16 };
    std::vector<QString> head = { QStringLiteral("材料"), QStringLiteral("品种规格"),
        QStringLiteral("产地"), QStringLiteral("用量\nkg/m³"), QStringLiteral("配合比") };
    if (d.siteMix) {
        head.insert(head.begin() + 4, QStringLiteral("含水率\n%"));
        head.push_back(QStringLiteral("施工用量\nkg/m³"));
    }
    auto tableRow = [&](const std::vector<QString>& texts) {
        std::vector<std::pair<double, QString>> cells;
        for (std::size_t i = 0; i < texts.size(); ++i)
            cells.push_back({ cols[i], texts[i] });
        row(cells, wrapCenter);
    };
    tableRow(head);
    for (const DocumentMaterial& m : d.materials) {
        std::vector<QString> texts = { m.role, m.specText, m.origin, m.mass, m.ratio };
        if (d.siteMix) {
            texts.insert(texts.begin() + 4, m.moisture);
            texts.push_back(m.siteMass);
        }
        tableRow(texts);
    }
    wideRow("配合比", QStringLiteral("胶凝材料：细骨料：粗骨料：水：外加剂＝") + d.ratioText,
        wrapCenter);
    row({ { a, QStringLiteral("备注") }, { 1 - a, d.note } }, wrapLeft, 2 * kRowMm);
    const QString blank;
    row({ { 0.12, QStringLiteral("试验") }, { 0.21, blank }, { 0.12, QStringLiteral("审核") },
            { 0.21, blank }, { 0.12, QStringLiteral("批准") }, { 0.22, blank } },
        wrapCenter, 12);
    row({ { 0.12, QStringLiteral("日期") }, { 0.88, d.date } }, wrapLeft);
    return layout;
}

void PaintNotice(QPainter& painter, const NoticeLayout& layout)
{
    const double mm = painter.device()->logicalDpiX() / 25.4;
    QPen pen(Qt::black);
    pen.setWidthF(0.25 * mm);
    painter.setPen(pen);
    for (const NoticeCell& cell : layout.cells) {
        painter.setFont(cell.heading ? layout.headingFont : layout.bodyFont);
        if (cell.bordered)
            painter.drawRect(cell.rect);
        const double pad = kPadMm * mm;
        painter.drawText(cell.rect.adjusted(pad, pad, -pad, -pad), cell.flags, cell.text);
    }
}
