#include "framework/Dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QLabel>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace Dialogs {

namespace {
bool testMode = false;
QVector<Shown> record;
QQueue<bool> answers;
QQueue<QString> inputs;
QQueue<int> choices;

// The texts join paragraphs with a line feed and a carriage return, each of which a box would
// show as a line of its own: one break is kept for each pair.
QString displayed(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool waitCursorShown()
{
    const QCursor *c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

QString titleFor(QWidget *parent)
{
    QWidget *w = parent ? parent->window() : QApplication::activeWindow();
    return w ? w->windowTitle().trimmed() : QStringLiteral("Veltaro");
}

QMessageBox::StandardButton show(QWidget *parent, Kind kind, const QString &text, bool noByDefault = false)
{
    const QString title = titleFor(parent);
    record.append(Shown{kind, text, title, waitCursorShown()});
    if (testMode) {
        if (kind != Kind::Question)
            return QMessageBox::Ok;
        return (!answers.isEmpty() && answers.dequeue()) ? QMessageBox::Yes : QMessageBox::No;
    }
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Messages quote names and texts the user typed: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(displayed(text));
    switch (kind) {
    case Kind::Warning:
    case Kind::Error:
    case Kind::Information:
        box.setIcon(kind == Kind::Warning ? QMessageBox::Warning
                     : kind == Kind::Error ? QMessageBox::Critical
                                           : QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Kind::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
        break;
    case Kind::Notice:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // The buttons' words do not depend on a translation file being installed.
    static const struct { QMessageBox::StandardButton button; const char *text; } words[] = {
        {QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Annulla"}, {QMessageBox::Yes, "Sì"}, {QMessageBox::No, "No"}};
    for (const auto &w : words)
        if (QAbstractButton *b = box.button(w.button))
            b->setText(QString::fromUtf8(w.text));
    return QMessageBox::StandardButton(box.exec());
}
}

void warning(QWidget *parent, const QString &text) { show(parent, Kind::Warning, text); }
void error(QWidget *parent, const QString &text) { show(parent, Kind::Error, text); }
void information(QWidget *parent, const QString &text) { show(parent, Kind::Information, text); }
void notice(QWidget *parent, const QString &text) { show(parent, Kind::Notice, text); }

bool question(QWidget *parent, const QString &text, bool noByDefault)
{
    return show(parent, Kind::Question, text, noByDefault) == QMessageBox::Yes;
}

int choice(QWidget *parent, const QString &text, const QStringList &buttons, int defaultIndex)
{
    const QString title = titleFor(parent);
    record.append(Shown{Kind::Question, text, title, waitCursorShown()});
    if (testMode)
        return choices.isEmpty() ? defaultIndex : choices.dequeue();
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Messages quote names and texts the user typed: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(displayed(text));
    box.setIcon(QMessageBox::Question);
    QVector<QAbstractButton *> pressed;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const bool last = i == buttons.size() - 1;
        QPushButton *b = box.addButton(buttons.at(i), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        pressed.append(b);
        if (i == defaultIndex)
            box.setDefaultButton(b);
        if (last)
            box.setEscapeButton(b);
    }
    box.exec();
    const qsizetype i = pressed.indexOf(box.clickedButton());
    return i < 0 ? int(buttons.size()) - 1 : int(i);
}

void show(QWidget *parent, const Message &message)
{
    switch (message.kind) {
    case MessageKind::None: break;
    case MessageKind::Warning: warning(parent, message.text); break;
    case MessageKind::Notice: notice(parent, message.text); break;
    case MessageKind::Information: information(parent, message.text); break;
    }
}

bool inputBox(QWidget *parent, const QString &title, const QString &prompt, QString &value)
{
    if (testMode) {
        const QString answer = inputs.isEmpty() ? QString() : inputs.dequeue();
        if (answer.isNull())
            return false;
        value = answer;
        return true;
    }
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(value);
    box.setOkButtonText(QStringLiteral("OK"));
    // Wide enough for its title bar to show the whole title (the dialog takes its size from
    // what it holds).
    if (auto *label = box.findChild<QLabel *>())
        label->setMinimumWidth(QFontMetrics(box.font()).horizontalAdvance(title) * 3 / 2 + 120);
    box.setCancelButtonText(QStringLiteral("Annulla"));
    if (box.exec() != QDialog::Accepted)
        return false;
    value = box.textValue();
    return true;
}

QString archiveAccessText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

namespace Test {
void setEnabled(bool on) { testMode = on; }
bool enabled() { return testMode; }
QVector<Shown> &shown() { return record; }
Shown last() { return record.isEmpty() ? Shown{Kind::Notice, QString(), QString()} : record.last(); }
void clear()
{
    record.clear();
    answers.clear();
    inputs.clear();
    choices.clear();
}
void queueAnswer(bool yes) { answers.enqueue(yes); }
void queueInput(const QString &text) { inputs.enqueue(text); }
void queueChoice(int index) { choices.enqueue(index); }
}

}
