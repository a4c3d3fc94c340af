// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/frm1.h"

#include "assets/artwork.h"
#include "solver/numbertext.h"
#include "wizard/dialogs.h"
#include "wizard/fonts.h"
#include "wizard/greyed.h"
#include "wizard/preview.h"
#include "wizard/texts.h"
#include "wizard/verdict.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>

#include <cmath>

namespace wizard {

namespace {

// A screen reader says the name, not the arrows or the access-key mark of the caption.
WindowButton *makeButton(QWidget *parent, const char *name, QStringView caption,
                         QStringView spoken, QRect rect, const bool &held)
{
    auto *button = new WindowButton(caption.toString(), parent, held);
    button->setObjectName(QLatin1StringView(name));
    button->setAccessibleName(spoken.toString());
    button->setGeometry(rect);
    // A button outside a dialog ignores Enter unless it is an auto-default button.
    button->setAutoDefault(true);
    return button;
}

// Labels keep their box: the text starts at the top-left, wraps at blanks and is clipped.
QLabel *makeLabel(QWidget *parent, const char *name, QStringView text, QRect rect,
                  Qt::Alignment horizontal = Qt::AlignLeft)
{
    auto *label = new QLabel(text.toString(), parent);
    label->setObjectName(QLatin1StringView(name));
    label->setGeometry(rect);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// To assistive technology a plain top-level widget is a "filler"; the wizard is a window.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(frm1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

void installAccessibleWindow()
{
    QAccessible::installFactory(accessibleWindow);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installAccessibleWindow)

frm1::frm1(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frm1"));
    setWindowTitle(texts::WindowTitle.toString());
    setWindowIcon(QIcon(QPixmap::fromImage(assets::icon())));
    setFont(defaultFont());
    setFixedSize(425, 424);

    createControls();
    connectHandlers();
    formLoad();
    // The focus starts on Exit; each page then puts it on its Next button, so that Enter walks
    // through the wizard instead of landing on a hidden button's neighbour, Exit.
    cmdExit->setFocus();
}

void frm1::createControls()
{
    const QRect backRect(160, 384, 81, 33);
    const QRect nextRect(248, 384, 81, 33);

    cmdBack1 = makeButton(this, "cmdBack1", texts::Back, texts::BackName, backRect, m_boxOpen);
    cmdNext1 = makeButton(this, "cmdNext1", texts::Next, texts::NextName, nextRect, m_boxOpen);

    txtCheck = new QLineEdit(this);
    txtCheck->setObjectName(QStringLiteral("txtCheck"));
    txtCheck->setGeometry(160, 160, 265, 19);
    txtCheck->setAlignment(Qt::AlignCenter);
    txtCheck->setEnabled(false);
    txtCheck->setFocusPolicy(Qt::NoFocus);
    txtCheck->setVisible(false);
    greyPreview();

    cmdBack3 = makeButton(this, "cmdBack3", texts::Back, texts::BackName, backRect, m_boxOpen);
    cmdBack2 = makeButton(this, "cmdBack2", texts::Back, texts::BackName, backRect, m_boxOpen);
    cmdNext4 = makeButton(this, "cmdNext4", texts::Next, texts::NextName, nextRect, m_boxOpen);
    cmdNext3 = makeButton(this, "cmdNext3", texts::Next, texts::NextName, nextRect, m_boxOpen);
    cmdNext2 = makeButton(this, "cmdNext2", texts::Next, texts::NextName, nextRect, m_boxOpen);
    cmdExit = makeButton(this, "cmdExit", texts::Exit, texts::ExitName, QRect(336, 384, 81, 33), m_boxOpen);

    lblResult = makeLabel(this, "lblResult", u"", QRect(208, 120, 161, 97));
    lblCheck = makeLabel(this, "lblCheck", texts::CheckHeading, QRect(160, 48, 257, 33),
                         Qt::AlignHCenter);
    lblCheck->setFont(headingFont());
    lblCheck->setVisible(false);
    lblCheck->setBuddy(txtCheck); // names the preview for a screen reader
    lblWelcome3 = makeLabel(this, "lblWelcome3", texts::Welcome3, QRect(160, 344, 265, 33));
    lblWelcome2 = makeLabel(this, "lblWelcome2", texts::Welcome2, QRect(160, 200, 265, 49));
    lblWelcome1 = makeLabel(this, "lblWelcome1", texts::Welcome1, QRect(160, 48, 265, 105));
    lblWelcome = makeLabel(this, "lblWelcome", texts::Welcome, QRect(160, 0, 265, 33),
                           Qt::AlignHCenter);
    lblWelcome->setFont(headingFont());

    imgBackground = new QLabel(this);
    imgBackground->setObjectName(QStringLiteral("imgBackground"));
    imgBackground->setGeometry(0, 0, 153, 422);
    imgBackground->setPixmap(QPixmap::fromImage(assets::background()));
    imgBackground->setScaledContents(true);
    imgBackground->setAccessibleName(texts::PictureName.toString());

    // Focus order of the buttons; labels and the disabled text box never take the focus.
    QWidget::setTabOrder(cmdExit, cmdNext2);
    QWidget::setTabOrder(cmdNext2, cmdNext3);
    QWidget::setTabOrder(cmdNext3, cmdNext4);
    QWidget::setTabOrder(cmdNext4, cmdBack2);
    QWidget::setTabOrder(cmdBack2, cmdBack3);
    QWidget::setTabOrder(cmdBack3, cmdNext1);
    QWidget::setTabOrder(cmdNext1, cmdBack1);

    // The pages: what each shows besides Exit and the picture, the buttons it enables and
    // disables (the rest keep their state), and the Next button that takes the focus, so that
    // Enter walks through the wizard. The result page keeps the focus where it was.
    m_pages = {{
        {{cmdNext1, cmdBack1, lblWelcome, lblWelcome1, lblWelcome2, lblWelcome3},
         {cmdNext1},
         {cmdBack1},
         cmdNext1},
        {{cmdNext2, cmdBack1, lblCheck, txtCheck}, {cmdBack1}, {}, cmdNext2},
        {{cmdNext3, cmdBack2, lblCheck, txtCheck}, {}, {}, cmdNext3},
        {{cmdNext4, cmdBack3, lblCheck, txtCheck}, {cmdBack3}, {}, cmdNext4},
        {{lblResult, cmdNext1, cmdBack3}, {}, {cmdNext1, cmdBack3}, nullptr},
    }};
}

// The preview shows greyed, as a disabled box does, and yet pupils read it as they type: the
// toolkit's own disabled grey is too faint for that, under a light palette and a dark one.
void frm1::greyPreview()
{
    QPalette preview; // only the greyed text is the preview's own; the rest follows the window
    preview.setColor(QPalette::Disabled, QPalette::Text,
                     readableGrey(palette().color(QPalette::Active, QPalette::Text),
                                  palette().color(QPalette::Disabled, QPalette::Base)));
    txtCheck->setPalette(preview);
}

void frm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        greyPreview();
    QWidget::changeEvent(event);
}

void frm1::connectHandlers()
{
    connect(cmdNext1, &QPushButton::clicked, this, &frm1::cmdNext1Click);
    connect(cmdNext2, &QPushButton::clicked, this, &frm1::cmdNext2Click);
    connect(cmdNext3, &QPushButton::clicked, this, &frm1::cmdNext3Click);
    connect(cmdNext4, &QPushButton::clicked, this, &frm1::cmdNext4Click);
    connect(cmdBack1, &QPushButton::clicked, this, &frm1::cmdBack1Click);
    connect(cmdBack2, &QPushButton::clicked, this, &frm1::cmdBack2Click);
    connect(cmdBack3, &QPushButton::clicked, this, &frm1::cmdBack3Click);
    connect(cmdExit, &QPushButton::clicked, this, &frm1::cmdExitClick);
}

// The page controls are those the pages show: all but Exit and the picture.
void frm1::InvisibleOff()
{
    for (const PageSet &page : m_pages) {
        for (QWidget *control : page.shown)
            control->setVisible(false);
    }
}

void frm1::showPage(Page page)
{
    const PageSet &set = m_pages.at(std::size_t(page));
    for (QWidget *control : set.shown)
        control->setVisible(true);
    for (QPushButton *button : set.enabled)
        button->setEnabled(true);
    for (QPushButton *button : set.disabled)
        button->setEnabled(false);
    if (set.focus)
        set.focus->setFocus();
}

void frm1::formLoad()
{
    InvisibleOff();
    showPage(Page::Welcome);
}

// The program's end, however it comes, unwinds the handler that is running to where it started:
// no further statement of it runs, and no question is asked. Every dialog goes through tell(),
// ask() or askText(), which notice the end, so a new one cannot forget to.
struct frm1::Ended
{
};

// A handler that starts while one of the window's boxes is open (a click() from code, a press
// queued before the box opened) does nothing: the box is answered first.
template<typename Handler>
void frm1::handle(Handler handler)
{
    if (m_boxOpen)
        return;
    try {
        handler();
    } catch (const Ended &) { // NOLINT(bugprone-empty-catch): the one way a handler stops
        // The program is ending; the window has nothing more to do.
    }
}

void frm1::stopIfEnding() const
{
    if (m_dialogs.ending())
        throw Ended();
}

void frm1::endProgram()
{
    m_dialogs.end();
    throw Ended();
}

// The window waits while a box is open: nothing in it acts until the box is answered.
template<typename Box>
auto frm1::withButtonsHeld(Box box)
{
    holdButtons(true);
    const auto release = qScopeGuard([this] { holdButtons(false); });
    return box();
}

void frm1::holdButtons(bool held)
{
    m_boxOpen = held;
    for (WindowButton *button : findChildren<WindowButton *>())
        button->announceHold();
}

// A notice: only OK to answer, so nothing to keep.
void frm1::tell(QStringView prompt)
{
    withButtonsHeld([&] { return m_dialogs.messageBox(prompt.toString(), Style::OkOnly); });
    stopIfEnding();
}

// A question: its answer is kept before it is tested, as every answer is.
Answer frm1::ask(QStringView prompt, Style style, QStringView title)
{
    m_answer = withButtonsHeld(
        [&] { return m_dialogs.messageBox(prompt.toString(), style, title.toString()); });
    stopIfEnding();
    return m_answer;
}

QString frm1::askText(QStringView prompt)
{
    QString typed = withButtonsHeld([&] { return m_dialogs.inputBox(prompt.toString()); });
    stopIfEnding();
    return typed;
}

void frm1::cmdBack1Click()
{
    handle([this] { formLoad(); });
}

void frm1::showPageA()
{
    InvisibleOff();
    showPage(Page::A);
}

void frm1::openPageA()
{
    showPageA();
    askA();
}

void frm1::cmdNext1Click()
{
    handle([this] { openPageA(); });
}

void frm1::cmdBack2Click()
{
    handle([this] { openPageA(); });
}

void frm1::showPageB()
{
    InvisibleOff();
    showPage(Page::B);
}

void frm1::cmdNext2Click()
{
    handle([this] {
        showPageB();
        askB(texts::KeepZeroB);
    });
}

void frm1::cmdBack3Click()
{
    handle([this] {
        showPageB();
        askB(texts::KeepZeroBFromC);
    });
}

void frm1::cmdNext3Click()
{
    handle([this] {
        InvisibleOff();
        showPage(Page::C);
        askC();
    });
}

void frm1::cmdNext4Click()
{
    handle([this] {
        InvisibleOff();
        lblResult->setVisible(true);
        const Verdict verdict = solve(A, B, C);
        D = verdict.D;
        x1 = verdict.x1.value_or(x1);
        x2 = verdict.x2.value_or(x2);
        lblResult->setText(verdict.caption);
        showPage(Page::Result);
        m_dialogs.announce(verdict.caption);
        if (ask(texts::Another, Style::YesNo) == Answer::Yes)
            openPageA();
    });
}

void frm1::cmdExitClick()
{
    handle([this] { endProgram(); });
}

// A zero A cannot make a quadratic equation: the user either quits or types A again on a
// freshly opened A page.
void frm1::askA()
{
    for (;;) {
        A = askNumber(texts::PromptA);
        if (A != 0) {
            showPreview(previewAfterA(A));
            return;
        }
        if (ask(texts::QuitOnZeroA, Style::YesNo | Style::Critical, texts::ErrorTitle)
            == Answer::Yes)
            endProgram();
        tell(texts::AgainA);
        showPageA();
    }
}

void frm1::askB(QStringView keepZeroQuestion)
{
    askKeepingZero(texts::PromptB, keepZeroQuestion, B);
    showPreview(previewAfterB(A, B));
}

void frm1::askC()
{
    askKeepingZero(texts::PromptC, texts::KeepZeroC, C);
    showPreview(previewAfterC(A, B, C));
}

// Zero is a fair value for B and C, but it is also what letters, an empty field and Cancel
// read as, so the user confirms it. Each number typed is stored in the slot as it comes.
void frm1::askKeepingZero(QStringView prompt, QStringView keepZeroQuestion, double &slot)
{
    for (;;) {
        slot = askNumber(prompt);
        if (slot != 0)
            return;
        tell(texts::ZeroNotice);
        const Answer answer = ask(keepZeroQuestion, Style::YesNoCancel, texts::QuestionTitle);
        if (answer == Answer::Yes)
            return;
        if (answer == Answer::Cancel)
            endProgram();
    }
}

// A number beyond the range of a double would reach the preview and the solver as infinity,
// so it is asked for again.
double frm1::askNumber(QStringView prompt)
{
    for (;;) {
        const double value = solver::ParseNumber(askText(prompt).toStdString());
        if (!std::isinf(value))
            return value;
        tell(texts::TooLarge);
    }
}

// A preview wider than its box shows its beginning, cut at the right.
void frm1::showPreview(const std::string &equation)
{
    txtCheck->setText(QString::fromStdString(equation));
    txtCheck->setCursorPosition(0);
}

} // namespace wizard
