#pragma once
// Runs a child program and hands on what it writes to its standard output and standard
// error, chunk by chunk as it arrives, on the thread that launched it. The program gets its
// arguments as a vector, never through a shell; a child still running when the launcher
// shuts down is stopped, and none is left behind.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class CRedirect {
public:
    CRedirect();
    virtual ~CRedirect();
    CRedirect(const CRedirect&) = delete;
    CRedirect& operator=(const CRedirect&) = delete;

    // False when the program could not be started ("Unable to start " and the command line
    // are reported as output then).
    bool Launch(const QString& program, const QStringList& arguments);
    // Stops a running child: asked to end first, then killed.
    void Shutdown();
    bool IsProcessAlive() const;

    // The command line as a user would type it, for reports.
    static QString commandLine(const QString& program, const QStringList& arguments);

protected:
    virtual void ReportStart(const QString& commandLine);
    virtual void ReportOutput(const QByteArray& text);
    virtual void ReportError(const QByteArray& text);
    // The child has ended: normally with its exit status, or killed by a signal.
    virtual void ReportEnd(QProcess::ExitStatus status, int exitCode);

private:
    std::unique_ptr<QProcess> process;
    QString command;
};
