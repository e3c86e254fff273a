#pragma once

// Runs the real korvani program the way a user's shell would, with no
// display and no platform chosen, and collects what it says.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct ProcessResult
{
    int status = -1; // -1: it crashed or did not finish
    QByteArray out;
    QByteArray err;
};

inline ProcessResult RunKorvani(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // it must not need one
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORVANI_BINARY), arguments);
    ProcessResult run;
    if (!process.waitForFinished(120000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
