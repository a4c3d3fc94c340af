// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include <optional>

// The wizard's five pages as the user sees them: the page controls each shows, and those of
// its buttons that cannot be pressed. Exit and the picture are on every page.
enum class Page { Welcome, A, B, C, Result };

inline const QStringList PageControls = {
    QStringLiteral("cmdNext1"),    QStringLiteral("cmdNext2"),    QStringLiteral("cmdNext3"),
    QStringLiteral("cmdNext4"),    QStringLiteral("cmdBack1"),    QStringLiteral("cmdBack2"),
    QStringLiteral("cmdBack3"),    QStringLiteral("lblWelcome"),  QStringLiteral("lblWelcome1"),
    QStringLiteral("lblWelcome2"), QStringLiteral("lblWelcome3"), QStringLiteral("lblCheck"),
    QStringLiteral("lblResult"),   QStringLiteral("txtCheck"),
};

inline QStringList shownOn(Page page)
{
    switch (page) {
    case Page::Welcome:
        return {"cmdNext1", "cmdBack1", "lblWelcome", "lblWelcome1", "lblWelcome2", "lblWelcome3"};
    case Page::A:
        return {"cmdNext2", "cmdBack1", "lblCheck", "txtCheck"};
    case Page::B:
        return {"cmdNext3", "cmdBack2", "lblCheck", "txtCheck"};
    case Page::C:
        return {"cmdNext4", "cmdBack3", "lblCheck", "txtCheck"};
    case Page::Result:
        return {"lblResult", "cmdNext1", "cmdBack3"};
    }
    return {};
}

inline QStringList disabledOn(Page page)
{
    switch (page) {
    case Page::Welcome:
        return {"cmdBack1"};
    case Page::Result:
        return {"cmdNext1", "cmdBack3"};
    default:
        return {};
    }
}

// The page a window shows: exactly one page's controls, with its buttons' enabled states, and
// Exit and the picture. Nothing when the window shows anything else.
inline std::optional<Page> pageShown(const QWidget &window)
{
    const auto shown = [&window](const QString &name) {
        const auto *control = window.findChild<QWidget *>(name);
        return control && control->isVisibleTo(&window);
    };
    const auto *exit = window.findChild<QWidget *>(QStringLiteral("cmdExit"));
    if (!exit || !shown(QStringLiteral("cmdExit")) || !exit->isEnabled()
        || !shown(QStringLiteral("imgBackground")))
        return std::nullopt;
    for (const Page page : {Page::Welcome, Page::A, Page::B, Page::C, Page::Result}) {
        const QStringList controls = shownOn(page);
        const QStringList disabled = disabledOn(page);
        bool matches = true;
        for (const QString &name : PageControls) {
            matches = matches && shown(name) == controls.contains(name)
                && (!controls.contains(name) || !name.startsWith(u"cmd")
                    || window.findChild<QWidget *>(name)->isEnabled() != disabled.contains(name));
        }
        if (matches)
            return page;
    }
    return std::nullopt;
}

// The window's controls as a failure message tells them: the shown ones, and which are disabled.
inline QString describeControls(const QWidget &window)
{
    QStringList shown;
    for (const QWidget *control : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisibleTo(&window))
            shown << control->objectName()
                    + (control->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
    }
    return QStringLiteral("shown: ") + shown.join(QStringLiteral(", "));
}
