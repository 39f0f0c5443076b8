#pragma once
#include "archive/CardScreen.h"

class QLineEdit;
class QPushButton;

// The worker registry: one card per worker in Dipendenti.pro.
class WorkerCardScreen : public CardScreen
{
    Q_OBJECT
public:
    explicit WorkerCardScreen(QWidget *parent = nullptr);
    QString archivePath() const override;

    // Actions of the commands other screens provide; set by whoever builds those screens.
    static inline std::function<void(WorkerCardScreen *)> openFind;
    static inline std::function<void(WorkerCardScreen *)> openExpiring;
    // Given the trimmed codice fiscale; chooses between the codice fiscale and partita IVA checks.
    static inline std::function<void(QWidget *, const QString &)> openTaxCodeCheck;
    static inline std::function<void(QWidget *, const QString &)> openVatCheck;
    static inline std::function<void(QWidget *, const QString &)> openIbanCheck;
    static inline std::function<void(QWidget *, const QString &)> openCardCheck;

    // Refreshes the enabled state of the commands whose screens exist.
    void updateCommands();

protected:
    void build() override;
    void setDefaults() override;
    bool checkSave() override;
    QWidget *firstField() const override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *box(const char *field) const;
    void buildForm();
    void buildCommands();
    void checkTaxCode();
    void sendEmail();
};
