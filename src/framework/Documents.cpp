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

bool chooseFile(QWidget *parent, const QString &title, QString &path)
{
    if (Dialogs::Test::enabled()) {
        const QString answer = files.isEmpty() ? QString() : files.dequeue();
        if (answer.isNull())
            return false;
        path = answer;
        return true;
    }
    // The chooser starts where the last file was picked, or beside the current one.
    QString start = lastFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : lastFolder;
    if (!path.trimmed().isEmpty())
        start = QFileInfo(path.trimmed()).absolutePath();
    const QString picked = QFileDialog::getOpenFileName(parent, title, start, QStringLiteral("Tutti i file (*)"));
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
    return TMisc::Open(QLatin1Char('"') + target + QLatin1Char('"'));
}

namespace Test {
void queueFile(const QString &path) { files.enqueue(path); }
void clear() { files.clear(); }
}

}
