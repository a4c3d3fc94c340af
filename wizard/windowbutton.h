// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace wizard {

// A button of the wizard window. While one of the window's boxes is open, the window holds its
// buttons: each looks as its page left it, but assistive technology hears it as unavailable,
// and its press action does nothing. The pointer and the keys cannot reach it, for the box is
// modal; a click that comes all the same, from code, the window drops (frm1::handle).
class WindowButton final : public QPushButton
{
    Q_OBJECT

public:
    // held is the window's own record of a box being open, which the button reads.
    WindowButton(const QString &text, QWidget *parent, const bool &held);

    bool isHeld() const { return *m_held; }
    // Tells assistive technology that the button has just been held or let go.
    void announceHold();

private:
    const bool *m_held;
};

} // namespace wizard
