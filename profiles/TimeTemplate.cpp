#include "profiles/TimeTemplate.h"

#include <array>

namespace zv {

namespace {

constexpr std::array<TemplateField, 7> kFields = {TemplateField::Year, TemplateField::Month, TemplateField::Day,
    TemplateField::Hour, TemplateField::Minute, TemplateField::Second, TemplateField::Stamp};

bool isLineEnd(char byte) { return byte == '\n' || byte == '\r'; }

// The characters of a UTF-8 text: every byte but the continuation bytes starts one.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char byte : text)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

const std::string& valueOf(const DateTimeParts& moment, TemplateField field)
{
    switch (field) {
    case TemplateField::Year:
        return moment.year();
    case TemplateField::Month:
        return moment.month();
    case TemplateField::Day:
        return moment.day();
    case TemplateField::Hour:
        return moment.hour();
    case TemplateField::Minute:
        return moment.minute();
    case TemplateField::Second:
    case TemplateField::Stamp:
        break;
    }
    return moment.second();
}

} // namespace

// Reads a text once from start to end, building the template as it goes.
class TemplateParser final {
public:
    explicit TemplateParser(std::string_view text) : text_(text) { }

    TemplateParse run()
    {
        TemplateParse result;
        while (at_ < text_.size() && !result.error) {
            const char byte = text_[at_];
            if (isLineEnd(byte))
                takeLineBreak(byte);
            else if (byte == '{')
                result.error = takeOpeningBrace();
            else if (byte == '}')
                result.error = takeClosingBrace();
            else
                takeLiteral(1);
        }
        if (result.error)
            return result;
        endLiteral();
        result.parsed = std::move(built_);
        return result;
    }

private:
    using Segment = TimeTemplate::Segment;

    void takeLineBreak(char byte)
    {
        endLiteral();
        built_.segments_.push_back({Segment::Kind::LineBreak, TemplateField::Year, 0, 0});
        ++built_.breakCount_;
        at_ += byte == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
        lineStart_ = at_;
        ++line_;
    }

    std::optional<TemplateError> takeOpeningBrace()
    {
        const std::string_view rest = text_.substr(at_ + 1);
        if (rest.starts_with('{')) {
            takeLiteral(2);
            return std::nullopt;
        }
        for (const TemplateField field : kFields) {
            const std::string_view word = fieldWord(field);
            if (rest.starts_with(word) && rest.substr(word.size()).starts_with('}')) {
                takeField(field, word.size() + 2);
                return std::nullopt;
            }
        }
        // A closing brace before the next brace or the line's end makes it a misspelt field.
        const std::size_t close = rest.find_first_of("{}\r\n");
        const bool closed = close != std::string_view::npos && rest[close] == '}';
        return errorHere(closed ? TemplateError::Kind::UnknownField : TemplateError::Kind::UnclosedBrace);
    }

    std::optional<TemplateError> takeClosingBrace()
    {
        if (text_.substr(at_ + 1).starts_with('}')) {
            takeLiteral(2);
            return std::nullopt;
        }
        return errorHere(TemplateError::Kind::LoneClosingBrace);
    }

    // A doubled brace stands for one.
    void takeLiteral(std::size_t textBytes)
    {
        built_.literals_.push_back(text_[at_]);
        ++literalLength_;
        at_ += textBytes;
    }

    void takeField(TemplateField field, std::size_t textBytes)
    {
        endLiteral();
        built_.segments_.push_back({Segment::Kind::Field, field, 0, 0});
        ++built_.fieldCount_;
        built_.widestFields_ += widestValue(field);
        built_.usesStamp_ = built_.usesStamp_ || field == TemplateField::Stamp;
        at_ += textBytes;
    }

    void endLiteral()
    {
        if (literalLength_ == 0)
            return;
        const std::size_t offset = built_.literals_.size() - literalLength_;
        built_.segments_.push_back({Segment::Kind::Literal, TemplateField::Year, offset, literalLength_});
        literalLength_ = 0;
    }

    [[nodiscard]] TemplateError errorHere(TemplateError::Kind kind) const
    {
        return {kind, at_, line_, characterCount(text_.substr(lineStart_, at_ - lineStart_)) + 1};
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::size_t lineStart_ = 0;
    std::size_t literalLength_ = 0; // the bytes at the end of literals_ not yet in a segment
    TimeTemplate built_;
};

TemplateParse TimeTemplate::parse(std::string_view text) { return TemplateParser(text).run(); }

void TimeTemplate::compose(const DateTimeParts& moment, std::string_view stamp, LineBreak lineBreak,
    bool breakAfterLast, std::string& out) const
{
    const std::string_view breakBytes = lineBreakBytes(lineBreak);
    out.clear(); // keeps its storage: this runs on every work tick
    for (const Segment& segment : segments_) {
        switch (segment.kind) {
        case Segment::Kind::Literal:
            out.append(literals_, segment.offset, segment.length);
            break;
        case Segment::Kind::Field:
            if (segment.field == TemplateField::Stamp)
                out.append(stamp);
            else
                out.append(valueOf(moment, segment.field));
            break;
        case Segment::Kind::LineBreak:
            out.append(breakBytes);
            break;
        }
    }
    if (breakAfterLast)
        out.append(breakBytes);
}

std::size_t TimeTemplate::widestComposition(LineBreak lineBreak, bool breakAfterLast) const
{
    const std::size_t breaks = breakCount_ + (breakAfterLast ? 1 : 0);
    return literals_.size() + widestFields_ + breaks * lineBreakBytes(lineBreak).size();
}

std::string_view fieldWord(TemplateField field)
{
    switch (field) {
    case TemplateField::Year:
        return "year";
    case TemplateField::Month:
        return "month";
    case TemplateField::Day:
        return "day";
    case TemplateField::Hour:
        return "hour";
    case TemplateField::Minute:
        return "minute";
    case TemplateField::Second:
        return "second";
    case TemplateField::Stamp:
        break;
    }
    return "stamp";
}

std::size_t widestValue(TemplateField field)
{
    switch (field) {
    case TemplateField::Year:
        return 4;
    case TemplateField::Stamp:
        return 1;
    case TemplateField::Month:
    case TemplateField::Day:
    case TemplateField::Hour:
    case TemplateField::Minute:
    case TemplateField::Second:
        break;
    }
    return 2;
}

std::string_view lineBreakBytes(LineBreak lineBreak) { return lineBreak == LineBreak::CrLf ? "\r\n" : "\n"; }

} // namespace zv
