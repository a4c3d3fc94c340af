#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// Style numbers of a message box: the buttons in the low bits, the icon as a flag.
namespace style {
inline constexpr int OkOnly = 0;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
} // namespace style

// Answer codes a message box returns.
namespace answer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace answer

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
    virtual int messageBox(const QString &prompt, int style, const QString &title = {}) = 0;

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

} // namespace platform
