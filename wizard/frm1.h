// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringView>
#include <QWidget>

#include <array>
#include <string>

#include "wizard/dialogs.h"
#include "wizard/windowbutton.h"

class QLabel;
class QLineEdit;

namespace wizard {

// The wizard window. Its pages are sets of visible controls: every click handler hides the
// page controls, shows its own page and then runs that page's dialog.
class frm1 : public QWidget
{
    Q_OBJECT

public:
    explicit frm1(Dialogs &dialogs, QWidget *parent = nullptr);

    // The load handler: turns the freshly created window into the welcome page.
    void formLoad();

    // One click handler per button.
    void cmdNext1Click();
    void cmdNext2Click();
    void cmdNext3Click();
    void cmdNext4Click();
    void cmdBack1Click();
    void cmdBack2Click();
    void cmdBack3Click();
    void cmdExitClick();

    // Hides the fourteen page controls.
    void InvisibleOff();

    // The values the window holds, as the last stage or result left them.
    struct Values
    {
        double A, B, C, D, x1, x2;
        Answer answer;
    };
    Values values() const { return {A, B, C, D, x1, x2, m_answer}; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void greyPreview();
    void connectHandlers();

    // The five pages, each a set of controls: see m_pages.
    enum class Page { Welcome, A, B, C, Result };
    struct PageSet
    {
        QList<QWidget *> shown;
        QList<QPushButton *> enabled;
        QList<QPushButton *> disabled;
        QPushButton *focus;
    };
    // Shows a page's controls, after InvisibleOff has hidden the last page's.
    void showPage(Page page);

    // The page-opening steps of the A and B handlers, before their coefficient is asked for.
    void showPageA();
    void showPageB();
    // What Next on the welcome page, Back on the B page and Yes to another equation do.
    void openPageA();

    // The coefficient stages; each asks until it has a value or the program ends.
    void askA();
    void askB(QStringView keepZeroQuestion);
    void askC();
    void askKeepingZero(QStringView prompt, QStringView keepZeroQuestion, double &slot);
    double askNumber(QStringView prompt);
    void showPreview(const std::string &equation);

    // Every dialog and the end of the program, as the handlers use them. Once the program is
    // ending, each throws Ended, which handle() catches where the handler started.
    struct Ended;
    template<typename Handler>
    void handle(Handler handler);
    void stopIfEnding() const;
    [[noreturn]] void endProgram();
    template<typename Box>
    auto withButtonsHeld(Box box);
    void holdButtons(bool held);
    void tell(QStringView prompt);
    Answer ask(QStringView prompt, Style style, QStringView title = {});
    QString askText(QStringView prompt);

    Dialogs &m_dialogs;

    // Coefficient values live for the whole run; each stage overwrites its own.
    double A = 0;
    double B = 0;
    double C = 0;
    double D = 0;
    double x1 = 0;
    double x2 = 0;
    Answer m_answer{}; // the answer to the last question
    bool m_boxOpen = false; // while a box is open, the window holds its buttons

    WindowButton *cmdBack1 = nullptr;
    WindowButton *cmdNext1 = nullptr;
    QLineEdit *txtCheck = nullptr;
    WindowButton *cmdBack3 = nullptr;
    WindowButton *cmdBack2 = nullptr;
    WindowButton *cmdNext4 = nullptr;
    WindowButton *cmdNext3 = nullptr;
    WindowButton *cmdNext2 = nullptr;
    WindowButton *cmdExit = nullptr;
    QLabel *lblResult = nullptr;
    QLabel *lblCheck = nullptr;
    QLabel *lblWelcome3 = nullptr;
    QLabel *lblWelcome2 = nullptr;
    QLabel *lblWelcome1 = nullptr;
    QLabel *lblWelcome = nullptr;
    QLabel *imgBackground = nullptr;

    std::array<PageSet, 5> m_pages;
};

} // namespace wizard
