// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizard/dialogs.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace platform {

// Dialogs made of QMessageBox and QInputDialog, modal to the window they are attached to.
// Once the application quits, every event loop returns at once, so a dialog could no longer
// wait for an answer: the program is then ending, and an open dialog is closed.
class QtDialogs final : public QObject, public wizard::Dialogs
{
    Q_OBJECT

public:
    QtDialogs();

    // The window the dialogs belong to, and the one that end() closes.
    void attach(QWidget *window);

    wizard::Answer messageBox(const QString &prompt, wizard::Style style,
                              const QString &title = {}) override;
    QString inputBox(const QString &prompt) override;
    void end() override;
    bool ending() const override { return m_ending; }
    void announce(const QString &text) override { m_announced = text; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startEnding();
    int run(QDialog &dialog, const QString &prompt);

    QPointer<QWidget> m_window;
    QPointer<QDialog> m_open;
    bool m_ending = false;
    QString m_announced;
};

} // namespace platform
