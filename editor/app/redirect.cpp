#include "editor/app/redirect.h"

#include <algorithm>

namespace {
// How long a child is given to end when asked before it is killed.
constexpr int kTerminateWaitMs = 1000;

QString quoted(const QString& arg) {
    static const QString cPlain =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_./=:+,@%";
    const bool plain = !arg.isEmpty() && std::all_of(arg.begin(), arg.end(),
                                                     [](QChar c) { return cPlain.contains(c); });
    if (plain)
        return arg;
    QString q = arg;
    q.replace("'", "'\\''");
    return "'" + q + "'";
}
} // namespace

CRedirect::CRedirect() = default;

CRedirect::~CRedirect() {
    Shutdown();
}

QString CRedirect::commandLine(const QString& program, const QStringList& arguments) {
    QStringList words{quoted(program)};
    for (const QString& a : arguments)
        words << quoted(a);
    return words.join(' ');
}

bool CRedirect::Launch(const QString& program, const QStringList& arguments) {
    Shutdown();
    command = commandLine(program, arguments);
    process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setInputChannelMode(QProcess::ManagedInputChannel);
    QProcess* p = process.get();
    // Each chunk goes on whole, in the order the event loop sees the two streams.
    QObject::connect(p, &QProcess::readyReadStandardOutput, p,
                     [this, p] { ReportOutput(p->readAllStandardOutput()); });
    QObject::connect(p, &QProcess::readyReadStandardError, p,
                     [this, p] { ReportError(p->readAllStandardError()); });
    QObject::connect(p, &QProcess::finished, p, [this, p](int code, QProcess::ExitStatus status) {
        // Whatever is still buffered comes before the end.
        if (const QByteArray rest = p->readAllStandardOutput(); !rest.isEmpty())
            ReportOutput(rest);
        if (const QByteArray rest = p->readAllStandardError(); !rest.isEmpty())
            ReportError(rest);
        ReportEnd(status, code);
    });
    p->start(program, arguments);
    if (!p->waitForStarted()) {
        process.reset();
        ReportOutput(("Unable to start " + command + "\n").toUtf8());
        return false;
    }
    ReportStart(command);
    return true;
}

void CRedirect::Shutdown() {
    if (!process)
        return;
    std::unique_ptr<QProcess> p = std::move(process);
    QObject::disconnect(p.get(), nullptr, nullptr, nullptr);
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(kTerminateWaitMs)) {
            p->kill();
            p->waitForFinished(kTerminateWaitMs);
        }
    }
}

bool CRedirect::IsProcessAlive() const {
    return process && process->state() != QProcess::NotRunning;
}

void CRedirect::ReportStart(const QString&) {}
void CRedirect::ReportOutput(const QByteArray&) {}
void CRedirect::ReportError(const QByteArray&) {}
void CRedirect::ReportEnd(QProcess::ExitStatus, int) {}
