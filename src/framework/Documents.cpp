#include "framework/Documents.h"

#include "framework/Desktop.h"
#include "framework/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QStandardPaths>

namespace Documents {

namespace {
QQueue<QString> files;
QString lastFolder;
}

QString startFolder(const QString &current)
{
    // Beside the file already chosen, or where the last one was picked, or the account's
    // documents; a folder that is not there gives way to the next. The trailing '/' keeps
    // the chooser from taking the folder's name as a file name.
    QStringList candidates;
    if (!current.trimmed().isEmpty())
        candidates << QFileInfo(current.trimmed()).absolutePath();
    candidates << lastFolder << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) << QDir::homePath();
    for (const QString &c : candidates)
        if (!c.isEmpty() && QFileInfo(c).isDir())
            return QDir(c).absolutePath() + QLatin1Char('/');
    return QDir::homePath() + QLatin1Char('/');
}

void remember(const QString &folder)
{
    if (!folder.isEmpty())
        lastFolder = folder;
}

bool chooseFile(QWidget *parent, const QString &title, QString &path)
{
    if (Dialogs::Test::enabled()) {
        const QString answer = files.isEmpty() ? QString() : files.dequeue();
        if (answer.isNull())
            return false;
        path = answer;
        return true;
    }
    const QString picked = QFileDialog::getOpenFileName(parent, title, startFolder(path), QStringLiteral("Tutti i file (*)"));
    if (picked.isEmpty())
        return false;
    lastFolder = QFileInfo(picked).absolutePath();
    path = QDir::toNativeSeparators(picked);
    return true;
}

bool open(QWidget *parent, const QString &path)
{
    const QString target = path.trimmed();
    if (!QFileInfo::exists(target)) {
        Dialogs::warning(parent, QStringLiteral("Attenzione: il file \"%1\" non esiste più o non è raggiungibile.\n\r\n\r"
                                                "Verificare che il supporto o la cartella di rete che lo contiene sia "
                                                "collegato, oppure allegare di nuovo il file.")
                                     .arg(target));
        return false;
    }
    return Desktop::Open(QLatin1Char('"') + target + QLatin1Char('"'));
}

namespace Test {
void queueFile(const QString &path) { files.enqueue(path); }
void clear() { files.clear(); }
}

}
