// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/sessiondialogs.h"

#include "solver/numbertext.h"
#include "solver/roots.h"
#include "testkit/pages.h"
#include "wizard/texts.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

using wizard::Answer;
using wizard::Style;
namespace texts = wizard::texts;

namespace {

// Where each question belongs: the pages it may be asked on, its style (none for an input box)
// and title, and for the two wordings of the B question, the button that opened the page.
struct Question
{
    QStringView prompt;
    QList<Page> pages;
    std::optional<Style> style;
    QStringView title = {};
    QStringView openedBy = {};
};

const QList<Question> &questions()
{
    static const QList<Question> all = {
        {texts::PromptA, {Page::A}, std::nullopt},
        {texts::PromptB, {Page::B}, std::nullopt},
        {texts::PromptC, {Page::C}, std::nullopt},
        {texts::TooLarge, {Page::A, Page::B, Page::C}, Style::OkOnly},
        {texts::QuitOnZeroA, {Page::A}, Style::YesNo | Style::Critical, texts::ErrorTitle},
        {texts::AgainA, {Page::A}, Style::OkOnly},
        {texts::ZeroNotice, {Page::B, Page::C}, Style::OkOnly},
        {texts::KeepZeroB, {Page::B}, Style::YesNoCancel, texts::QuestionTitle, u"cmdNext2"},
        {texts::KeepZeroBFromC, {Page::B}, Style::YesNoCancel, texts::QuestionTitle, u"cmdBack3"},
        {texts::KeepZeroC, {Page::C}, Style::YesNoCancel, texts::QuestionTitle},
        {texts::Another, {Page::Result}, Style::YesNo},
    };
    return all;
}

std::optional<Answer> buttonNamed(unsigned char byte)
{
    switch (byte) {
    case 'y':
        return Answer::Yes;
    case 'n':
        return Answer::No;
    case 'c':
        return Answer::Cancel;
    case 'o':
        return Answer::Ok;
    default:
        return std::nullopt;
    }
}

} // namespace

void fail(const char *what, const char *how, const QString &detail)
{
    std::fprintf(stderr, "fuzz_wizard: %s %s: %s\n", what, how, qPrintable(detail));
    std::abort();
}

std::optional<unsigned char> Script::next()
{
    const std::optional<unsigned char> byte = peek();
    if (byte)
        m_rest.remove_prefix(1);
    return byte;
}

std::optional<unsigned char> Script::peek() const
{
    if (m_rest.empty())
        return std::nullopt;
    return static_cast<unsigned char>(m_rest.front());
}

std::string_view Script::line()
{
    const std::size_t cut = m_rest.find('\n');
    const std::string_view text = m_rest.substr(0, cut);
    m_rest.remove_prefix(cut == std::string_view::npos ? m_rest.size() : cut + 1);
    return text;
}

void SessionDialogs::watch(wizard::frm1 &window)
{
    m_window = &window;
    window.installEventFilter(this);
    // A button is pressed before its handler runs; clicked comes after it.
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        connect(button, &QPushButton::pressed, this,
                [this, button] { m_lastPressed = button->objectName(); });
    }
}

bool SessionDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == static_cast<QObject *>(m_window) && event->type() == QEvent::Close && !m_ended)
        noteEnd();
    return false;
}

void SessionDialogs::noteEnd()
{
    m_ended = true;
    m_atEnd = snapshot();
}

SessionDialogs::Snapshot SessionDialogs::snapshot() const
{
    Snapshot now;
    for (const QWidget *control : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        now.controls.append({control->objectName(), control->isHidden(), control->isEnabled()});
    now.preview = m_window->findChild<QLineEdit *>(QStringLiteral("txtCheck"))->text();
    now.verdict = m_window->findChild<QLabel *>(QStringLiteral("lblResult"))->text();
    const wizard::frm1::Values values = m_window->values();
    now.slotValues = {values.A, values.B, values.C, values.D, values.x1, values.x2};
    return now;
}

void SessionDialogs::checkSlots() const
{
    const wizard::frm1::Values values = m_window->values();
    const std::array<double, 6> slotValues{values.A, values.B,  values.C,
                                           values.D, values.x1, values.x2};
    if (slotValues != m_model.slotValues || values.answer != m_model.answer) {
        QString detail;
        for (std::size_t i = 0; i < slotValues.size(); ++i)
            detail += QStringLiteral("%1/%2 ").arg(slotValues.at(i)).arg(m_model.slotValues.at(i));
        fail("the slots", "do not hold what the answers give (window/model)",
             detail
                 + QStringLiteral("answer %1/%2").arg(int(values.answer)).arg(int(m_model.answer)));
    }
}

void SessionDialogs::checkNothingAfterEnd() const
{
    if (snapshot() != m_atEnd)
        fail("a handler", "went on after the end", describeControls(*m_window));
    checkSlots();
}

int SessionDialogs::asked(const QString &prompt, std::optional<Style> style, const QString &title)
{
    ++m_answered;
    if (m_ended)
        fail("a dialog", "was asked after the end", prompt);
    if (m_open)
        fail("a dialog", "opened over another", prompt);
    const std::optional<Page> page = pageShown(*m_window);
    if (!page)
        fail("a dialog", "was asked with no single page shown", describeControls(*m_window));
    const QList<Question> &all = questions();
    const auto question = std::find_if(all.cbegin(), all.cend(), [&](const Question &known) {
        return known.prompt == prompt && known.pages.contains(*page) && known.style == style
            && (known.title.isEmpty() ? title.isEmpty() : known.title == title)
            && (known.openedBy.isEmpty() || known.openedBy == m_lastPressed);
    });
    if (question == all.cend())
        fail("a dialog", "was asked where it does not belong", prompt);
    if (prompt == texts::Another) {
        auto &[A, B, C, D, x1, x2] = m_model.slotValues; // cppcheck-suppress variableScope
        const solver::Discriminant exact = solver::dis(A, B, C);
        D = exact.value;
        if (exact.sign >= 0)
            x1 = solver::iks1(B, exact, A, C).value;
        if (exact.sign > 0)
            x2 = solver::iks2(B, exact, A, C).value;
    }
    checkSlots();
    return int(question - all.cbegin()); // the input boxes come first, for A, B and C
}

// A button behind the box, pressed as assistive technology presses it and by click(): nothing in
// the window acts, so nothing changes, the focus included, and no box opens over this one.
void SessionDialogs::pressBehind(std::optional<unsigned char> pick)
{
    QList<QPushButton *> visible;
    for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
        if (button->isVisibleTo(m_window))
            visible.append(button);
    }
    QPushButton *button = visible.at(pick.value_or(0) % visible.size());
    const Snapshot before = snapshot();
    const QWidget *focus = QApplication::focusWidget();
    const QString pressed = m_lastPressed;
    QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    button->click();
    // The action shows the button down and clicks it 100 ms later.
    const bool released = QTest::qWaitFor([button] { return !button->isDown(); });
    // The presses are what may have changed the window, which cppcheck cannot see.
    // cppcheck-suppress knownConditionTrueFalse
    if (!released || m_ended || snapshot() != before || QApplication::focusWidget() != focus)
        fail("a window button", "acted behind an open box", button->objectName());
    m_lastPressed = pressed; // click() says pressed, though its handler did nothing
}

// The window closes under an open dialog, which answers as closed.
void SessionDialogs::closeUnder()
{
    m_window->close();
}

Answer SessionDialogs::messageBox(const QString &prompt, Style style, const QString &title)
{
    asked(prompt, style, title);
    m_open = true;
    const auto closed = qScopeGuard([this] { m_open = false; });
    const QList<Answer> buttons = wizard::answersOf(style);
    while (m_script.peek() == 'p') {
        m_script.next();
        pressBehind(m_script.next());
    }
    const std::optional<unsigned char> byte = m_script.next();
    Answer answer = wizard::closeAnswerOf(style);
    if (!byte || *byte == 'q') {
        closeUnder();
    } else if (*byte == '\n' || *byte == ' ') {
        answer = buttons.first();
    } else if (const std::optional<Answer> named = buttonNamed(*byte)) {
        answer = buttons.contains(*named) ? *named : buttons.at(*byte % buttons.size());
    } else if (*byte != 'e') {
        const qsizetype pick = *byte % (buttons.size() + 2);
        if (pick < buttons.size())
            answer = buttons.at(pick);
        else if (pick == buttons.size() + 1)
            closeUnder();
    }
    if (wizard::buttonsOf(style) != Style::OkOnly)
        m_model.answer = answer;
    return answer;
}

QString SessionDialogs::inputBox(const QString &prompt)
{
    const int coefficient = asked(prompt, std::nullopt, QString());
    m_open = true;
    const auto closed = qScopeGuard([this] { m_open = false; });
    QString typed;
    for (;;) {
        const std::optional<unsigned char> first = m_script.peek();
        if (!first) {
            closeUnder();
            return typed;
        }
        if (*first != '~') {
            const std::string_view line = m_script.line();
            typed = QString::fromUtf8(line.data(), qsizetype(line.size()));
            break;
        }
        m_script.next();
        const std::optional<unsigned char> how = m_script.next();
        if (how == 'p') {
            pressBehind(m_script.next());
            continue;
        }
        if (!how || *how == 'q') {
            closeUnder();
            return typed;
        }
        break;
    }
    const double value = solver::ParseNumber(typed.toStdString());
    if (!std::isinf(value))
        m_model.slotValues.at(std::size_t(coefficient)) = value;
    return typed;
}

void SessionDialogs::end()
{
    if (m_ended)
        fail("end", "was called twice", QString());
    noteEnd();
    m_window->close();
}
