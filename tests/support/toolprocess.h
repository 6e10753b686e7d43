#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// korvenal-admin as a second process, with a registry of the test's own.
namespace kv::test {

struct ToolResult {
    int code = -1; // -1 when it did not end normally (killed)
    QString out, err;
};

// Starts the tool; with `shell`, under the limits that shell line sets before it becomes the tool.
inline std::unique_ptr<QProcess> startTool(const QString &registry, const QStringList &arguments, const QString &shell = {})
{
    auto tool = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BEHEER_REGISTRY"), registry);
    tool->setProcessEnvironment(env);
    if (shell.isEmpty())
        tool->start(QStringLiteral(KORVENAL_ADMIN), arguments);
    else
        tool->start(QStringLiteral("/bin/sh"),
                    QStringList{QStringLiteral("-c"), shell + QStringLiteral("; exec \"$0\" \"$@\""), QStringLiteral(KORVENAL_ADMIN)}
                        + arguments);
    tool->waitForStarted();
    return tool;
}

inline ToolResult finish(QProcess &tool)
{
    tool.waitForFinished(120000);
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1, QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

inline ToolResult runTool(const QString &registry, const QStringList &arguments, const QString &shell = {})
{
    return finish(*startTool(registry, arguments, shell));
}

} // namespace kv::test
