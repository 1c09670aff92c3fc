#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

// One run of qoru-calc for the end-to-end tests: this build's, or the one
// QORU_CALC names run through QORU_CALC_EMULATOR (qoru-calc.exe under Wine).

struct CalcRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Standard input from bytes or a file, standard output to a file if named.
struct CalcIo
{
    QByteArray input;
    QString inputFile;
    QString outputFile;
};

// Runs `program`, through `emulator` unless that is empty.
inline CalcRun RunCalcProgram(const QString& program, const QString& emulator,
    const QStringList& arguments, const CalcIo& io = {})
{
    QProcess process;
    if (!io.inputFile.isEmpty())
        process.setStandardInputFile(io.inputFile);
    if (!io.outputFile.isEmpty())
        process.setStandardOutputFile(io.outputFile);
    if (emulator.isEmpty())
        process.start(program, arguments);
    else
        process.start(emulator, QStringList { program } + arguments);
    if (io.inputFile.isEmpty()) {
        process.write(io.input);
        process.closeWriteChannel();
    }
    CalcRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = "qoru-calc did not finish";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline CalcRun RunQoruCalc(const QStringList& arguments, const CalcIo& io = {})
{
    const QString program = qEnvironmentVariable("QORU_CALC", QStringLiteral(QORU_CALC_PATH));
    const QString emulator = qEnvironmentVariable("QORU_CALC_EMULATOR");
    CalcRun run = RunCalcProgram(program, emulator, arguments, io);
    // Wine now and then fails to start a program, silently; qoru-calc itself
    // never fails without a message, so such a run is the emulator's and is
    // made once more.
    if (!emulator.isEmpty() && run.exitCode != 0 && run.out.empty() && run.err.empty())
        run = RunCalcProgram(program, emulator, arguments, io);
    return run;
}
