// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace wizard {

// The style of a message box: its buttons in the low bits, and the critical icon as a flag.
enum class Style : int { OkOnly = 0, YesNoCancel = 3, YesNo = 4, Critical = 16 };

constexpr Style operator|(Style buttons, Style icon)
{
    return Style(int(buttons) | int(icon));
}
constexpr Style buttonsOf(Style style)
{
    return Style(int(style) & ~int(Style::Critical));
}
constexpr bool isCritical(Style style)
{
    return (int(style) & int(Style::Critical)) != 0;
}

// The answer a message box returns.
enum class Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// A message box's buttons, by the answers they give, the default first.
inline QList<Answer> answersOf(Style style)
{
    switch (buttonsOf(style)) {
    case Style::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case Style::YesNo:
        return {Answer::Yes, Answer::No};
    default:
        return {Answer::Ok};
    }
}

// What Escape and the box's close box answer: Cancel where there is one, else the last button.
inline Answer closeAnswerOf(Style style)
{
    return answersOf(style).last();
}

// The title of every input box, and of a message box called without one.
inline constexpr QStringView ApplicationTitle = u"Vertex2";

// The modal dialogs and the end of the program, as the wizard window uses them.
// The window receives an implementation from outside, so tests can answer every question.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Blocks until the user answers; returns an answer code. An empty title means the
    // application title.
    virtual Answer messageBox(const QString &prompt, Style style, const QString &title = {}) = 0;

    // Blocks; returns the typed text on OK, the empty text on Cancel or close.
    virtual QString inputBox(const QString &prompt) = 0;

    // Closes the window and stops the event loop. It returns to its caller, which must run
    // no further statement of its handler.
    virtual void end() = 0;

    // Gives the next dialog a text that a screen reader says before its prompt: what the
    // window has just shown, which the dialog taking the focus would otherwise cut short.
    virtual void announce(const QString &text) { Q_UNUSED(text); }

    // True once the program is ending, whatever ended it: end(), the window closed by the
    // window manager, the application told to quit. From then on no dialog opens (each answers
    // at once as if closed), and the wizard's handlers stop instead of asking again.
    virtual bool ending() const = 0;

protected:
    Dialogs() = default;
    Dialogs(const Dialogs &) = default;
    Dialogs &operator=(const Dialogs &) = default;
};

} // namespace wizard
