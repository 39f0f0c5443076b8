#pragma once
#include <QWidget>

class QLineEdit;
class QPushButton;

// The login window: the program's first window, in front of the main menu.
class LoginDialog : public QWidget
{
    Q_OBJECT
public:
    explicit LoginDialog(QWidget *parent = nullptr);
    // Empties the box, shows the window and puts the focus in the box.
    void ask();

signals:
    void admitted();
    void quitRequested();
    void changeRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void tryLogin();
    QLineEdit *m_password;
    QPushButton *m_ok;
    bool m_leaving = false;
};

// Changes the password; closing it in any way goes back to the login window.
class ChangePasswordDialog : public QWidget
{
    Q_OBJECT
public:
    explicit ChangePasswordDialog(QWidget *parent = nullptr);

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOk();
    void change();
    QLineEdit *m_old;
    QLineEdit *m_new;
    QLineEdit *m_confirm;
    QPushButton *m_ok;
};
