#pragma once

#include <QStringView>

// Every text the wizard window shows, in one place so they can be read against each other.
// Look-alike letters matter: the comments say where a letter is Cyrillic or Latin.
namespace texts {

inline constexpr QStringView WindowTitle = u"Paravel v2.1 by Zorvan";

inline constexpr QStringView Back = u"< Назад";
inline constexpr QStringView Next = u"Дальше >";
inline constexpr QStringView Exit = u"В&ыход"; // Alt+ы presses it

inline constexpr QStringView Welcome = u"Добро пожаловать!";
inline constexpr QStringView Welcome1 =
    u"Спасибо за использование \"Paravel\", созданного Zorvan. Я надеюсь, что эта программа "
    u"поможет вам в непростом ремесле ученика математики.";
inline constexpr QStringView Welcome2 = u"";
inline constexpr QStringView Welcome3 =
    u"Вопросы и советы по улучшению программы присылайте на zorvan@paravel.ru.";
inline constexpr QStringView CheckHeading = u"y=ax^2+bx+c";

} // namespace texts
