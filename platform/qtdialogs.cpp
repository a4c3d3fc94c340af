// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtdialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace platform {

using wizard::Answer;
using wizard::Style;

namespace {

// The toolkit's own translations leave OK in Latin letters, so every caption is set here.
constexpr QStringView OkText = u"ОК";
constexpr QStringView CancelText = u"Отмена";
constexpr QStringView YesText = u"Да";
constexpr QStringView NoText = u"Нет";

// The toolkit's button for an answer, with the caption it shows.
struct Button
{
    QMessageBox::StandardButton standard;
    QStringView caption;
};

Button buttonFor(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return {QMessageBox::Yes, YesText};
    case Answer::No:
        return {QMessageBox::No, NoText};
    case Answer::Cancel:
        return {QMessageBox::Cancel, CancelText};
    case Answer::Ok:
        break;
    }
    return {QMessageBox::Ok, OkText};
}

QString titleOrDefault(const QString &title)
{
    return title.isEmpty() ? wizard::ApplicationTitle.toString() : title;
}

} // namespace

QtDialogs::QtDialogs()
{
    // Quitting reaches the application as a Quit event, whoever asked for it.
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

void QtDialogs::attach(QWidget *window)
{
    m_window = window;
    window->installEventFilter(this);
}

bool QtDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Quit || (watched == m_window && event->type() == QEvent::Close))
        startEnding();
    return false;
}

void QtDialogs::startEnding()
{
    m_ending = true;
    if (m_open)
        m_open->reject();
}

// The dialog's own event loop, unless the program is ending; then it answers as closed.
// A screen reader says the description when the dialog opens: what was announced, then the
// prompt.
int QtDialogs::run(QDialog &dialog, const QString &prompt)
{
    const QString announced = std::exchange(m_announced, {});
    if (m_ending)
        return QDialog::Rejected;
    dialog.setAccessibleDescription(announced.isEmpty() ? prompt : announced + u' ' + prompt);
    // An end while the dialog is open rejects it (startEnding).
    m_open = &dialog;
    const int result = dialog.exec();
    m_open = nullptr;
    return result;
}

Answer QtDialogs::messageBox(const QString &prompt, Style style, const QString &title)
{
    QMessageBox box(m_window);
    box.setWindowTitle(titleOrDefault(title));
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(wizard::isCritical(style) ? QMessageBox::Critical : QMessageBox::NoIcon);

    const QList<Answer> answers = wizard::answersOf(style);
    QList<QAbstractButton *> buttons;
    for (const Answer answer : answers) {
        const Button button = buttonFor(answer);
        QPushButton *made = box.addButton(button.standard);
        made->setText(button.caption.toString());
        buttons.append(made);
    }
    box.setDefaultButton(buttonFor(answers.first()).standard);
    const Answer closeAnswer = wizard::closeAnswerOf(style);
    box.setEscapeButton(box.button(buttonFor(closeAnswer).standard));

    run(box, prompt);
    const qsizetype clicked = buttons.indexOf(box.clickedButton());
    if (m_ending || clicked < 0)
        return closeAnswer;
    return answers.at(clicked);
}

QString QtDialogs::inputBox(const QString &prompt)
{
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(wizard::ApplicationTitle.toString());
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(OkText.toString());
    dialog.setCancelButtonText(CancelText.toString());
    // Tell OK from Cancel by the result: the text alone is empty for both.
    if (run(dialog, prompt) != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void QtDialogs::end()
{
    startEnding();
    if (m_window)
        m_window->close();
    QCoreApplication::quit();
}

} // namespace platform
