#pragma once

#include "profiles/DateTimeParts.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The line break an own format writes between its lines, and after the last when asked.
enum class LineBreak { CrLf, Lf };

// What a field of a template puts into the time file.
enum class TemplateField : std::uint8_t { Year, Month, Day, Hour, Minute, Second, Stamp };

// Why a template text does not parse, and where: the brace at fault.
struct TemplateError {
    enum class Kind {
        UnknownField, // "{yaer}": a closed pair of braces around a word that is no field
        UnclosedBrace, // "{" with no "}" after it on its line, and not "{{"
        LoneClosingBrace, // "}" that is not "}}" and closes no field
    };
    Kind kind = Kind::UnknownField;
    std::size_t offset = 0; // in bytes from the start of the text
    std::size_t line = 1; // counted from 1
    std::size_t column = 1; // in UTF-8 characters from the line's start, counted from 1

    friend bool operator==(const TemplateError&, const TemplateError&) = default;
};

class TimeTemplate;

struct TemplateParse;

// A template text parsed once into literal bytes, fields and line breaks, so that composing on
// every tick only appends. Fields are words in braces, "{year}", and "{{" and "}}" stand for
// one brace: camera files rarely hold braces (brackets they do, as in "[date]"), a word reads
// at a glance, and doubling lets any literal text through. Lines of the text are separated by LF, CR LF or a lone CR;
// the file gets the format's own break instead, whatever the text held.
class TimeTemplate final {
public:
    // The parsed text, or the first error in it; never throws on any text.
    [[nodiscard]] static TemplateParse parse(std::string_view text);

    // Replaces `out` with the file's bytes for the moment; reuses its storage. `stamp` is the
    // time-stamp letter, "Y" or "N".
    void compose(const DateTimeParts& moment, std::string_view stamp, LineBreak lineBreak, bool breakAfterLast,
        std::string& out) const;

    // The most bytes compose can give: the literal bytes, each field at its widest and the breaks.
    [[nodiscard]] std::size_t widestComposition(LineBreak lineBreak, bool breakAfterLast) const;

    [[nodiscard]] bool hasField() const { return fieldCount_ > 0; }
    // A template with the stamp field makes the time-stamp choice apply to its format.
    [[nodiscard]] bool usesStamp() const { return usesStamp_; }
    // An empty text is one empty line.
    [[nodiscard]] std::size_t lineCount() const { return breakCount_ + 1; }

private:
    struct Segment {
        enum class Kind : std::uint8_t { Literal, Field, LineBreak };
        Kind kind = Kind::Literal;
        TemplateField field = TemplateField::Year;
        // The literal's bytes in literals_.
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    friend class TemplateParser;

    std::vector<Segment> segments_;
    std::string literals_; // every literal's bytes, one after another
    std::size_t fieldCount_ = 0;
    std::size_t widestFields_ = 0; // the fields' widest values added up
    std::size_t breakCount_ = 0;
    bool usesStamp_ = false;
};

struct TemplateParse {
    TimeTemplate parsed; // empty when there is an error
    std::optional<TemplateError> error;

    [[nodiscard]] bool ok() const { return !error.has_value(); }
};

// The field's word in a template, as written between the braces: "year", "stamp", ...
[[nodiscard]] std::string_view fieldWord(TemplateField field);

// The most bytes a field puts into the time file.
[[nodiscard]] std::size_t widestValue(TemplateField field);

// The bytes of a line break.
[[nodiscard]] std::string_view lineBreakBytes(LineBreak lineBreak);

} // namespace zv
