#include "app/commandline.h"

#include "documents/documentdata.h"
#include "documents/documentoutput.h"
#include "documents/entryjson.h"
#include "documents/ledgerexport.h"
#include "records/documentfields.h"
#include "records/recordstore.h"
#include "records/serverurl.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    auto setAction = [&](CommandLine::Action action, const QString& option) {
        if (line.action != CommandLine::Action::Window && line.error.isEmpty())
            line.error = QStringLiteral("%1 不能与另一个导出或导入同时使用").arg(option);
        line.action = action;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        // The values an option takes; an error when they are missing.
        auto take = [&](int count) -> QStringList {
            if (i + count >= arguments.size()) {
                if (line.error.isEmpty())
                    line.error = QStringLiteral("%1 缺少参数").arg(arg);
                i = int(arguments.size());
                return {};
            }
            QStringList values = arguments.mid(i + 1, count);
            i += count;
            return values;
        };
        if (arg == QLatin1String("--database")) {
            const QStringList v = take(1);
            if (!v.isEmpty())
                line.database = v[0];
        } else if (arg == QLatin1String("--export-ledger")) {
            setAction(CommandLine::Action::ExportLedger, arg);
            const QStringList v = take(1);
            if (!v.isEmpty())
                line.output = v[0];
        } else if (arg == QLatin1String("--export-notice")
            || arg == QLatin1String("--export-report")) {
            setAction(arg == QLatin1String("--export-notice") ? CommandLine::Action::ExportNotice
                                                              : CommandLine::Action::ExportReport,
                arg);
            const QStringList v = take(2);
            if (v.size() == 2) {
                line.number = v[0];
                line.output = v[1];
            }
        } else if (arg == QLatin1String("--encoding")) {
            const QStringList v = take(1);
            if (!v.isEmpty()) {
                const QString e = v[0].toLower();
                if (e == QLatin1String("gbk"))
                    line.gbk = true;
                else if (e != QLatin1String("utf-8") && e != QLatin1String("utf8")
                    && line.error.isEmpty())
                    line.error
                        = QStringLiteral("--encoding 只接受 gbk 或 utf-8，而不是“%1”").arg(v[0]);
            }
        } else if (arg == QLatin1String("--import-json")) {
            setAction(CommandLine::Action::ImportJson, arg);
            while (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
                line.inputs << arguments[++i];
            if (line.inputs.isEmpty() && line.error.isEmpty())
                line.error = QStringLiteral("--import-json 缺少要导入的文件");
        } else {
            line.rest << arg;
        }
    }
    if (line.action != CommandLine::Action::Window && line.error.isEmpty()) {
        if (line.database.isEmpty())
            line.error = QStringLiteral("导出和导入需要 --database FILE");
        else if (line.gbk && line.action != CommandLine::Action::ExportLedger)
            line.error = QStringLiteral("--encoding 只用于 --export-ledger 的 CSV 文件");
        else if (!line.rest.isEmpty())
            line.error = QStringLiteral("不认识的参数“%1”").arg(line.rest.first());
    }
    return line;
}

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "qoru: %s\n", message.toUtf8().constData());
    return 2;
}

bool Ends(const QString& path, const char* suffix)
{
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// The login name, as the ledger records 操作人 by default.
std::string UserName()
{
    for (const char* variable : { "USER", "USERNAME", "LOGNAME" })
        if (const QString name = qEnvironmentVariable(variable).trimmed(); !name.isEmpty())
            return name.toStdString();
    return QDir::home().dirName().toStdString();
}

// A scheduled run reads one line on failure: Qt's own notices stay out of it.
void QuietNotices(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "qoru: %s\n", message.toUtf8().constData());
}

int Run(const CommandLine& line)
{
    const bool importing = line.action == CommandLine::Action::ImportJson;
    if (!importing && !ServerUrl::Is(line.database.toStdString())
        && !QFileInfo(line.database).isFile())
        return Fail(QStringLiteral("没有数据库文件“%1”").arg(line.database));
    RecordStore store;
    auto opened = store.open(line.database.toStdString());
    if (!opened)
        return Fail(QString::fromStdString(opened.error().message));
    QString error;

    switch (line.action) {
    case CommandLine::Action::ExportLedger: {
        if (!Ends(line.output, ".xlsx") && !Ends(line.output, ".csv"))
            return Fail(
                QStringLiteral("台账只能导出为 .xlsx 或 .csv 文件，而不是“%1”").arg(line.output));
        if (line.gbk && !Ends(line.output, ".csv"))
            return Fail(QStringLiteral("--encoding 只用于 CSV 文件"));
        std::vector<Entry> entries;
        if (!LoadLedgerEntries(store, {}, &entries, &error))
            return Fail(error);
        const ExportTable table = LedgerTable(entries);
        const bool written = Ends(line.output, ".xlsx")
            ? WriteLedgerXlsx(table, line.output, &error)
            : WriteLedgerCsv(
                table, line.output, line.gbk ? CsvEncoding::Gbk : CsvEncoding::Utf8Bom, &error);
        return written ? 0 : Fail(error);
    }
    case CommandLine::Action::ExportNotice:
    case CommandLine::Action::ExportReport: {
        const DocumentKind kind = line.action == CommandLine::Action::ExportNotice
            ? DocumentKind::Notice
            : DocumentKind::Report;
        if (!Ends(line.output, ".pdf") && !Ends(line.output, ".odt"))
            return Fail(QStringLiteral("%1只能导出为 .pdf 或 .odt 文件，而不是“%2”")
                            .arg(DocumentTitle(kind), line.output));
        auto id = DocumentFieldStore(store).entryByNumber(line.number.toStdString());
        if (!id)
            return Fail(QString::fromStdString(id.error().message));
        DocumentData data;
        if (!LoadDocumentData(store, *id, LabName(), &data, &error))
            return Fail(error);
        const bool written = Ends(line.output, ".pdf")
            ? WriteDocumentPdf(kind, data, line.output, &error)
            : WriteDocumentOdt(kind, data, line.output, &error);
        return written ? 0 : Fail(error);
    }
    case CommandLine::Action::ImportJson: {
        QStringList numbers;
        if (!ImportEntryJsonFiles(store, line.inputs, UserName(), &numbers, &error))
            return Fail(error);
        for (const QString& n : numbers)
            std::printf("%s\n", n.toUtf8().constData());
        std::fflush(stdout);
        return 0;
    }
    case CommandLine::Action::Window:
        break;
    }
    return 0;
}

} // namespace

std::optional<int> RunHeadless(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
    if (line.action == CommandLine::Action::Window)
        return std::nullopt;
    if (!line.error.isEmpty())
        return Fail(line.error);
    // PDF needs fonts and a paint engine, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietNotices);
    QGuiApplication app(argc, argv);
    return Run(line);
}
