// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <memory>

// The floor any window with Russian text stands on: a bare Qt window of Vertex2's size with one
// Cyrillic label and one button.
inline std::unique_ptr<QWidget> makeBareWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(425, 424);
    (new QLabel(QStringLiteral("Добро пожаловать!"), window.get()))->move(160, 0);
    (new QPushButton(QStringLiteral("В&ыход"), window.get()))->setGeometry(336, 384, 81, 33);
    return window;
}
