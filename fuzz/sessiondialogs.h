// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizard/dialogs.h"
#include "wizard/frm1.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <tuple>

// Reports a broken promise and stops the fuzzer, which keeps the input.
[[noreturn]] void fail(const char *what, const char *how, const QString &detail);

// The bytes of a session, taken from the front.
class Script
{
public:
    explicit Script(std::string_view bytes)
        : m_rest(bytes)
    { }
    std::optional<unsigned char> next();
    std::optional<unsigned char> peek() const;
    // The text up to the next line feed, which goes with it; the rest when there is none.
    std::string_view line();

private:
    std::string_view m_rest;
};

// The dialogs of a session, answered from its script. Each question is checked against the page
// it is asked on, and the window's slots against what the answers so far make of them. The end
// of the program, by end() or by the window closing, is noted with the window as it then was.
class SessionDialogs final : public QObject, public wizard::Dialogs
{
public:
    explicit SessionDialogs(Script &script)
        : m_script(script)
    { }

    // The window whose questions these are, and whose closing ends the session.
    void watch(wizard::frm1 &window);

    wizard::Answer messageBox(const QString &prompt, wizard::Style style,
                              const QString &title = {}) override;
    QString inputBox(const QString &prompt) override;
    void end() override;
    bool ending() const override { return m_ended; }

    long answered() const { return m_answered; }

    // The slots A, B, C, D, x1, x2 and the answer, against the model.
    void checkSlots() const;
    // Nothing has changed since the end but the answer to the question it interrupted.
    void checkNothingAfterEnd() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls' states, the texts and the slots: what no handler may change after the end.
    struct Snapshot
    {
        QList<std::tuple<QString, bool, bool>> controls; // name, hidden, enabled
        QString preview, verdict;
        std::array<double, 6> slotValues{};
        bool operator==(const Snapshot &) const = default;
    };
    Snapshot snapshot() const;

    // The slots as the answers so far make them: each stage stores every finite number typed
    // for its coefficient, the result page D and the roots it has, each question its answer.
    struct Model
    {
        std::array<double, 6> slotValues{}; // A, B, C, D, x1, x2
        wizard::Answer answer{};
    };

    // Checks a question against the page it is asked on; returns the coefficient an input box
    // asks for.
    int asked(const QString &prompt, std::optional<wizard::Style> style, const QString &title);
    // Presses one of the window's visible buttons, picked by the byte, under the open box.
    void pressBehind(std::optional<unsigned char> pick);
    void closeUnder();
    void noteEnd();

    Script &m_script;
    wizard::frm1 *m_window = nullptr;
    QString m_lastPressed; // the button whose handler is running
    Model m_model;
    bool m_ended = false;
    bool m_open = false; // a box is open
    Snapshot m_atEnd;
    long m_answered = 0;
};
