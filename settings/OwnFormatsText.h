#pragma once

#include "profiles/OwnFormat.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Zentrik-formats.ini holds one block per own format:
//
//   [format]
//   name=Keychain 8
//   file=tag.txt
//   break=crlf            (or lf)
//   final=yes             (or no: no break after the last line)
//   line=[date]
//   line={year}/{month}/{day}
//   [end]
//
// One "line=" per line of the template. Values keep every byte: a backslash, line feed,
// carriage return and tab are written \\, \n, \r and \t, other control bytes \xHH, and all
// else as it is. The closing [end] tells a whole block from one cut short. Lines end in CR LF;
// LF or a lone CR is read as well. Unknown keys and lines outside blocks are passed over, so a
// later version can add to the file.

// Why a block was skipped or dropped. Blocks are counted from 1 in the order of their
// "[format]" lines; block 0 is the file as a whole.
struct OwnFormatsProblem {
    std::size_t block = 0;
    std::string reason; // a few English words

    friend bool operator==(const OwnFormatsProblem&, const OwnFormatsProblem&) = default;
};

struct OwnFormatsRead {
    std::vector<OwnFormat> formats; // every valid block, up to the most a list holds
    std::vector<OwnFormatsProblem> problems;
};

// The formats of a file's bytes. A block that is damaged or fails its check costs only itself.
[[nodiscard]] OwnFormatsRead readOwnFormatsText(std::string_view bytes);

// The file's bytes for a list of formats.
[[nodiscard]] std::string ownFormatsText(std::span<const OwnFormat> formats);

} // namespace zv
