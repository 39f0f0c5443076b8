#pragma once
#include "framework/WorkWindow.h"

class QLabel;

// A menu that leads to other screens by module tag and goes back to the main menu with "avvio".
class ModuleMenu : public WorkWindow
{
    Q_OBJECT
public:
    using WorkWindow::WorkWindow;
    QLabel *lblMemory() const { return m_memory; }
protected:
    QWidget *buildFrame(const QString &info, const QString &helpTopic);
    void whenClosed() override;
    QLabel *m_memory = nullptr;
};
