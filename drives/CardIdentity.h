#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// A one-line text that recognises a card the next time it is plugged in. From the file
// system's id when the system reports one (udev's ID_FS_UUID on Linux, the volume serial
// number on Windows): "fs:1234-ABCD". Else from the volume's total size and label:
// "size:15931539456:CAMERA". Empty when neither is known: such a card is not remembered.
// Formatting a card gives it a new id, so it is then a new card, never mistaken for the old.
// An id of zeros only is no id: some cameras format every card with it.
[[nodiscard]] std::string cardIdentity(
    std::string_view fileSystemId, std::string_view label, std::optional<std::uint64_t> totalBytes);

// A volume serial number written as udev writes a FAT file system's UUID and Windows shows it: 0x1234ABCD is
// "1234-ABCD".
[[nodiscard]] std::string volumeSerialText(std::uint32_t serial);

} // namespace zv
