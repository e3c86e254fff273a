#include "platform/metafile_process.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QtGlobal>

#include <sys/resource.h>

#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define KORVANI_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVANI_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// More SVG than this is no picture anybody placed.
constexpr qsizetype MaxSvgBytes = qsizetype(256) << 20;

std::mutex helperMutex;
MetafileHelper current;

MetafileHelper Current()
{
    std::lock_guard lock(helperMutex);
    return current;
}

QString ProgramOf(const MetafileHelper& helper)
{
    if (!helper.program.empty())
        return QString::fromStdString(helper.program);
    const QString fromEnvironment = qEnvironmentVariable("KORVANI_METAFILE_HELPER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (!QCoreApplication::instance())
        return {};
    return QCoreApplication::applicationDirPath() + QStringLiteral("/korvani-metafile");
}

} // namespace

MetafileHelper SetMetafileHelper(const MetafileHelper& helper)
{
    std::lock_guard lock(helperMutex);
    MetafileHelper previous = current;
    current = helper;
    return previous;
}

std::string ConvertMetafileInChild(const unsigned char* data, std::size_t size)
{
    const MetafileHelper helper = Current();
    const QString program = ProgramOf(helper);
    if (program.isEmpty() || !data)
        return {};

    QProcess process;
    process.setProgram(program);
    // The converter's complaints (and a sanitizer's report) go where ours go.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const rlim_t cpu = rlim_t(helper.cpuSeconds);
#if defined(KORVANI_ADDRESS_SANITIZER)
    const rlim_t memory = 0;
#else
    const rlim_t memory = rlim_t(helper.memoryBytes);
#endif
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([cpu, memory] {
        const rlimit cpuLimit{cpu, cpu + 1}; // SIGXCPU, then SIGKILL
        setrlimit(RLIMIT_CPU, &cpuLimit);
        if (memory > 0) {
            const rlimit memoryLimit{memory, memory};
            setrlimit(RLIMIT_AS, &memoryLimit);
        }
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    });

    const QDeadlineTimer deadline(helper.timeoutMs);
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(int(deadline.remainingTime())))
        return {};
    process.write(reinterpret_cast<const char*>(data), qint64(size));
    process.closeWriteChannel();

    // Waiting for output also feeds the input as the child takes it.
    QByteArray svg;
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired() || svg.size() > MaxSvgBytes) {
            process.kill();
            process.waitForFinished(-1);
            return {};
        }
        // A child that closed its output but runs on is waited for as such.
        if (!process.waitForReadyRead(int(deadline.remainingTime())))
            process.waitForFinished(int(deadline.remainingTime()));
        svg += process.readAllStandardOutput();
    }
    svg += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || svg.size() > MaxSvgBytes)
        return {};
    return svg.toStdString();
}
