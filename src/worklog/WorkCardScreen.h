#pragma once
#include "archive/CardScreen.h"
#include "worklog/WorkComputations.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The work log of one year: one card per work performance, in the archive named by lblFile.
class WorkCardScreen : public CardScreen
{
    Q_OBJECT
public:
    explicit WorkCardScreen(QWidget *parent = nullptr);
    QString archivePath() const override;

    // Screens built elsewhere: the worker find in its "lavori" mode and the identifier check.
    static inline std::function<void(WorkCardScreen *)> openWorkerFind;
    static inline std::function<void(QWidget *, const QString &)> openTaxCodeCheck;
    // The work find, the incomplete-works summary and the project import.
    static inline std::function<void(WorkCardScreen *)> openFind;
    static inline std::function<void(WorkCardScreen *)> openIncomplete;
    static inline std::function<void(WorkCardScreen *)> openProjectImport;

    void computeHours();
    void computeTotalDue();
    void updateCommands();

protected:
    void build() override;
    void setDefaults() override;
    bool checkSave() override;
    QWidget *firstField() const override;
    void duplicateAlso() override;
    QWidget *duplicateFocus() const override;
    void loadSpecial(const Record &record) override;
    void storeSpecial(Record &record) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *box(const char *field) const;
    QComboBox *timeBox(const char *field) const;
    void buildCommands();
    void buildForm();
    WorkComputations::Times times() const;
    void noteOtherYear();
    QCheckBox *m_incomplete = nullptr;
    class QLabel *m_otherYear = nullptr;
};
