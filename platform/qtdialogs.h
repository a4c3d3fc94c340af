#pragma once

#include "dialogs.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// Dialogs made of QMessageBox and QInputDialog, modal to the window they are attached to.
class QtDialogs final : public Dialogs
{
public:
    QtDialogs() = default;

    // The window the dialogs belong to, and the one that end() closes.
    void attach(QWidget *window) { m_window = window; }

    int messageBox(const QString &prompt, int style, const QString &title = {}) override;
    QString inputBox(const QString &prompt) override;
    void end() override;

private:
    QPointer<QWidget> m_window;
};

} // namespace platform
