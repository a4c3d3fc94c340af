// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>

// What a user's hands do to an open dialog.

inline QPushButton *buttonWithText(const QWidget *dialog, const QString &text)
{
    const auto buttons = dialog->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Types into the input box's field and presses its OK button.
inline void typeAndAccept(QWidget *dialog, const QString &text)
{
    QTest::keyClicks(dialog->findChild<QLineEdit *>(), text);
    QTest::mouseClick(buttonWithText(dialog, QStringLiteral("ОК")), Qt::LeftButton);
}
