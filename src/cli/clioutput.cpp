#include "cli/clioutput.h"

#include "doc/gbkcodec.h"

#include <QJsonArray>
#include <QJsonDocument>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

void PrepareOutputStreams()
{
#ifdef _WIN32
    // Reports already end their lines with "\r\n"; text mode would double the CR.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

bool WriteOutput(std::FILE* stream, const std::string& utf8, OutputEncoding encoding)
{
    const std::string bytes = encoding == OutputEncoding::Gbk
        ? GbkEncode(QString::fromStdString(utf8).toStdU16String())
        : utf8;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    if (std::fflush(stream) != 0 || !written) {
        std::fputs("qoru-calc: cannot write the output\n", stderr);
        return false;
    }
    return true;
}

int UsageError(const std::string& text)
{
    std::fprintf(stderr, "qoru-calc: %s\n", text.c_str());
    return kExitUsage;
}

namespace {

QJsonArray MessagesJson(const Messages& messages)
{
    QJsonArray array;
    for (const Message& m : messages) {
        QJsonObject item;
        item.insert("kind", m.kind == MessageKind::Stop ? "stop" : "warn");
        item.insert("text", QString::fromStdString(m.text));
        array.append(item);
    }
    return array;
}

} // namespace

int FinishCalculation(const CliOutcome& outcome, bool json, OutputEncoding encoding)
{
    const int status = outcome.stopped ? kExitStopped : kExitReport;

    if (json) {
        QJsonObject object;
        object.insert("stopped", outcome.stopped);
        object.insert("messages", MessagesJson(outcome.messages));
        object.insert(
            "report", outcome.stopped ? QString() : QString::fromStdString(outcome.report));
        object.insert("results", outcome.stopped ? QJsonObject() : outcome.results);
        for (auto it = outcome.extra.begin(); it != outcome.extra.end(); ++it)
            object.insert(it.key(), it.value());
        const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
        return WriteOutput(stdout, text.toStdString(), encoding) ? status : kExitUsage;
    }

    for (const Message& m : outcome.messages)
        if (!WriteOutput(stderr, m.text + "\n", encoding))
            return kExitUsage;
    if (!outcome.stopped && !WriteOutput(stdout, outcome.report, encoding))
        return kExitUsage;
    return status;
}
