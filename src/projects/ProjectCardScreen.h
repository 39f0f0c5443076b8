#pragma once
#include "archive/CardScreen.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The project archive of one year: one card per project, in the archive named by lblFile.
// The sections of the card lie on five panels chosen by five tabs.
class ProjectCardScreen : public CardScreen
{
    Q_OBJECT
public:
    explicit ProjectCardScreen(QWidget *parent = nullptr);
    QString archivePath() const override;

    // The sections in tab order: "Descrizione", "Partecipanti", "Materiali", "Registro", "Costi".
    static const QStringList &sectionNames();
    void selectSection(int index);
    int selectedSection() const;
    // The text a control shows, as the RTF card takes it.
    QString shownText(const QString &field) const;

protected:
    void build() override;
    void setDefaults() override;
    bool checkSave() override;
    bool saveFailureIsNotice() const override { return true; }
    QWidget *firstField() const override;
    void duplicateAlso() override;
    void loadSpecial(const Record &record) override;
    void storeSpecial(Record &record) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *box(const char *field) const;
    void buildTabs();
    int sectionOf(QWidget *control) const;
    QCheckBox *m_finished = nullptr;
    QList<QWidget *> m_panels;
    QList<QWidget *> m_firstOfPanel;
};
