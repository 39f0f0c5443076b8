#include "shell/LoginDialog.h"

#include "framework/BoxBehaviour.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "framework/WorkWindow.h"
#include "settings/PasswordFile.h"
#include "settings/ProgramFolder.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The password file in the data folder.
QString passwordPath()
{
    return ProgramFolder::file(QLatin1String(PasswordFile::FileName));
}

void centre(QWidget *w)
{
    if (QScreen *s = w->screen())
        w->move(s->availableGeometry().center() - w->rect().center());
}

QLineEdit *passwordBox(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    return e;
}
}

LoginDialog::LoginDialog(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral(" Veltaro - Accesso"));
    setFixedSize(434, 419);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(28, 24, 28, 20);
    auto *logo = new QLabel(this);
    logo->setPixmap(Pictures::tile(QStringLiteral("V"), QColor(0x2f, 0x6f, 0xb5), 48).pixmap(56, 56));
    auto *title = new QLabel(QStringLiteral("Veltaro"), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    title->setFont(f);
    auto *head = new QHBoxLayout;
    head->addWidget(logo);
    head->addWidget(title, 1);
    outer->addLayout(head);
    outer->addSpacing(12);
    const QString lines[] = {
        QStringLiteral("E' possibile proteggere l'accesso al programma"),
        QStringLiteral("con una password di propria scelta."),
        QStringLiteral("Per il primo accesso dopo ogni installazione del software,"),
        QStringLiteral("utilizzare la password iniziale: %1").arg(QLatin1String(PasswordFile::InitialPassword)),
    };
    for (const QString &l : lines)
        outer->addWidget(new QLabel(l, this));
    outer->addSpacing(10);
    auto *prompt = new QLabel(QStringLiteral("Immettere la password e premere OK."), this);
    outer->addWidget(prompt);
    outer->addSpacing(6);
    m_password = passwordBox("txtPassword", this);
    m_password->setAccessibleName(QStringLiteral("Password"));
    m_password->setAccessibleDescription(prompt->text());
    outer->addWidget(m_password);
    Box::setup(m_password);
    Box::highlight(m_password);
    outer->addStretch();
    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setEnabled(false);
    auto *exit = new QPushButton(QStringLiteral("Esci"), this);
    exit->setObjectName(QStringLiteral("cmdEsci"));
    auto *change = new QPushButton(QStringLiteral("Cambia Password"), this);
    change->setObjectName(QStringLiteral("btnCambiaPassword"));
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(exit);
    outer->addLayout(buttons);
    // Tab from the password reaches OK first, then the other choices.
    QWidget::setTabOrder(m_password, m_ok);
    QWidget::setTabOrder(m_ok, change);
    QWidget::setTabOrder(change, exit);

    connect(m_password, &QLineEdit::textChanged, this,
            [this] { m_ok->setEnabled(!Routines::trimmed(m_password->text()).isEmpty()); });
    connect(m_password, &QLineEdit::returnPressed, this, [this] {
        if (!Routines::trimmed(m_password->text()).isEmpty())
            tryLogin();
    });
    connect(m_ok, &QPushButton::clicked, this, &LoginDialog::tryLogin);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(change, &QPushButton::clicked, this, [this] {
        m_leaving = true;
        emit changeRequested();
        hide();
        m_leaving = false;
    });
}

void LoginDialog::ask()
{
    m_password->clear();
    centre(this);
    show();
    raise();
    activateWindow();
    m_password->setFocus();
}

void LoginDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_password->setFocus();
}

void LoginDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit quitRequested();
}

void LoginDialog::tryLogin()
{
    const auto result = PasswordFile::login(passwordPath(), m_password->text());
    if (result == PasswordFile::LoginResult::Admitted) {
        emit admitted();
        hide();
        return;
    }
    Dialogs::show(this, PasswordFile::message(result));
    if (result == PasswordFile::LoginResult::WrongPassword) {
        m_password->clear();
        m_password->setFocus();
    }
}

ChangePasswordDialog::ChangePasswordDialog(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TfrmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Modifica Password"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(28, 24, 28, 20);
    outer->addWidget(new QLabel(QStringLiteral("Per cambiare la password, compilare i campi"), this));
    outer->addWidget(new QLabel(QStringLiteral("sottostanti e premere il pulsante OK."), this));
    outer->addSpacing(12);
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(12);
    grid->setHorizontalSpacing(12);
    m_old = passwordBox("txtPasswordOld", this);
    m_new = passwordBox("txtPasswordNew", this);
    m_confirm = passwordBox("txtConferma", this);
    const std::pair<const char *, QLineEdit *> rows[] = {
        {"Vecchia PW:", m_old}, {"Nuova PW:", m_new}, {"Conferma nuova PW:", m_confirm}};
    int r = 0;
    for (const auto &[label, box] : rows) {
        auto *caption = new QLabel(QString::fromUtf8(label), this);
        caption->setBuddy(box);
        grid->addWidget(caption, r, 0);
        grid->addWidget(box, r++, 1);
        Box::setup(box);
        Box::highlight(box);
        connect(box, &QLineEdit::textChanged, this, &ChangePasswordDialog::updateOk);
    }
    Box::chain({m_old, m_new, m_confirm});
    outer->addLayout(grid);
    outer->addSpacing(16);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setEnabled(false);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdEsci"));
    buttons->addWidget(m_ok);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    setFixedSize(420, sizeHint().height() + 10);
    connect(m_ok, &QPushButton::clicked, this, &ChangePasswordDialog::change);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void ChangePasswordDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
    centre(this);
    m_old->setFocus();
}

void ChangePasswordDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

void ChangePasswordDialog::updateOk()
{
    m_ok->setEnabled(!Routines::trimmed(m_old->text()).isEmpty() && !Routines::trimmed(m_new->text()).isEmpty()
                     && !Routines::trimmed(m_confirm->text()).isEmpty());
}

void ChangePasswordDialog::change()
{
    using PasswordFile::ChangeResult;
    const ChangeResult result =
        PasswordFile::change(passwordPath(), m_old->text(), m_new->text(), m_confirm->text());
    Dialogs::show(this, PasswordFile::message(result));
    switch (result) {
    case ChangeResult::Changed:
        close();
        break;
    case ChangeResult::OldPasswordWrong:
        m_old->clear();
        m_old->setFocus();
        break;
    case ChangeResult::NotConfirmed:
    case ChangeResult::TooLong:
    case ChangeResult::UnstorableCharacter:
        m_new->clear();
        m_confirm->clear();
        m_new->setFocus();
        break;
    default:
        break;
    }
}
