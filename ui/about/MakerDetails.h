#pragma once

#include <QtGlobal>

namespace zv::maker {

// The maker's details, in one place: the banners, the About window and their hints use them.
// The addresses are the reserved example domain and the numbers are plainly not real.
inline constexpr char kWebAddress[] = "https://www.example.com";
inline constexpr char kInfoMail[] = "info@example.com";
inline constexpr char kComplaintsMail[] = "complaints@example.com";
inline constexpr char kAuthorMail[] = "author@example.com";
inline constexpr char kTelephones[] = "+7 (000) 000-00-01, +7 (000) 000-00-02";
inline constexpr char kHotLine[] = "8-800-000-00-00";
// Working hours, Moscow time; the About window shows them in the user's language.
inline constexpr char kWeekdayHours[] = QT_TRANSLATE_NOOP("zv::TForm3", "Будни: с 9:00 до 19:00 (МСК)");
inline constexpr char kWeekendHours[] = QT_TRANSLATE_NOOP("zv::TForm3", "Выходные: с 10:00 до 16:00 (МСК)");
// The author's line; %1 is the author's address.
inline constexpr char kAuthorLine[] = QT_TRANSLATE_NOOP("zv::TForm3", "Автор: Дальвенор, %1");

} // namespace zv::maker
