#pragma once

namespace zv::maker {

// The maker's details, in one place: the banners, the About window and their hints use them.
// The addresses are the reserved example domain and the numbers are plainly not real.
inline constexpr char kWebAddress[] = "https://www.example.com";
inline constexpr char kInfoMail[] = "info@example.com";
inline constexpr char kComplaintsMail[] = "complaints@example.com";
inline constexpr char kAuthorMail[] = "author@example.com";
inline constexpr char kTelephones[] = "+7 (000) 000-00-01, +7 (000) 000-00-02";
inline constexpr char kHotLine[] = "8-800-000-00-00";

} // namespace zv::maker
