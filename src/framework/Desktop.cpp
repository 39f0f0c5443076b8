#include "framework/Desktop.h"

#include "framework/Dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace Desktop {

namespace {
bool testMode = false;
bool testFails = false;
QList<QUrl> record;

// Qt only says that the desktop could not open it: most often nothing is set to open that kind
// of file or address. The user is told where the thing is, to open it by hand.
QString failureText(const QUrl &url)
{
    if (url.scheme() == QLatin1String("mailto"))
        return QStringLiteral("Attenzione: su questo computer nessun programma di posta elettronica è impostato "
                              "per scrivere all'indirizzo \"%1\".\n\r\n\r"
                              "Scrivere il messaggio con il proprio programma di posta.")
            .arg(url.path());
    if (!url.isLocalFile())
        return QStringLiteral("Attenzione: su questo computer nessun programma è impostato per aprire l'indirizzo "
                              "\"%1\".\n\r\n\rAprirlo a mano nel proprio programma di navigazione.")
            .arg(url.toString());
    const QFileInfo file(url.toLocalFile());
    return QStringLiteral("Attenzione: su questo computer nessun programma è impostato per aprire il file \"%1\".\n\r\n\r"
                          "Il file si trova nella cartella \"%2\": aprirlo da lì con il programma adatto.")
        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
}
}

QUrl urlFor(const QString &command)
{
    QString target = command.trimmed();
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2).trimmed();
    if (target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        // Screens build the address as plain text: "mailto:" + address, then "?subject=" and
        // "&body=" with blanks and accents as typed. Each part is encoded on its own, so the
        // message arrives with its words intact.
        const QString rest = target.mid(7);
        const qsizetype mark = rest.indexOf(QLatin1Char('?'));
        QByteArray encoded = "mailto:" + QUrl::toPercentEncoding(rest.left(mark).trimmed(), "@,");
        if (mark >= 0) {
            QByteArrayList fields;
            for (const QString &field : rest.mid(mark + 1).split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
                const qsizetype eq = field.indexOf(QLatin1Char('='));
                fields << QUrl::toPercentEncoding(field.left(eq)) + '='
                              + (eq < 0 ? QByteArray() : QUrl::toPercentEncoding(field.mid(eq + 1)));
            }
            encoded += '?' + fields.join('&');
        }
        return QUrl::fromEncoded(encoded);
    }
    if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        return QUrl::fromUserInput(target);
    }
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool Open(const QString &command)
{
    const QUrl url = urlFor(command);
    bool opened;
    if (testMode) {
        record.append(url);
        opened = !testFails;
    } else {
        opened = QDesktopServices::openUrl(url);
    }
    if (!opened)
        Dialogs::warning(nullptr, failureText(url));
    return opened;
}

namespace Test {
void setEnabled(bool on) { testMode = on; }
void setFailing(bool on) { testFails = on; }
QList<QUrl> &opened() { return record; }
}

}
