// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Every text the wizard window shows, in one place so they can be read against each other;
// each stands whole on one line, so that a search for it finds it. Look-alike letters matter:
// the comments say where a letter is Cyrillic or Latin.
// clang-format off
namespace wizard::texts {

inline constexpr QStringView WindowTitle = u"Paravel v2.1 by Zorvan";

inline constexpr QStringView Back = u"< Назад";
inline constexpr QStringView Next = u"Дальше >";
inline constexpr QStringView Exit = u"В&ыход"; // Alt+ы presses it

inline constexpr QStringView Welcome = u"Добро пожаловать!";
inline constexpr QStringView Welcome1 = u"Спасибо за использование \"Paravel\", созданного Zorvan. Я надеюсь, что эта программа поможет вам в непростом ремесле ученика математики.";
inline constexpr QStringView Welcome2 = u"";
inline constexpr QStringView Welcome3 = u"Вопросы и советы по улучшению программы присылайте на zorvan@paravel.ru.";
inline constexpr QStringView CheckHeading = u"y=ax^2+bx+c";

// What a screen reader says of the controls whose look says more than their text.
inline constexpr QStringView BackName = u"Назад";
inline constexpr QStringView NextName = u"Дальше";
inline constexpr QStringView ExitName = u"Выход";
inline constexpr QStringView PictureName = u"Надпись «Paravel»";

// Coefficient entry. The А and В of the prompts are Cyrillic, the A of AgainA and every C Latin.
inline constexpr QStringView PromptA = u"Введите значение коэффициента А";
inline constexpr QStringView PromptB = u"Введите значение коэффициента В";
inline constexpr QStringView PromptC = u"Введите значение коэффициента C";

inline constexpr QStringView ErrorTitle = u"Ошибка";
inline constexpr QStringView QuitOnZeroA = u"Вы ввели ноль, буквы, ничего не ввели или нажали отмену. Хотите выйти?";
inline constexpr QStringView AgainA = u"Тогда введите значение A снова";

inline constexpr QStringView QuestionTitle = u"Вопрос";
inline constexpr QStringView ZeroNotice = u"Вы ввели ноль, буквы, нажали отмену или ничего не ввели.";
// Forwards from the A page the question names the buttons in Russian, backwards from the C page
// in English.
inline constexpr QStringView KeepZeroB = u"Программа расценивает это как В=0. Оставить?(Нажмите Да для поттверждения, Нет для введения нового значения В, Отмену для выхода)";
inline constexpr QStringView KeepZeroBFromC = u"Программа расценивает это как В=0. Оставить?(Нажмите Yes для поттверждения, No для введения нового значения В, Cancel для выхода)";
inline constexpr QStringView KeepZeroC = u"Программа расценивает это как C=0. Оставить?(Нажмите Да для поттверждения, Нет для введения нового значения C, Отмену для выхода)";

// The verdict. The х of "х1=" is Cyrillic, the x of " x2=" and of "x=" Latin.
inline constexpr QStringView NoRoots = u"Дискриминант меньше нуля, корней нет";
inline constexpr QStringView OneRoot = u"Дискриминант равен нулю, x=";
inline constexpr QStringView TwoRoots = u"Дискриминант больше нуля, х1=";
inline constexpr QStringView SecondRoot = u" x2=";
inline constexpr QStringView Overflow = u"Переполнение: числа слишком велики для вычисления.";
inline constexpr QStringView Another = u"Хотите решить другое уравнение?";

// A typed number beyond the range of a double is asked for again.
inline constexpr QStringView TooLarge = u"Число слишком велико. Введите другое значение.";

} // namespace wizard::texts
// clang-format on
