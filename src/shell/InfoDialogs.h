#pragma once
#include <QDialog>

// Who makes the program and how to reach them.
namespace Vendor {
QString name();
QString webAddress();
QString email();
// The ready-made message to the vendor, as plain text: "mailto:" + address, subject and body.
QString mailCommand();
}

// About the program: what it is, where its data are, and a ready-made e-mail to the vendor.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
    static void open(QWidget *parent);
};

// Credits, with the link to the vendor's web site; centred on its owner.
class SplashDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SplashDialog(QWidget *parent = nullptr);
    static void open(QWidget *parent);
};
