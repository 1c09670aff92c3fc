#include "documents/documentoutput.h"

#include "documents/noticelayout.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace {

QString Html(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString Row(const QStringList& cells, bool head = false)
{
    QString html = QStringLiteral("<tr>");
    for (const QString& c : cells)
        html += (head ? QStringLiteral("<th>") : QStringLiteral("<td>")) + Html(c)
            + (head ? QStringLiteral("</th>") : QStringLiteral("</td>"));
    return html + QStringLiteral("</tr>");
}

const char* const kTable
    = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">";

QString Header(DocumentKind kind, const DocumentData& d)
{
    QString html = QStringLiteral("<h2 align=\"center\">") + Html(d.labName)
        + QStringLiteral("</h2><h1 align=\"center\">") + Html(DocumentTitle(kind))
        + QStringLiteral("</h1>");
    if (d.draft)
        html += QStringLiteral("<p align=\"right\">草稿</p>");
    html += QString::fromUtf8(kTable);
    html += Row({ QStringLiteral("通知单编号"), d.noticeNumber, QStringLiteral("配合比编号"),
        d.designNumber });
    html += Row({ QStringLiteral("委托单位"), d.client, QStringLiteral("工程名称"), d.project });
    html += Row({ QStringLiteral("施工部位"), d.part, QStringLiteral("浇筑方式"), d.placing });
    html += Row(
        { QStringLiteral("强度等级"), d.grade, QStringLiteral("抗渗等级"), d.impermeability });
    html += Row(
        { QStringLiteral("坍落度/扩展度"), d.slump, QStringLiteral("水胶比"), d.waterBinder });
    html += Row({ QStringLiteral("砂率"), d.sandRatio, QStringLiteral("配合比类型"), d.kindName });
    return html + QStringLiteral("</table>");
}

QString MaterialTable(const DocumentData& d, bool withBatches)
{
    QString html = QString::fromUtf8(kTable);
    QStringList head
        = { QStringLiteral("材料"), QStringLiteral("品种规格"), QStringLiteral("产地") };
    if (withBatches)
        head << QStringLiteral("批号") << QStringLiteral("检验报告编号")
             << QStringLiteral("检验值");
    head << QStringLiteral("用量 kg/m³") << QStringLiteral("配合比");
    if (d.siteMix)
        head << QStringLiteral("含水率 %") << QStringLiteral("施工用量 kg/m³");
    html += Row(head, true);
    for (const DocumentMaterial& m : d.materials) {
        QStringList cells = { m.role, m.specText, m.origin };
        if (withBatches)
            cells << m.batchNo << m.reportNo
                  << (m.values.isEmpty() ? QString::fromUtf8(kMissing)
                                         : m.values.join(QLatin1Char('\n')));
        cells << m.mass << m.ratio;
        if (d.siteMix)
            cells << m.moisture << m.siteMass;
        html += Row(cells);
    }
    return html + QStringLiteral("</table>");
}

QString NoticeHtml(const DocumentData& d)
{
    QString html
        = Header(DocumentKind::Notice, d) + QStringLiteral("<p></p>") + MaterialTable(d, false);
    html += QString::fromUtf8(kTable);
    html += Row({ QStringLiteral("配合比（胶凝材料：细骨料：粗骨料：水：外加剂）"), d.ratioText });
    html += Row({ QStringLiteral("备注"), d.note });
    html += QStringLiteral("</table><p></p>") + QString::fromUtf8(kTable);
    html += Row({ QStringLiteral("试验"), QString(), QStringLiteral("审核"), QString(),
        QStringLiteral("批准"), QString() });
    html += Row({ QStringLiteral("日期"), d.date });
    return html + QStringLiteral("</table>");
}

QString ReportHtml(const DocumentData& d)
{
    QString html = Header(DocumentKind::Report, d);
    html += QStringLiteral("<h3>一、设计要求</h3><p>")
        + Html(d.requirements.join(QLatin1Char('\n'))) + QStringLiteral("</p>");
    html += QStringLiteral("<h3>二、原材料</h3>") + MaterialTable(d, true);
    html += QStringLiteral("<h3>三、设计配合比（每立方米）</h3>");
    html += QString::fromUtf8(kTable);
    html += Row({ QStringLiteral("水胶比"), d.waterBinder, QStringLiteral("砂率"), d.sandRatio });
    html += Row({ QStringLiteral("配合比"), d.ratioText, QStringLiteral("结论"), d.verdict });
    html += Row({ QStringLiteral("操作人"), d.operatorName, QStringLiteral("计算时间"), d.time });
    html += QStringLiteral("</table>");
    html += QStringLiteral("<h3>四、试配与调整</h3><p>")
        + Html(d.trials.isEmpty() ? QString::fromUtf8(kMissing) : d.trials.join(QLatin1Char('\n')))
        + QStringLiteral("</p>");
    html += QStringLiteral("<h3>附录　计算书</h3><pre>")
        + (d.report.isEmpty() ? QString::fromUtf8(kMissing) : d.report.toHtmlEscaped())
        + QStringLiteral("</pre>");
    return html;
}

QString FileError(const QString& path)
{
    return QStringLiteral("不能写入文件“%1”。").arg(QFileInfo(path).absoluteFilePath());
}

} // namespace

std::unique_ptr<QTextDocument> BuildDocument(DocumentKind kind, const DocumentData& data)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(DocumentFont(10.5));
    doc->setMetaInformation(QTextDocument::DocumentTitle, DocumentTitle(kind));
    doc->setHtml(kind == DocumentKind::Notice ? NoticeHtml(data) : ReportHtml(data));
    return doc;
}

void PreparePrinter(QPrinter* printer, DocumentKind kind, const DocumentData& data)
{
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    const QString title = DocumentTitle(kind) + QLatin1Char(' ') + data.designNumber;
    printer->setDocName(title);
    printer->setCreator(QStringLiteral("Qoru"));
}

bool PrintDocument(QPrinter* printer, DocumentKind kind, const DocumentData& data)
{
    if (kind == DocumentKind::Report) {
        auto doc = BuildDocument(kind, data);
        printer->setFullPage(false);
        printer->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        doc->print(printer);
        return printer->printerState() != QPrinter::Error;
    }
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    PaintNotice(painter, LayOutNotice(data, printer));
    return painter.end();
}

bool WriteDocumentPdf(
    DocumentKind kind, const DocumentData& data, const QString& path, QString* error)
{
    {
        // The printer says nothing of a file it could not make: try it first.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            *error = FileError(path);
            return false;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PreparePrinter(&printer, kind, data);
    if (!PrintDocument(&printer, kind, data) || !QFileInfo(path).isFile()) {
        *error = FileError(path);
        return false;
    }
    return true;
}

bool WriteDocumentOdt(
    DocumentKind kind, const DocumentData& data, const QString& path, QString* error)
{
    auto doc = BuildDocument(kind, data);
    QTextDocumentWriter writer(path, "odf");
    if (!writer.write(doc.get())) {
        *error = FileError(path);
        return false;
    }
    return true;
}

void PreviewDocument(
    QPrinter* printer, DocumentKind kind, const DocumentData& data, int pages, QWidget* parent)
{
    PreparePrinter(printer, kind, data);
    QPrintPreviewDialog dialog(printer, parent);
    dialog.setWindowTitle(DocumentTitle(kind));
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
        view->setViewMode(pages == 2 ? QPrintPreviewWidget::FacingPagesView
                                     : QPrintPreviewWidget::SinglePageView);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [kind, &data](QPrinter* p) { PrintDocument(p, kind, data); });
    dialog.exec();
}
