#pragma once

namespace zv {

// Failure codes with texts of their own: the operating system's 2 to 5, the file layer's 100 up.
inline constexpr int kIoFileNotFound = 2;
inline constexpr int kIoInvalidFilename = 3;
inline constexpr int kIoTooManyOpenFiles = 4;
inline constexpr int kIoAccessDenied = 5;
inline constexpr int kIoReadBeyondEnd = 100;
inline constexpr int kIoDiskFull = 101;
inline constexpr int kIoInvalidNumericInput = 106;

// The texted code a platform error (errno / GetLastError()) means to the user: a bad name, a
// denied access, a full card; 0 for an error with no such meaning, shown by its number.
[[nodiscard]] int ioErrorCodeOf(int systemCode);

} // namespace zv
