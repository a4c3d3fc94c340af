// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testkit/scripteddialogs.h"
#include "wizard/frm1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// A fresh window with scripted dialogs, shown and active, for each test function.
struct WindowFixture
{
    ScriptedDialogs dialogs;
    std::unique_ptr<wizard::frm1> window;

    void create()
    {
        dialogs = ScriptedDialogs();
        window = std::make_unique<wizard::frm1>(dialogs);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the window did not become active");
    }

    template<typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = window->findChild<T *>(QLatin1StringView(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QString caption(const char *name) const { return control<QLabel>(name)->text(); }
    QString preview() const { return control<QLineEdit>("txtCheck")->text(); }

    // Presses a button the way a user does, with the mouse.
    void click(const char *name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
};
