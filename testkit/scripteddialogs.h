// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizard/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <variant>

// A stand-in for the real dialogs: answers every question from a script and records what
// was asked, in order.
class ScriptedDialogs final : public wizard::Dialogs
{
public:
    enum class Kind { Message, Input, End };
    struct Call
    {
        Kind kind;
        QString prompt;
        int style = 0;
        QString title;
    };

    // Queue the next answers: a code for a message box, a text for an input box.
    ScriptedDialogs &answer(wizard::Answer code)
    {
        m_script.emplace_back(code);
        return *this;
    }
    ScriptedDialogs &answer(int code) { return answer(wizard::Answer(code)); }
    // Queues answers written as a test table writes them: "#N" answers a message box with the
    // code N, any other text is typed into an input box.
    ScriptedDialogs &script(const QStringList &answers)
    {
        for (const QString &given : answers) {
            if (given.startsWith(u'#'))
                answer(given.mid(1).toInt());
            else
                type(given);
        }
        return *this;
    }
    ScriptedDialogs &type(const QString &text)
    {
        m_script.emplace_back(text);
        return *this;
    }

    // What a dialog answers when the next scripted answer is not for its kind, or there is none;
    // without these, such a dialog is a fault that ends the program, so a test cannot hang.
    std::optional<QString> defaultText;
    std::optional<wizard::Answer> defaultAnswer;

    // Runs while each dialog is open, before it answers: what else the user does meanwhile.
    std::function<void(const Call &)> meanwhile;

    QList<Call> calls;
    int faults = 0; // unscripted or mismatched dialogs, and anything asked after end()
    bool ended = false;
    std::size_t pending() const { return m_script.size(); }

    wizard::Answer messageBox(const QString &prompt, wizard::Style style,
                              const QString &title = {}) override
    {
        calls.append({Kind::Message, prompt, int(style), title});
        faults += ended;
        if (meanwhile)
            meanwhile(calls.last());
        if (!m_script.empty() && std::holds_alternative<wizard::Answer>(m_script.front())) {
            const wizard::Answer code = std::get<wizard::Answer>(m_script.front());
            m_script.pop_front();
            return code;
        }
        if (defaultAnswer)
            return *defaultAnswer;
        ++faults;
        // Yes to a style-20 question and Cancel to a style-3 one both end the program.
        return wizard::buttonsOf(style) == wizard::Style::YesNoCancel ? wizard::Answer::Cancel
                                                                      : wizard::Answer::Yes;
    }

    QString inputBox(const QString &prompt) override
    {
        calls.append({Kind::Input, prompt, 0, {}});
        faults += ended;
        if (meanwhile)
            meanwhile(calls.last());
        if (!m_script.empty() && std::holds_alternative<QString>(m_script.front())) {
            QString text = std::get<QString>(m_script.front());
            m_script.pop_front();
            return text;
        }
        if (defaultText)
            return *defaultText;
        ++faults;
        return QString();
    }

    void end() override
    {
        calls.append({Kind::End, {}, 0, {}});
        faults += ended;
        ended = true;
    }

    bool ending() const override { return ended; }

private:
    std::deque<std::variant<wizard::Answer, QString>> m_script;
};
