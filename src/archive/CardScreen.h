#pragma once
#include "archive/RecordLayout.h"
#include "framework/WorkWindow.h"

#include <QColor>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>

class QLabel;

// The card workflow every module screen shares: New, Save, First, Previous, Next, Last and
// Duplicate over one archive, with the position label as the only link between the screen
// and the file. A module gives its layout, builds its widgets (named after the fields) and
// fills in the hooks.
class CardScreen : public WorkWindow
{
    Q_OBJECT
public:
    CardScreen(const QString &objectName, const QString &caption, const RecordLayout &layout,
               QWidget *parent = nullptr);

    QLabel *lblPosizione() const { return m_position; }
    // Loads a record read elsewhere (a find screen's pick) as the stored card at position n.
    void loadCard(qint64 n, const Record &record);
    // The archive this screen works on.
    virtual QString archivePath() const = 0;

    // Commands that rooms above the archive lend to every card screen (the export, the card
    // prints): for a screen and a command name, its action, or none when it is not theirs.
    using LentCommands = std::function<std::function<void()>(CardScreen *screen, const QString &command)>;
    static void lendCommands(LentCommands lender);

public slots:
    void newCard();
    void save();
    void first();
    void previous();
    void next();
    void last();
    void duplicate();

protected:
    // Binds every field to the widget "txt" + name, or the hidden label "lbl" + name;
    // call once the widgets exist. Fields with no widget are left to load/storeSpecial.
    void bindFields();
    // The command bar: one picture per command, in order; a command without a name stands
    // for the position label. "cmdEsci" closes the screen.
    struct Command {
        const char *name;
        const char *text;
        const char *hint;
        const char *glyph;
        QColor colour;
        std::function<void()> action;
    };
    QWidget *buildCommandBar(const QVector<Command> &commands);
    // The bar of the preset and shift screens, from the commands' names in bar order (an
    // empty name is the position label): texts, hints and pictures are the same on every
    // screen; the card workflow's commands act by themselves, the others as given in actions
    // or stay unavailable until their screens exist.
    QWidget *buildStandardBar(const QStringList &names, const QHash<QString, std::function<void()>> &actions);
    // Creates the position label and the six hidden attachment labels.
    QLabel *createPositionLabel(QWidget *parent);
    void createAttachmentLabels(QWidget *parent);

    virtual void setDefaults() {}
    virtual bool checkSave() { return true; }
    virtual QWidget *firstField() const = 0;
    virtual void duplicateAlso() {}
    // Where the focus goes after Duplicate.
    virtual QWidget *duplicateFocus() const { return firstField(); }
    // The project card tells a failed Save in a plain notice, not the error box.
    virtual bool saveFailureIsNotice() const { return false; }
    virtual void loadSpecial(const Record &) {}
    virtual void storeSpecial(Record &) {}
    void showEvent(QShowEvent *event) override;
    // The worker screen opens on a new card each time; others may keep their card.
    virtual bool newCardOnShow() const { return true; }

    Record &buffer() { return m_buffer; }

private:
    struct Binding {
        int field;
        QWidget *widget;
    };
    void loadFromBuffer();
    void storeToBuffer();
    void storeTo(Record &record);
    void keepUntouchedFields();
    void showEnd(bool last);
    void accessFailed();
    void saveFailed();
    bool readAt(class ArchiveFile &archive, qint64 n);
    qint64 position() const;

    bool overwrite(class ArchiveFile &archive, qint64 n);

    Record m_buffer;
    // The bytes the stored card on screen was loaded from (or last saved as), to tell on
    // Save whether someone else has written the card meanwhile. Empty for a new card.
    QByteArray m_loaded;
    // What Save would write had nothing on screen been touched since the card was loaded or
    // saved: a field that still stores as this keeps the very bytes it was read from.
    QByteArray m_untouched;
    QVector<Binding> m_bindings;
    QLabel *m_position = nullptr;
};

namespace CardText {
QString saved();
QString inserted();
QString empty();
QString duplicateWarning();
QString duplicated();
QString changedElsewhere();
QStringList changedElsewhereAnswers();   // overwrite, reload, cancel
}

// Reads and writes a bound widget's text, whatever kind of box it is.
namespace WidgetText {
QString get(const QWidget *w);
void set(QWidget *w, const QString &text);
}
