#include "framework/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace TMisc {

namespace {
bool testMode = false;
QList<QUrl> record;
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
    if (testMode) {
        record.append(url);
        return true;
    }
    return QDesktopServices::openUrl(url);
}

namespace Test {
void setEnabled(bool on) { testMode = on; }
QList<QUrl> &opened() { return record; }
}

}
