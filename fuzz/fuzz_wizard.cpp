// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions of a restless pupil through the real wizard window: arbitrary bytes become clicks,
// keys, the close box and the answers to every dialog the window asks, and after every step
// the window must still keep its promises.
//
//   fuzz_wizard -max_total_time=600 NEW_INPUTS_FOLDER fuzz/sessions
//
// The bytes read as a session, one step after another:
//   no dialog open  N B X      a click at the centre of Next, Back or Exit (each kind of button
//                              has one place), as the mouse delivers it: to whatever is there
//                   P H R      a click on the preview, its heading, the result
//                   W J K L I  a click on the welcome heading, its three texts, the picture
//                   \n, blank  Enter, Space on the focused control
//                   \t T       Tab, Shift+Tab
//                   Q          the window's close box
//   message box     y n c o    that button, or another of the box's if it has none such
//                   \n, blank  Enter, Space: the default button, which has the focus
//                   e          Escape or the box's close box
//                   q          the window closes under the box (the desktop session ends)
//                   p and a byte   a visible window button, picked by the byte, pressed
//                              behind the box by its accessibility action and click(); then
//                              the box waits for its answer as before
//   input box       ~q         the window closes under the box
//                   ~p and a byte  a window button pressed behind the box, as above
//                   ~ and any other byte: Cancel, Escape or the close box
//                   any other text, up to a line feed: typed, then OK
// Any other byte stands for the step its value picks. When the bytes run out, the session
// stops; in a dialog, the window closes under it.

#include "fuzz/sessiondialogs.h"
#include "solver/numbertext.h"
#include "testkit/digits.h"
#include "testkit/pages.h"
#include "wizard/frm1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Step
{
    char byte;
    const char *control; // a click at its centre, or
    Qt::Key key = Qt::Key_unknown; // a key on the focused control; neither: the close box
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

constexpr Step Steps[] = {
    {'N', "cmdNext1"},
    {'B', "cmdBack1"},
    {'X', "cmdExit"},
    {'P', "txtCheck"},
    {'H', "lblCheck"},
    {'R', "lblResult"},
    {'W', "lblWelcome"},
    {'J', "lblWelcome1"},
    {'K', "lblWelcome2"},
    {'L', "lblWelcome3"},
    {'I', "imgBackground"},
    {'\n', nullptr, Qt::Key_Return},
    {' ', nullptr, Qt::Key_Space},
    {'\t', nullptr, Qt::Key_Tab},
    {'T', nullptr, Qt::Key_Backtab, Qt::ShiftModifier},
    {'Q', nullptr},
};

// A session is a few hundred steps at most, as a pupil's is.
constexpr int MostSteps = 300;

struct Counts
{
    long sessions = 0;
    long steps = 0;
    long dialogs = 0;
} counts;

const Step &stepFor(unsigned char byte)
{
    const auto named = std::find_if(std::begin(Steps), std::end(Steps),
                                    [byte](const Step &step) { return step.byte == char(byte); });
    return named != std::end(Steps) ? *named : Steps[byte % std::size(Steps)];
}

// Every number the preview and the verdict show, with its sign position, reads back to itself,
// except where no double holds its 15 digits: a root below the smallest normal double is shown
// as the exact root, and the largest doubles round up to 1.79769313486232E+308, which reads as
// infinity.
void checkNumbersIn(const QString &text, const char *where)
{
    static const QRegularExpression number(
        QStringLiteral(R"([ -](?:\d+(?:\.\d*)?|\.\d+)(?:E[+-]\d+)?)"));
    if (showsNonNumber(text.toStdString()))
        fail(where, "shows a non-number", text);
    for (const QRegularExpressionMatch &match : number.globalMatch(text)) {
        const std::string shown = match.captured().toStdString();
        const double back = solver::ParseNumber(shown);
        const bool finer = std::fabs(back) < DBL_MIN;
        const bool largest = std::isinf(back) && shown.substr(1) == "1.79769313486232E+308";
        if (!finer && !largest && solver::FormatNumber(back) != shown)
            fail(where, "shows a number that does not read back to itself", text);
    }
}

// What the window promises whenever it waits for the user.
void checkWindow(const SessionDialogs &session, const wizard::frm1 &window)
{
    if (!pageShown(window))
        fail("the window", "shows no single page", describeControls(window));
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != &window || !focus->isVisible() || !focus->isEnabled())
        fail("the focus", "is not on a visible, enabled control",
             focus ? focus->objectName() : QStringLiteral("nowhere"));
    if (window.size() != QSize(425, 424))
        fail("the window", "changed its size", QString());
    checkNumbersIn(window.findChild<QLineEdit *>(QStringLiteral("txtCheck"))->text(),
                   "the preview");
    checkNumbersIn(window.findChild<QLabel *>(QStringLiteral("lblResult"))->text(), "the verdict");
    session.checkSlots();
}

void take(const Step &step, wizard::frm1 &window)
{
    QWindow *handle = window.windowHandle();
    if (step.control) {
        const QRect place = window.findChild<QWidget *>(QLatin1StringView(step.control))
                                ->geometry();
        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, place.center());
    } else if (step.key != Qt::Key_unknown) {
        QTest::keyClick(handle, step.key, step.modifiers);
    } else {
        handle->close();
    }
}

// The application, made at the first session, lives as long as the fuzzer; at the end it says
// how much was tried.
void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_wizard";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
    std::atexit([] {
        std::fprintf(stderr, "fuzz_wizard: %ld sessions, %ld steps, %ld dialogs answered\n",
                     counts.sessions, counts.steps, counts.dialogs);
    });
}

} // namespace

// Fontconfig keeps what it reads of the fonts for as long as the process runs, out of sight of
// the leak checker; the application, and so the fonts, live as long as the fuzzer.
extern "C" const char *__lsan_default_suppressions() // NOLINT(bugprone-reserved-identifier)
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const bool started = (startApplication(), true);
    Q_UNUSED(started);
    Script script(std::string_view(reinterpret_cast<const char *>(data), size));
    SessionDialogs dialogs(script);
    auto window = std::make_unique<wizard::frm1>(dialogs);
    dialogs.watch(*window);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        fail("the window", "did not become active", QString());
    ++counts.sessions;

    checkWindow(dialogs, *window);
    for (int taken = 0; taken < MostSteps && !dialogs.ending(); ++taken) {
        const std::optional<unsigned char> byte = script.next();
        if (!byte)
            break;
        const Step &step = stepFor(*byte);
        take(step, *window);
        ++counts.steps;
        if (dialogs.ending())
            dialogs.checkNothingAfterEnd();
        else if (!step.control && step.key == Qt::Key_unknown)
            fail("the close box", "left the session going", QString());
        else
            checkWindow(dialogs, *window);
    }
    counts.dialogs += dialogs.answered();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
