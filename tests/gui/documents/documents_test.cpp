// The documents of a ledger entry and the ledger's exports, on real store
// files, real PDF and workbook files and the real qoru program.
#include "adjust/adjustdlg.h"
#include "adjust/dialog160.h"
#include "doc/gbkcodec.h"
#include "documents/documentdata.h"
#include "documents/documentfieldsdlg.h"
#include "documents/documentoutput.h"
#include "documents/entryjson.h"
#include "documents/ledgerexport.h"
#include "documents/noticelayout.h"
#include "guitestmain.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/dialog170.h"
#include "ordinary/ordinarydlg.h"
#include "records/documentfields.h"
#include "records/materials.h"
#include "records/recordstore.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testprompter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace {

const char kTrickyName[] = "滨江\"一号\",大桥\n二期";

struct Fixture
{
    QTemporaryDir dir;
    RecordStore store;
    std::int64_t cementBatch = 0;
    std::int64_t sandBatch = 0;

    bool open(const QString& name = QStringLiteral("qoru.sqlite"))
    {
        return dir.isValid() && store.open(dir.filePath(name).toStdString()).ok();
    }
    // A cement and a sand batch of the library, with long names to wrap.
    bool addBatches()
    {
        MaterialLibrary library(store);
        Material cement;
        cement.kind = MaterialKind::Cement;
        cement.name = "海螺 P·O 42.5";
        cement.maker = "安徽海螺水泥股份有限公司芜湖白马山水泥厂";
        cement.variety = "P·O";
        cement.grade = "42.5";
        cement.values.density = "3.10";
        cement.values.strength28 = "48.5";
        Material sand;
        sand.kind = MaterialKind::FineAggregate;
        sand.name = "赣江中砂";
        sand.maker = "江西樟树";
        sand.variety = "河砂";
        sand.values.density = "2650";
        auto c = library.addMaterial(cement);
        auto s = library.addMaterial(sand);
        if (!c || !s)
            return false;
        Batch b;
        b.materialId = *c;
        b.batchNo = "HL-2603";
        b.reportNo = "SN2026-0311";
        auto cb = library.addBatch(b);
        b.materialId = *s;
        b.batchNo = "GJ-0302";
        b.reportNo = "SA2026-0088";
        b.moisture = "3.5";
        auto sb = library.addBatch(b);
        if (!cb || !sb)
            return false;
        cementBatch = *cb;
        sandBatch = *sb;
        return true;
    }
};

// One entry of every kind, as a calculation would record it.
std::vector<NewEntry> EveryKind(std::int64_t cementBatch, std::int64_t sandBatch)
{
    NewEntry mix1;
    mix1.kind = "mix1";
    mix1.time = "2026-03-15 09:30:00";
    mix1.operatorName = "张工";
    mix1.inputsJson = "{}"; // made-up figures: no inputs that would give them
    mix1.grade = "C30";
    mix1.waterBinder = "0.38";
    mix1.figuresJson = R"({"cementMass":330,"flyAshMass":110,"slagMass":55,"sandMass":781,)"
                       R"("coarseMass":825,"waterMass":188,"admixtureMass":4.95,"WB":0.38,)"
                       R"("fcuK":30,"Mca":188.1})";
    mix1.report = "自密实混凝土配合比设计计算书\r\n水胶比 0.38\r\n";
    mix1.project = kTrickyName;
    mix1.part = "承台及墩身（第三联 12#～15# 墩）";
    mix1.note = "泵送施工，到场扩展度不小于 650 mm；冬期施工另行通知。";
    mix1.batches = { { MaterialRole::Cement, cementBatch }, { MaterialRole::Fine, sandBatch } };
    NewEntry mix2 = mix1;
    mix2.kind = "mix2";
    mix2.figuresJson = R"({"cementMass":360,"powder1Mass":90,"powder2Mass":0,"sandMass":790,)"
                       R"("coarseMass":810,"waterMass":175,"WB":0.39,"fcuK":35,)"
                       R"("_powder1Name":"粉煤灰","_passed":true})";
    mix2.grade = "C35";
    mix2.waterBinder = "0.39";
    mix2.project = "城南污水处理厂";
    NewEntry adjust = mix1;
    adjust.kind = "adjust";
    adjust.figuresJson
        = R"({"lab":{"cement":330,"powder1":110,"powder2":55,"sand":781,"coarse":825,"water":188,)"
          R"("admixture":4.95},"site":{"cement":330,"powder1":110,"powder2":55,"sand":808,)"
          R"("coarse":832,"water":154,"admixture":4.95},"ratio":{"wb":0.38}})";
    adjust.verdict = "合格";
    NewEntry evaluate = mix1;
    evaluate.kind = "evaluate";
    evaluate.figuresJson = R"({"groups":[],"n":12,"mean":38.4,"min":33.1,"passed":true})";
    evaluate.verdict = "合格";
    evaluate.batches.clear();
    NewEntry stddev = evaluate;
    stddev.kind = "stddev";
    stddev.figuresJson = R"({"count":30,"sigma":4.25})";
    stddev.report.clear();
    NewEntry ordinary = mix1;
    ordinary.kind = "ordinary";
    ordinary.figuresJson = R"({"cement":"300","flyAsh":"60","slag":"0","sand":"720",)"
                           R"("stone":"1150","water":"180","admixture":"3.60","wb":"0.50",)"
                           R"("sandRatio":"38.5","trials":[]})";
    ordinary.waterBinder = "0.50";
    return { mix1, mix2, adjust, evaluate, stddev, ordinary };
}

QJsonObject Parsed(const std::string& json)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

// What `qoru-calc <args> --json` prints, given `input` on its standard input.
QByteArray CalcJson(QStringList args, const QByteArray& input = {})
{
    QProcess calc;
    calc.start(QStringLiteral(QORU_CALC), args << QStringLiteral("--json"));
    calc.write(input);
    calc.closeWriteChannel();
    return calc.waitForFinished(60000) && calc.exitCode() == 0 ? calc.readAllStandardOutput()
                                                               : QByteArray();
}

// The report a form opened with recorded inputs hands on when 计算 is
// pressed: empty for a press that goes through without one (σ).
template <typename Form> QString Pressed(const std::string& inputsJson, int calc)
{
    Form form(nullptr);
    form.setModal(false);
    form.show();
    QString report = QStringLiteral("(not loaded)");
    if (form.loadJson(inputsJson)) {
        report = QStringLiteral("(not calculated)");
        std::optional<QString> handed;
        QObject::connect(&form, &CCalcForm::reportReady,
            [&handed](const std::string& r) { handed = QString::fromStdString(r); });
        QObject::connect(
            &form, &CCalcForm::calculated, [&] { report = handed.value_or(QString()); });
        form.button(calc)->click();
    }
    form.reject();
    return report;
}

QString ReopenedReport(const std::string& kind, const std::string& inputsJson)
{
    const int mix2Calc = 1071; // the same number as the σ form's IDC_CALC
    if (kind == "mix1")
        return Pressed<CMixDesignDlg>(inputsJson, IDC_CALCULATE);
    if (kind == "mix2")
        return Pressed<CMixDesign2Dlg>(inputsJson, mix2Calc);
    if (kind == "ordinary")
        return Pressed<COrdinaryDlg>(inputsJson, IDC_ORD_CALCULATE);
    if (kind == "adjust")
        return Pressed<CAdjustDlg>(inputsJson, IDC_ADJ_CALCULATE);
    if (kind == "evaluate")
        return Pressed<CEvaluateDlg>(inputsJson, IDC_EVAL_CALC);
    return Pressed<CStdDevDlg>(inputsJson, IDC_CALC);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DocumentsTest : public QObject
{
    Q_OBJECT

private:
    Fixture m_f;
    std::vector<EntryRow> m_rows;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_f.open());
        QVERIFY(m_f.addBatches());
        auto rows
            = DesignLedger(m_f.store).recordEntries(EveryKind(m_f.cementBatch, m_f.sandBatch));
        QVERIFY2(rows.ok(), rows.error().message.c_str());
        m_rows = *rows;
        QVERIFY(DocumentFieldStore(m_f.store).setFields(m_rows[0].id,
            { { kFieldClient, "中铁某局集团第五工程有限公司滨江大桥项目经理部" },
                { kFieldPlacing, "泵送" }, { kFieldImpermeability, "P8" } }));
    }

    // Every field sits inside its cell and the cells on the page, for both
    // design methods and the site mix; what the entry lacks prints "—".
    void noticeFitsItsPage()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        for (int i : { 0, 1, 2 }) {
            DocumentData data;
            QString error;
            QVERIFY(LoadDocumentData(m_f.store, m_rows[std::size_t(i)].id,
                QStringLiteral("某某建设工程质量检测有限公司"), &data, &error));
            const NoticeLayout layout = LayOutNotice(data, &printer);
            const QRectF sheet(0, 0, printer.width(), printer.height());
            QVERIFY(sheet.contains(layout.page));
            QStringList texts;
            const double pad = 1.5 * printer.logicalDpiX() / 25.4;
            for (const NoticeCell& cell : layout.cells) {
                texts << cell.text;
                QVERIFY2(layout.page.contains(cell.rect), qPrintable(cell.text));
                const QFontMetricsF fm(
                    cell.heading ? layout.headingFont : layout.bodyFont, &printer);
                const QRectF room = cell.rect.adjusted(pad, pad, -pad, -pad);
                const QRectF need = fm.boundingRect(room, cell.flags, cell.text);
                QVERIFY2(need.width() <= room.width() + 0.5 && need.height() <= room.height() + 0.5,
                    qPrintable(cell.text));
            }
            for (const QString& value :
                { data.labName, data.designNumber, data.project, data.part, data.grade,
                    data.waterBinder, data.note, data.materials[0].origin, data.materials[0].mass,
                    data.materials[3].specText, QStringLiteral("批准"), QStringLiteral("草稿") })
                QVERIFY2(texts.contains(value), qPrintable(value));
            QVERIFY(texts.filter(data.ratioText).size() == 1);
            QCOMPARE(data.materials[0].origin,
                QStringLiteral("安徽海螺水泥股份有限公司芜湖白马山水泥厂"));
            QCOMPARE(data.materials[4].specText, QStringLiteral("—")); // no coarse batch recorded
            QCOMPARE(texts.contains(QStringLiteral("施工用量\nkg/m³")), i == 2);
        }
        // 已审核 and 已下发 print no 草稿.
        Entry reviewed = *DesignLedger(m_f.store).entry(m_rows[0].id);
        reviewed.row.state = EntryState::Reviewed;
        for (const NoticeCell& cell :
            LayOutNotice(MakeDocumentData(reviewed, {}, QString()), &printer).cells)
            QVERIFY(cell.text != QStringLiteral("草稿"));
        DocumentData mix1;
        QString error;
        QVERIFY(LoadDocumentData(m_f.store, m_rows[0].id, QString(), &mix1, &error));
        QCOMPARE(mix1.client, QStringLiteral("中铁某局集团第五工程有限公司滨江大桥项目经理部"));
        QCOMPARE(mix1.noticeNumber, QStringLiteral("—"));
        QCOMPARE(mix1.labName, QStringLiteral("—"));
        // 330 + 110 + 55 = 495 of binder.
        QCOMPARE(mix1.materials[0].ratio, QStringLiteral("0.67"));
        QCOMPARE(mix1.ratioText, QStringLiteral("1：1.58：1.67：0.38：0.01"));
    }

    // PDF files with the title, a missing entry or folder named; ODT too.
    void writesPdfAndOdt()
    {
        QTemporaryDir out;
        DocumentData data;
        QString error;
        QVERIFY(
            LoadDocumentData(m_f.store, m_rows[1].id, QStringLiteral("检测中心"), &data, &error));
        for (DocumentKind kind : { DocumentKind::Notice, DocumentKind::Report }) {
            const QString pdf = out.filePath(QStringLiteral("doc.pdf"));
            QVERIFY2(WriteDocumentPdf(kind, data, pdf, &error), qPrintable(error));
            const QByteArray bytes = ReadAll(pdf);
            QVERIFY(bytes.startsWith("%PDF"));
            // The PDF title, in UTF-16BE after its byte-order mark.
            const QString title = DocumentTitle(kind) + QLatin1Char(' ') + data.designNumber;
            QByteArray utf16("/Title (\xFE\xFF");
            for (QChar c : title) {
                utf16 += char(c.unicode() >> 8);
                utf16 += char(c.unicode() & 0xFF);
            }
            QVERIFY(bytes.contains(utf16));
            // The notice is one page; poppler counts them where it is installed.
            const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
            if (kind == DocumentKind::Notice && !pdfinfo.isEmpty()) {
                QProcess info;
                info.start(pdfinfo, { pdf });
                QVERIFY(info.waitForFinished(60000));
                QVERIFY(info.readAllStandardOutput().contains("Pages:           1\n"));
            }
            const QString odt = out.filePath(QStringLiteral("doc.odt"));
            QVERIFY(WriteDocumentOdt(kind, data, odt, &error));
            QVERIFY(ReadAll(odt).startsWith("PK"));
        }
        QVERIFY(!WriteDocumentPdf(DocumentKind::Notice, data,
            out.filePath(QStringLiteral("no/such/folder/x.pdf")), &error));
        QVERIFY(error.contains(QStringLiteral("no/such/folder")));
    }

    // The workbook read back by openpyxl: every value and its type, number
    // formats with the report's decimals, the header frozen.
    void writesAWorkbook()
    {
        // The system's python3 is the one Debian's openpyxl is installed for.
        QString python = QStandardPaths::findExecutable(
            QStringLiteral("python3"), { QStringLiteral("/usr/bin") });
        if (python.isEmpty())
            python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty()
            || QProcess::execute(
                   python, { QStringLiteral("-c"), QStringLiteral("import openpyxl") })
                != 0)
            QSKIP("python3-openpyxl is not installed");
        std::vector<Entry> entries;
        QString error;
        QVERIFY(LoadLedgerEntries(m_f.store, {}, &entries, &error));
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("台账.xlsx"));
        QVERIFY2(WriteLedgerXlsx(LedgerTable(entries), path, &error), qPrintable(error));
        QProcess p;
        p.start(python,
            { QStringLiteral("-c"),
                QStringLiteral(
                    "import sys, json, openpyxl\n"
                    "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                    "rows = [[[c.value if c.value is None or isinstance(c.value, (int, float, str))"
                    " else c.value.isoformat(sep=' '), type(c.value).__name__, c.number_format]"
                    " for c in r] for r in ws.iter_rows()]\n"
                    "print(json.dumps({'freeze': ws.freeze_panes, 'rows': rows,"
                    " 'width': ws.column_dimensions['F'].width}, ensure_ascii=False))\n"),
                path });
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QJsonObject book = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        QCOMPARE(book.value(QLatin1String("freeze")).toString(), QStringLiteral("A2"));
        const QJsonArray rows = book.value(QLatin1String("rows")).toArray();
        QCOMPARE(rows.size(), 7);
        auto cell = [&](int r, int c) { return rows[r].toArray()[c].toArray(); };
        QCOMPARE(cell(0, 0)[0].toString(), QStringLiteral("编号"));
        // Newest first: all share one time, so the last recorded leads.
        const Entry& mix1 = *std::find_if(
            entries.begin(), entries.end(), [](const Entry& e) { return e.row.kind == "mix1"; });
        const int r = int(std::find_if(entries.begin(), entries.end(),
                              [](const Entry& e) { return e.row.kind == "mix1"; })
                          - entries.begin())
            + 1;
        QCOMPARE(cell(r, 0)[0].toString(), QString::fromStdString(mix1.row.number));
        QCOMPARE(cell(r, 3)[0].toDouble(), 0.38);
        QCOMPARE(cell(r, 3)[1].toString(), QStringLiteral("float"));
        QCOMPARE(cell(r, 3)[2].toString(), QStringLiteral("0.00"));
        QCOMPARE(cell(r, 5)[0].toString(), QString::fromUtf8(kTrickyName));
        QCOMPARE(cell(r, 7)[0].toString(), QStringLiteral("2026-03-15 09:30:00"));
        QCOMPARE(cell(r, 7)[1].toString(), QStringLiteral("datetime"));
        QCOMPARE(cell(r, 10)[0].toInt(), 330);
        QCOMPARE(cell(r, 10)[2].toString(), QStringLiteral("0"));
        QCOMPARE(cell(r, 15)[0].toDouble(), 4.95);
        QCOMPARE(cell(r, 15)[2].toString(), QStringLiteral("0.00"));
        QCOMPARE(cell(r, 9)[0].toString(), QStringLiteral("草稿"));
        // The ordinary design's figures are decimal texts, their decimals kept.
        const int o = int(std::find_if(entries.begin(), entries.end(),
                              [](const Entry& e) { return e.row.kind == "ordinary"; })
                          - entries.begin())
            + 1;
        QCOMPARE(cell(o, 15)[0].toDouble(), 3.6);
        QCOMPARE(cell(o, 15)[2].toString(), QStringLiteral("0.00"));
        QCOMPARE(cell(o, 14)[0].toInt(), 1150);
        QVERIFY(book.value(QLatin1String("width")).toDouble() >= 15);
    }

    // RFC 4180 quoting, byte for byte, in both encodings.
    void writesCsvInBothEncodings()
    {
        ExportTable table;
        table.header = { QStringLiteral("编号"), QStringLiteral("工程名称") };
        table.rows = { { { QStringLiteral("PB-1"), ExportCell::Text, 0 },
            { QString::fromUtf8(kTrickyName), ExportCell::Text, 0 } } };
        const QByteArray text = "编号,工程名称\r\nPB-1,\"滨江\"\"一号\"\",大桥\n二期\"\r\n";
        QCOMPARE(LedgerCsv(table, CsvEncoding::Utf8Bom), QByteArray("\xEF\xBB\xBF") + text);
        const QByteArray gbk = LedgerCsv(table, CsvEncoding::Gbk);
        QVERIFY(gbk.contains("PB-1,\"\xB1\xF5\xBD\xAD\"\"\xD2\xBB\xBA\xC5\"\",")); // 滨江"一号",
        QCOMPARE(QString::fromStdU16String(GbkDecode(gbk.toStdString())), QString::fromUtf8(text));

        std::vector<Entry> entries;
        QString error;
        QVERIFY(LoadLedgerEntries(m_f.store, {}, &entries, &error));
        QTemporaryDir out;
        for (CsvEncoding e : { CsvEncoding::Utf8Bom, CsvEncoding::Gbk }) {
            const QString path = out.filePath(QStringLiteral("ledger.csv"));
            QVERIFY(WriteLedgerCsv(LedgerTable(entries), path, e, &error));
            const QByteArray bytes = ReadAll(path);
            QCOMPARE(bytes.count("\r\n"), 7); // the name's own break stays LF
            const QByteArray quoted = e == CsvEncoding::Gbk
                ? QByteArray(GbkEncode(u"\"滨江\"\"一号\"\",大桥\n二期\"").c_str())
                : QByteArray("\"滨江\"\"一号\"\",大桥\n二期\"");
            QCOMPARE(bytes.count(quoted), 5);
        }
        QVERIFY(!WriteLedgerCsv(LedgerTable(entries), out.filePath(QStringLiteral("x/y.csv")),
            CsvEncoding::Utf8Bom, &error));
    }

    // Export → import gives back every kind; a bad file writes nothing.
    void jsonRoundTripsEveryKind()
    {
        Fixture other;
        QVERIFY(other.open(QStringLiteral("other.sqlite")));
        QTemporaryDir out;
        QStringList files;
        std::vector<Entry> originals;
        for (const EntryRow& row : m_rows) {
            auto e = DesignLedger(m_f.store).entry(row.id);
            QVERIFY(e.ok());
            files << out.filePath(QString::fromStdString(row.kind) + QStringLiteral(".json"));
            QString error;
            QVERIFY(WriteEntryJson(*e, files.back(), &error));
            originals.push_back(*e);
        }
        // Numbers already taken in the first store are free in the other.
        QStringList numbers;
        QString error;
        QVERIFY2(
            ImportEntryJsonFiles(other.store, files, "王工", &numbers, &error), qPrintable(error));
        QCOMPARE(numbers.size(), 6);
        for (std::size_t i = 0; i < originals.size(); ++i) {
            const Entry& a = originals[i];
            auto id = DocumentFieldStore(other.store).entryByNumber(numbers[int(i)].toStdString());
            QVERIFY(id.ok());
            const Entry b = *DesignLedger(other.store).entry(*id);
            QCOMPARE(b.row.kind, a.row.kind);
            QCOMPARE(b.row.number, a.row.number);
            QCOMPARE(b.row.time, a.row.time);
            QCOMPARE(b.row.operatorName, a.row.operatorName);
            QCOMPARE(b.row.project, a.row.project);
            QCOMPARE(b.row.part, a.row.part);
            QCOMPARE(b.row.grade, a.row.grade);
            QCOMPARE(b.waterBinder, a.waterBinder);
            QCOMPARE(b.verdict, a.verdict);
            QCOMPARE(b.note, a.note);
            QCOMPARE(b.report, a.report);
            QCOMPARE(Parsed(b.inputsJson), Parsed(a.inputsJson));
            QCOMPARE(Parsed(b.figuresJson), Parsed(a.figuresJson));
            QCOMPARE(EntryJson(b), EntryJson(a));
        }
    }

    // What qoru-calc --json prints imports as an entry of its kind with its
    // inputs, which reopen in the form to the same report; its figures are
    // the printed ones, and the entry's export imports back the same.
    void importsWhatQoruCalcPrints_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("mix1") << QStringList { QStringLiteral("mix1"), QStringLiteral("--grade"),
            QStringLiteral("C45"), QStringLiteral("--vg"), QStringLiteral("0.31") }
                              << QByteArray();
        QTest::newRow("mix2") << QStringList { QStringLiteral("mix2"), QStringLiteral("--grade"),
            QStringLiteral("C40"), QStringLiteral("--powder1"), QStringLiteral("粉煤灰"),
            QStringLiteral("--r1"), QStringLiteral("25") }
                              << QByteArray();
        QTest::newRow("ordinary") << QStringList { QStringLiteral("ordinary"),
            QStringLiteral("--grade"), QStringLiteral("C30"), QStringLiteral("--cement-grade"),
            QStringLiteral("42.5"), QStringLiteral("--aggregate"), QStringLiteral("crushed"),
            QStringLiteral("--max-size"), QStringLiteral("20"), QStringLiteral("--slump"),
            QStringLiteral("180") }
                                  << QByteArray();
        QTest::newRow("adjust") << QStringList { QStringLiteral("adjust"),
            QStringLiteral("--cement"), QStringLiteral("285"), QStringLiteral("--powder1"),
            QStringLiteral("50"), QStringLiteral("--sand"), QStringLiteral("712.5"),
            QStringLiteral("--coarse"), QStringLiteral("1453.5"), QStringLiteral("--water"),
            QStringLiteral("165.3"), QStringLiteral("--measured-density"), QStringLiteral("2410"),
            QStringLiteral("--sand-moisture"), QStringLiteral("2.5") }
                                << QByteArray();
        QTest::newRow("evaluate")
            << QStringList { QStringLiteral("evaluate"), QStringLiteral("--grade"),
                   QStringLiteral("C20") }
            << QByteArray("23.5\n20.6\n25.4\n26.5\n23.8\n25.3\n24.5\n27.1\n23.2\n22.3\n"
                          "30.1 28.8 31.5\n");
        QTest::newRow("stddev") << QStringList { QStringLiteral("stddev") }
                                << QByteArray("30.25\n31.25\n32.25\n33.25\n34.25\n").repeated(5);
    }

    void importsWhatQoruCalcPrints()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        TestPrompter prompter; // the forms' notices
        const QByteArray printed = CalcJson(args, input);
        QVERIFY(!printed.isEmpty());
        NewEntry entry;
        QString error;
        QVERIFY2(ParseEntryJson(printed, QStringLiteral("calc.json"), "王工", &entry, &error),
            qPrintable(error));
        QCOMPARE(QString::fromStdString(entry.kind), args.first());
        const QJsonObject o = QJsonDocument::fromJson(printed).object();
        QCOMPARE(Parsed(entry.inputsJson), o.value(QLatin1String("inputs")).toObject());
        QCOMPARE(QString::fromStdString(entry.report), o.value(QLatin1String("report")).toString());
        QCOMPARE(
            ReopenedReport(entry.kind, entry.inputsJson), QString::fromStdString(entry.report));
        const QJsonObject figures = Parsed(entry.figuresJson);
        const QJsonObject results = o.contains(QLatin1String("results"))
            ? o.value(QLatin1String("results")).toObject()
            : o;
        for (auto it = figures.begin(); it != figures.end(); ++it)
            QCOMPARE(results.value(it.key()), it.value());

        Fixture other;
        QVERIFY(other.open(QStringLiteral("calc.sqlite")));
        auto rows = DesignLedger(other.store).recordEntries({ entry });
        QVERIFY(rows.ok());
        const QByteArray exported = EntryJson(*DesignLedger(other.store).entry(rows->front().id));
        NewEntry back;
        QVERIFY2(ParseEntryJson(exported, QStringLiteral("entry.json"), "王工", &back, &error),
            qPrintable(error));
        for (auto [a, b] : { std::pair { back.inputsJson, entry.inputsJson },
                 std::pair { back.figuresJson, entry.figuresJson } })
            QCOMPARE(Parsed(a), Parsed(b));
        QCOMPARE(back.grade, entry.grade);
        QCOMPARE(back.waterBinder, entry.waterBinder);
        QCOMPARE(back.verdict, entry.verdict);
        QCOMPARE(back.report, entry.report);
    }

    // A qoru-calc file whose results are not what its inputs give, or whose
    // inputs are not the kind's, is refused naming the field.
    void refusesInputsThatDoNotFit_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("field");
        const QStringList mix1 { QStringLiteral("mix1") };
        QTest::newRow("result edited") << mix1 << "results"
                                       << "cementMass" << QJsonValue(999) << "results.cementMass";
        QTest::newRow("result added") << mix1 << "results"
                                      << "extra" << QJsonValue(1) << "results.extra";
        QTest::newRow("text for a number")
            << mix1 << "inputs"
            << "vg" << QJsonValue(QStringLiteral("0.31")) << "inputs.vg";
        QTest::newRow("fraction for a list index")
            << mix1 << "inputs"
            << "strengthIndex" << QJsonValue(2.5) << "inputs.strengthIndex";
        QTest::newRow("number for a text")
            << mix1 << "inputs"
            << "strengthText" << QJsonValue(45) << "inputs.strengthText";
        QTest::newRow("unknown input") << mix1 << "inputs"
                                       << "slump" << QJsonValue(180) << "inputs.slump";
        QTest::newRow("no such list entry") << QStringList { QStringLiteral("ordinary"),
            QStringLiteral("--grade"), QStringLiteral("C30"), QStringLiteral("--cement-grade"),
            QStringLiteral("42.5"), QStringLiteral("--aggregate"), QStringLiteral("crushed"),
            QStringLiteral("--max-size"), QStringLiteral("20"), QStringLiteral("--slump"),
            QStringLiteral("180") } << "inputs"
                                            << "exposure" << QJsonValue(9) << "inputs.exposure";
    }

    void refusesInputsThatDoNotFit()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, part);
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(QString, field);
        QJsonObject o = QJsonDocument::fromJson(CalcJson(args)).object();
        QJsonObject inner = o.value(part).toObject();
        QVERIFY(!inner.isEmpty());
        inner[key] = value;
        o[part] = inner;
        Fixture other;
        QVERIFY(other.open(QStringLiteral("tampered.sqlite")));
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("tampered.json"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
        f.close();
        QStringList numbers;
        QString error;
        QVERIFY(!ImportEntryJsonFiles(other.store, { path }, "王工", &numbers, &error));
        QVERIFY2(
            error.contains(QStringLiteral("“") + field + QStringLiteral("”")), qPrintable(error));
        QCOMPARE(*DesignLedger(other.store).countEntries({}), std::int64_t(0));
    }

    void refusesABadFileWhole_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("field");
        QTest::newRow("stopped") << QByteArray("\"stopped\": false")
                                 << QByteArray("\"stopped\": true") << "stopped";
        QTest::newRow("mass") << QByteArray("\"cementMass\": 330")
                              << QByteArray("\"cementMass\": \"330x\"") << "results.cementMass";
        QTest::newRow("kind") << QByteArray("\"kind\": \"mix1\"")
                              << QByteArray("\"kind\": \"mix9\"") << "kind";
        QTest::newRow("time") << QByteArray("\"time\": \"2026-03-15 09:30:00\"")
                              << QByteArray("\"time\": \"2026-02-30 09:30:00\"") << "entry.time";
        QTest::newRow("report") << QByteArray("\"report\": \"")
                                << QByteArray("\"report\": 7, \"x\": \"") << "report";
        QTest::newRow("messages") << QByteArray(
            "\"messages\": [") << QByteArray("\"messages\": [{\"kind\": \"oops\", \"text\": \"\"}")
                                  << "messages[0].kind";
        QTest::newRow("syntax") << QByteArray("{") << QByteArray("[") << "JSON";
    }

    void refusesABadFileWhole()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, field);
        Fixture other;
        QVERIFY(other.open(QStringLiteral("bad.sqlite")));
        QTemporaryDir out;
        const QByteArray good = EntryJson(*DesignLedger(m_f.store).entry(m_rows[0].id));
        QByteArray bad = good;
        QVERIFY(bad.contains(from));
        bad.replace(bad.indexOf(from), from.size(), to);
        const QString goodPath = out.filePath(QStringLiteral("good.json"));
        const QString badPath = out.filePath(QStringLiteral("bad.json"));
        for (auto [path, bytes] : { std::pair { goodPath, good }, std::pair { badPath, bad } }) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QStringList numbers;
        QString error;
        QVERIFY(
            !ImportEntryJsonFiles(other.store, { goodPath, badPath }, "王工", &numbers, &error));
        QVERIFY2(
            error.contains(field) && error.contains(QStringLiteral("bad.json")), qPrintable(error));
        QCOMPARE(*DesignLedger(other.store).countEntries({}), std::int64_t(0));
    }

    // The form hands back what was typed, trimmed, and drops the blank boxes.
    void formKeepsTheTypedFields()
    {
        CDocumentFieldsDlg dialog({ { kFieldClient, "市政一公司" }, { kFieldPlacing, "泵送" } });
        QCOMPARE(dialog.edit(kFieldClient)->text(), QStringLiteral("市政一公司"));
        dialog.edit(kFieldPlacing)->setText(QStringLiteral("  "));
        dialog.edit(kFieldImpermeability)->setText(QStringLiteral(" P8 "));
        QCOMPARE(dialog.fields(),
            (DocumentFieldMap { { kFieldClient, "市政一公司" }, { kFieldImpermeability, "P8" } }));
    }

    // A save the store refuses (the entry is issued) is told through the
    // prompter and the form comes back with what was typed.
    void aRefusedSaveReopensTheFormWithWhatWasTyped()
    {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.addBatches());
        auto rows
            = DesignLedger(f.store).recordEntries({ EveryKind(f.cementBatch, f.sandBatch)[0] });
        QVERIFY(rows);
        const std::int64_t id = rows->front().id;
        for (EntryState to : { EntryState::Reviewed, EntryState::Issued })
            QVERIFY(DesignLedger(f.store).advance(id, to, "李工"));
        TestPrompter prompter;
        QStringList seen; // the client box each time the form shows
        std::function<void()> answer = [&] {
            auto* form = qobject_cast<CDocumentFieldsDlg*>(QApplication::activeModalWidget());
            if (!form)
                return QTimer::singleShot(10, answer);
            seen << form->edit(kFieldClient)->text();
            if (seen.size() == 1) {
                form->edit(kFieldClient)->setText(QStringLiteral("市政一公司"));
                form->accept();
                QTimer::singleShot(10, answer);
            } else {
                form->reject();
            }
        };
        QTimer::singleShot(0, answer);
        QVERIFY(!EditDocumentFields(nullptr, f.store, id));
        QCOMPARE(seen, (QStringList { QString(), QStringLiteral("市政一公司") }));
        QCOMPARE(prompter.notices.size(), 1);
        QVERIFY(DocumentFieldStore(f.store).fields(id)->empty());
    }

    // The real program, with no window: exit 0 and the files, or one line and 2.
    void runsWithoutAWindow()
    {
        QTemporaryDir out;
        const QString db = QString::fromStdString(m_f.store.path());
        auto run = [&](const QStringList& args, QByteArray* output = nullptr) {
            QProcess p;
            QStringList all = { QStringLiteral("--database"), db };
            p.start(QStringLiteral(QORU_PROGRAM), all + args);
            p.waitForFinished(60000);
            if (output)
                *output = p.exitCode() == 0 ? p.readAllStandardOutput() : p.readAllStandardError();
            return p.exitCode();
        };
        const QString number = QString::fromStdString(m_rows[0].number);
        const QString pdf = out.filePath(QStringLiteral("notice.pdf"));
        QCOMPARE(run({ QStringLiteral("--export-notice"), number, pdf }), 0);
        QVERIFY(ReadAll(pdf).startsWith("%PDF"));
        QCOMPARE(run({ QStringLiteral("--export-report"), number,
                     out.filePath(QStringLiteral("r.pdf")) }),
            0);
        const QString csv = out.filePath(QStringLiteral("l.csv"));
        QCOMPARE(run({ QStringLiteral("--export-ledger"), csv, QStringLiteral("--encoding"),
                     QStringLiteral("gbk") }),
            0);
        QVERIFY(!ReadAll(csv).startsWith("\xEF\xBB\xBF")
            && ReadAll(csv).contains(GbkEncode(u"编号").c_str()));
        QCOMPARE(
            run({ QStringLiteral("--export-ledger"), out.filePath(QStringLiteral("l.xlsx")) }), 0);

        QByteArray message;
        QCOMPARE(run({ QStringLiteral("--export-notice"), QStringLiteral("PB-1999-9999"), pdf },
                     &message),
            2);
        QVERIFY(message.contains("PB-1999-9999") && message.count('\n') == 1);
        QCOMPARE(
            run({ QStringLiteral("--export-ledger"), out.filePath(QStringLiteral("no/l.csv")) },
                &message),
            2);
        QCOMPARE(message.count('\n'), 1);

        Fixture other;
        QVERIFY(other.open(QStringLiteral("imported.sqlite")));
        const QString json = out.filePath(QStringLiteral("e.json"));
        QString error;
        QVERIFY(WriteEntryJson(*DesignLedger(m_f.store).entry(m_rows[1].id), json, &error));
        QProcess p;
        p.start(QStringLiteral(QORU_PROGRAM),
            { QStringLiteral("--database"), QString::fromStdString(other.store.path()),
                QStringLiteral("--import-json"), json });
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), QByteArray::fromStdString(m_rows[1].number) + '\n');
    }
};

QORU_GUI_TEST_MAIN(DocumentsTest)
#include "documents_test.moc"
