#pragma once
#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A small tmpfs of its own, to make a truly full disk or a read-only folder. Needs the right
// to mount (root in CI); tests skip where it is missing.
class ScratchMount
{
public:
    explicit ScratchMount(const QString &size)
    {
        if (!m_dir.isValid())
            return;
        m_ok = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", m_dir.path()}) == 0;
    }
    ~ScratchMount()
    {
        if (m_ok)
            QProcess::execute("umount", {m_dir.path()});
    }
    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }
    bool makeReadOnly() { return QProcess::execute("mount", {"-o", "remount,ro", m_dir.path()}) == 0; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};
