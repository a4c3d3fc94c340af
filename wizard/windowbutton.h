// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace wizard {

// A button of the wizard window. While one of the window's boxes is open the button is held:
// it looks as its page left it, and yet it cannot be pressed, by the pointer, the keys or
// assistive technology, which therefore hears it as unavailable.
class WindowButton final : public QPushButton
{
    Q_OBJECT

public:
    WindowButton(const QString &text, QWidget *parent);

    void setHeld(bool held);
    bool isHeld() const { return m_held; }

private:
    bool m_held = false;
};

} // namespace wizard
