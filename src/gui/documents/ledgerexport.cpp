#include "documents/ledgerexport.h"

#include "doc/gbkcodec.h"
#include "documents/documentdata.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include <xlsxwriter.h>

namespace {

ExportCell Text(const std::string& s)
{
    return { QString::fromStdString(s), ExportCell::Text, 0 };
}

// A decimal as the report printed it stays a number with its decimals;
// anything else is text.
ExportCell Number(const QString& s)
{
    static const QRegularExpression decimal(QStringLiteral("^-?\\d+(\\.(\\d+))?$"));
    const auto m = decimal.match(s.trimmed());
    if (!m.hasMatch())
        return { s, ExportCell::Text, 0 };
    return { s.trimmed(), ExportCell::Number, int(m.captured(2).size()) };
}

QString FigureText(const QJsonObject& o, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isString())
            return v.toString();
        if (v.isDouble())
            return QString::number(v.toDouble(), 'g', 15);
    }
    return {};
}

// Column widths in characters: a CJK character counts two.
double DisplayWidth(const QString& text)
{
    double widest = 0, width = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            widest = std::max(widest, width);
            width = 0;
            continue;
        }
        width += c.unicode() >= 0x2E80 ? 2.1 : 1.1;
    }
    return std::max(widest, width);
}

QString WriteError(const QString& path)
{
    return QStringLiteral("不能写入文件“%1”。").arg(QFileInfo(path).absoluteFilePath());
}

} // namespace

ExportTable LedgerTable(const std::vector<Entry>& entries)
{
    ExportTable table;
    table.header = { QStringLiteral("编号"), QStringLiteral("类型"), QStringLiteral("强度等级"),
        QStringLiteral("水胶比"), QStringLiteral("结论"), QStringLiteral("工程名称"),
        QStringLiteral("施工部位"), QStringLiteral("日期"), QStringLiteral("操作人"),
        QStringLiteral("状态"), QStringLiteral("水泥 kg/m³"), QStringLiteral("粉体一 kg/m³"),
        QStringLiteral("粉体二 kg/m³"), QStringLiteral("细骨料 kg/m³"),
        QStringLiteral("粗骨料 kg/m³"), QStringLiteral("外加剂 kg/m³"), QStringLiteral("水 kg/m³"),
        QStringLiteral("备注") };
    for (const Entry& e : entries) {
        const QJsonObject f
            = QJsonDocument::fromJson(QByteArray::fromStdString(e.figuresJson)).object();
        std::vector<ExportCell> row = { Text(e.row.number),
            { EntryKindName(e.row.kind), ExportCell::Text, 0 }, Text(e.row.grade),
            Number(QString::fromStdString(e.waterBinder)), Text(e.verdict), Text(e.row.project),
            Text(e.row.part), { QString::fromStdString(e.row.time), ExportCell::DateTime, 0 },
            Text(e.row.operatorName), Text(EntryStateName(e.row.state)) };
        for (auto keys : { std::initializer_list<const char*> { "cementMass", "cement" },
                 { "flyAshMass", "powder1Mass", "flyAsh" }, { "slagMass", "powder2Mass", "slag" },
                 { "sandMass", "sand" }, { "coarseMass", "stone" },
                 { "admixtureMass", "admixture" }, { "waterMass", "water" } })
            row.push_back(Number(FigureText(f, keys)));
        row.push_back(Text(e.note));
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool LoadLedgerEntries(
    RecordStore& store, const LedgerFilter& filter, std::vector<Entry>* entries, QString* error)
{
    DesignLedger ledger(store);
    auto ids = ledger.entryIds(filter);
    if (!ids) {
        *error = QString::fromStdString(ids.error().message);
        return false;
    }
    entries->clear();
    for (std::int64_t id : *ids) {
        auto entry = ledger.entry(id);
        if (!entry) {
            *error = QString::fromStdString(entry.error().message);
            return false;
        }
        entries->push_back(std::move(*entry));
    }
    return true;
}

QByteArray LedgerCsv(const ExportTable& table, CsvEncoding encoding)
{
    auto field = [](const QString& s) {
        if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"'))
            && !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
            return s;
        QString quoted = s;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    };
    auto record = [&](const QStringList& cells) {
        QStringList out;
        for (const QString& c : cells)
            out << field(c);
        return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QString text = record(table.header);
    for (const auto& row : table.rows) {
        QStringList cells;
        for (const ExportCell& c : row)
            cells << c.text;
        text += record(cells);
    }
    if (encoding == CsvEncoding::Gbk) {
        const std::string bytes = GbkEncode(text.toStdU16String());
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool WriteLedgerCsv(
    const ExportTable& table, const QString& path, CsvEncoding encoding, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(LedgerCsv(table, encoding)) < 0
        || !file.commit()) {
        *error = WriteError(path);
        return false;
    }
    return true;
}

bool WriteLedgerXlsx(const ExportTable& table, const QString& path, QString* error)
{
    // libxlsxwriter writes the whole file at close: write it beside the
    // target and move it into place, so a failure leaves no half workbook.
    const QFileInfo target(path);
    const QString temp = target.absolutePath() + QStringLiteral("/.") + target.fileName()
        + QStringLiteral(".part");
    const QByteArray tempName = QFile::encodeName(temp);
    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book) {
        *error = WriteError(path);
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "台账");
    lxw_format* head = workbook_add_format(book);
    format_set_bold(head);
    format_set_text_wrap(head);
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd hh:mm:ss");
    std::vector<lxw_format*> numbers; // by decimals
    auto numberFormat = [&](int decimals) {
        while (int(numbers.size()) <= decimals) {
            lxw_format* f = workbook_add_format(book);
            const int d = int(numbers.size());
            const std::string code = d == 0 ? "0" : "0." + std::string(std::size_t(d), '0');
            format_set_num_format(f, code.c_str());
            numbers.push_back(f);
        }
        return numbers[std::size_t(decimals)];
    };

    std::vector<double> widths;
    for (int c = 0; c < table.header.size(); ++c) {
        worksheet_write_string(sheet, 0, lxw_col_t(c), table.header[c].toUtf8().constData(), head);
        widths.push_back(DisplayWidth(table.header[c]));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto row = lxw_row_t(r + 1);
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const ExportCell& cell = table.rows[r][c];
            const auto col = lxw_col_t(c);
            widths[c] = std::max(widths[c], DisplayWidth(cell.text));
            if (cell.text.isEmpty())
                continue;
            const QDateTime time
                = QDateTime::fromString(cell.text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (cell.type == ExportCell::Number) {
                worksheet_write_number(
                    sheet, row, col, cell.text.toDouble(), numberFormat(cell.decimals));
            } else if (cell.type == ExportCell::DateTime && time.isValid()) {
                lxw_datetime dt = { time.date().year(), time.date().month(), time.date().day(),
                    time.time().hour(), time.time().minute(), double(time.time().second()) };
                worksheet_write_datetime(sheet, row, col, &dt, date);
            } else {
                worksheet_write_string(sheet, row, col, cell.text.toUtf8().constData(), nullptr);
            }
        }
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(
            sheet, lxw_col_t(c), lxw_col_t(c), std::min(widths[c] + 2, 60.0), nullptr);
    worksheet_freeze_panes(sheet, 1, 0);

    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(temp);
        *error = WriteError(path);
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        *error = WriteError(path);
        return false;
    }
    return true;
}
