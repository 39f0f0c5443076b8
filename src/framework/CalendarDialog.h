#pragma once
#include <QDialog>
#include <QHash>
#include <QPointer>

class QCalendarWidget;
class QLabel;
class QLineEdit;

// The date picker: writes the picked date into the box named by its module tag.
class CalendarDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CalendarDialog(QWidget *parent = nullptr);
    QLabel *lblMemory() const { return m_memory; }
    QCalendarWidget *calendar() const { return m_calendar; }

    // The screens register the boxes a tag fills.
    static void registerTarget(const QString &tag, QLineEdit *box);
    // Creates a picker for tag, shows it modally and destroys it.
    static void pick(QWidget *owner, const QString &tag);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void importDate();
    QLabel *m_memory;
    QCalendarWidget *m_calendar;
    static inline QHash<QString, QPointer<QLineEdit>> targets;
};
