#include "rules/css_colour_parser.h"

#include "rules/colour_spaces.h"
#include "rules/named_colours.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace picker {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameCharacter(char c) {
    return IsNameStart(c) || IsDigit(c) || c == '-';
}

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// `text` is `lower` (lower-case ASCII) in any case.
bool SameName(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c) != lower[at]) {
            return false;
        }
    }
    return true;
}

// 3 or 4 digits stand for 6 or 8, each doubled; the fourth pair is alpha.
std::optional<Components> ParseCssHex(std::string_view digits) {
    const std::size_t count = digits.size();
    if (count != 3 && count != 4 && count != 6 && count != 8) {
        return std::nullopt;
    }
    std::int32_t values[8];
    for (std::size_t at = 0; at < count; ++at) {
        values[at] = HexDigitValue(digits[at]);
        if (values[at] < 0) {
            return std::nullopt;
        }
    }
    if (count <= 4) {
        return Components{values[0] * 17, values[1] * 17, values[2] * 17};
    }
    return Components{values[0] * 16 + values[1], values[2] * 16 + values[3],
                      values[4] * 16 + values[5]};
}

enum class TokenKind { Number, Percentage, Dimension, Identifier, Comma, Slash, Close };

struct Token {
    TokenKind kind;
    double value;          // of a number, percentage or dimension
    std::string_view name; // of an identifier, or a dimension's unit
};

// The tokens of a colour function's arguments, as CSS cuts them: "1-2" is two numbers, "1deg" a
// dimension, "50%" a percentage. Anything no colour function has (strings, other delimiters,
// escapes, comments) stops the reading.
class CArgumentReader {
public:
    explicit CArgumentReader(std::string_view arguments) : text(arguments) {}

    // The next token, or false where there is none that belongs.
    bool Next(Token& token) {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        if (at == text.size()) {
            return false;
        }
        const char c = text[at];
        if (c == ',' || c == '/' || c == ')') {
            token.kind = c == ','   ? TokenKind::Comma
                         : c == '/' ? TokenKind::Slash
                                    : TokenKind::Close;
            ++at;
            return true;
        }
        if (StartsNumber()) {
            if (!ReadNumber(token.value)) {
                return false;
            }
            if (at < text.size() && text[at] == '%') {
                ++at;
                token.kind = TokenKind::Percentage;
            } else if (StartsName()) {
                token.kind = TokenKind::Dimension;
                token.name = ReadName();
            } else {
                token.kind = TokenKind::Number;
            }
            return true;
        }
        if (StartsName()) {
            token.kind = TokenKind::Identifier;
            token.name = ReadName();
            return true;
        }
        return false;
    }

    bool AtEnd() const { return at == text.size(); }

private:
    char At(std::size_t offset) const {
        return at + offset < text.size() ? text[at + offset] : '\0';
    }

    bool StartsNumber() const {
        std::size_t offset = At(0) == '+' || At(0) == '-' ? 1 : 0;
        if (At(offset) == '.') {
            ++offset;
        }
        return IsDigit(At(offset));
    }

    bool StartsName() const {
        return IsNameStart(At(0)) || (At(0) == '-' && (IsNameStart(At(1)) || At(1) == '-'));
    }

    std::string_view ReadName() {
        const std::size_t start = at;
        while (at < text.size() && IsNameCharacter(text[at])) {
            ++at;
        }
        return text.substr(start, at - start);
    }

    // A CSS number: sign, digits with or without a fraction, an exponent. The first 19
    // significant digits are kept, the rest only count for the magnitude; a value of 15 digits
    // or fewer times a power of ten up to 22 is exact, as every number this program writes is.
    // False for a value beyond the range of a double.
    bool ReadNumber(double& value) {
        const bool negative = text[at] == '-';
        if (text[at] == '+' || text[at] == '-') {
            ++at;
        }
        std::uint64_t mantissa = 0;
        int significant = 0;
        std::int64_t exponent = 0; // wide enough for a count of digits in any text
        const auto digits = [&](bool fraction) {
            for (; at < text.size() && IsDigit(text[at]); ++at) {
                if (significant < 19) {
                    if (mantissa != 0 || text[at] != '0') {
                        mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - '0');
                        ++significant;
                    }
                    exponent -= fraction ? 1 : 0;
                } else {
                    exponent += fraction ? 0 : 1;
                }
            }
        };
        digits(false);
        if (At(0) == '.' && IsDigit(At(1))) {
            ++at;
            digits(true);
        }
        const std::size_t signAt = At(1) == '+' || At(1) == '-' ? 1 : 0;
        if ((At(0) == 'e' || At(0) == 'E') && IsDigit(At(1 + signAt))) {
            const bool negativeExponent = At(1) == '-';
            at += 1 + signAt;
            std::int64_t written = 0;
            for (; at < text.size() && IsDigit(text[at]); ++at) {
                // Far beyond any double already: more digits change nothing.
                written = written < 100000 ? written * 10 + (text[at] - '0') : written;
            }
            exponent += negativeExponent ? -written : written;
        }
        value = ScaledByPowerOfTen(static_cast<double>(mantissa), mantissa, exponent);
        value = negative ? -value : value;
        return std::isfinite(value);
    }

    static double ScaledByPowerOfTen(double mantissa, std::uint64_t whole, std::int64_t exponent) {
        static constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (whole == 0 || exponent < -400) {
            return 0;
        }
        if (whole < (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
            return exponent < 0 ? mantissa / kExactPowers[-exponent]
                                : mantissa * kExactPowers[exponent];
        }
        if (exponent > 400) {
            return HUGE_VAL;
        }
        // Two steps keep 10^exponent itself within the range where the product is not.
        return mantissa * std::pow(10.0, static_cast<double>(exponent / 2)) *
               std::pow(10.0, static_cast<double>(exponent - exponent / 2));
    }

    std::string_view text;
    std::size_t at = 0;
};

// What one argument may be.
enum Accepts : unsigned {
    kNumber = 1,
    kPercentage = 2,
    kAngle = 4, // a hue: a number of degrees or a dimension in deg, grad, rad, turn
    kNone = 8,
};

// An argument's value: a number as it is (a hue in degrees), a percentage as that part of
// `hundredPercent`, `none` as 0. Nothing where the argument is not of an accepted kind, or its
// value is beyond the range of a double.
std::optional<double> ValueOf(const Token& token, unsigned accepts, double hundredPercent = 0) {
    double value;
    switch (token.kind) {
    case TokenKind::Number:
        if (!(accepts & (kNumber | kAngle))) {
            return std::nullopt;
        }
        value = token.value;
        break;
    case TokenKind::Percentage:
        if (!(accepts & kPercentage)) {
            return std::nullopt;
        }
        value = token.value * hundredPercent / 100;
        break;
    case TokenKind::Dimension: {
        if (!(accepts & kAngle)) {
            return std::nullopt;
        }
        constexpr double kPi = 3.14159265358979323846;
        const std::string_view unit = token.name;
        const double degreesPerUnit = SameName(unit, "deg")    ? 1
                                      : SameName(unit, "grad") ? 0.9
                                      : SameName(unit, "rad")  ? 180 / kPi
                                      : SameName(unit, "turn") ? 360
                                                               : 0;
        if (degreesPerUnit == 0) {
            return std::nullopt;
        }
        value = token.value * degreesPerUnit;
        break;
    }
    case TokenKind::Identifier:
        if (!(accepts & kNone) || !SameName(token.name, "none")) {
            return std::nullopt;
        }
        value = 0;
        break;
    default:
        return std::nullopt;
    }
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

enum class Function { Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Color };

std::optional<Function> FunctionNamed(std::string_view name) {
    struct Named {
        const char* name;
        Function function;
    };
    static constexpr Named kFunctions[] = {
        {"rgb", Function::Rgb},     {"rgba", Function::Rgb},    {"hsl", Function::Hsl},
        {"hsla", Function::Hsl},    {"hwb", Function::Hwb},     {"lab", Function::Lab},
        {"lch", Function::Lch},     {"oklab", Function::Oklab}, {"oklch", Function::Oklch},
        {"color", Function::Color},
    };
    for (const Named& named : kFunctions) {
        if (SameName(name, named.name)) {
            return named.function;
        }
    }
    return std::nullopt;
}

// A function's arguments: the colour space of color(), three components, the alpha if given.
struct Arguments {
    const Token* space = nullptr;
    const Token* components[3] = {};
    const Token* alpha = nullptr;
    bool commas = false;
};

// The arguments of `tokens` (the last is the closing parenthesis) in the space syntax,
// "[space] c c c [/ alpha]", or the comma syntax, "c, c, c[, alpha]". (Filled in place: a copy
// of the whole took a fifth of the reading's time.)
bool SplitArguments(const Token* tokens, std::size_t count, bool withSpace, Arguments& arguments) {
    std::size_t at = 0;
    if (withSpace) {
        if (tokens[0].kind != TokenKind::Identifier) {
            return false;
        }
        arguments.space = &tokens[at++];
    }
    arguments.commas = !withSpace && count > 1 && tokens[1].kind == TokenKind::Comma;
    for (std::size_t part = 0; part < 3; ++part) {
        if (arguments.commas && part > 0 &&
            (at >= count || tokens[at++].kind != TokenKind::Comma)) {
            return false;
        }
        if (at >= count) {
            return false;
        }
        arguments.components[part] = &tokens[at++];
    }
    if (at < count && tokens[at].kind == (arguments.commas ? TokenKind::Comma : TokenKind::Slash)) {
        ++at;
        if (at < count) {
            arguments.alpha = &tokens[at++];
        }
    }
    // Exactly the closing parenthesis is left: no fourth component, no alpha missing. (A
    // component or alpha that is a delimiter has no value: ValueOf refuses it.)
    return at + 1 == count && tokens[at].kind == TokenKind::Close;
}

// The three components' values, each in the units its conversion wants.
using Values = double[3];

bool ReadValues(const Arguments& arguments, const unsigned (&accepts)[3],
                const double (&hundredPercent)[3], Values& values) {
    for (std::size_t part = 0; part < 3; ++part) {
        const std::optional<double> value =
            ValueOf(*arguments.components[part], accepts[part], hundredPercent[part]);
        if (!value) {
            return false;
        }
        values[part] = *value;
    }
    return true;
}

// Gamma-encoded sRGB as bytes, unless the conversion overflowed on the way.
std::optional<Components> FromSrgb(const Coordinates& encoded) {
    for (double component : encoded) {
        if (!std::isfinite(component)) {
            return std::nullopt;
        }
    }
    return ComponentsOfSrgb(encoded);
}

std::optional<Components> FromLinearSrgb(const Coordinates& linear) {
    for (double component : linear) {
        if (!std::isfinite(component)) {
            return std::nullopt;
        }
    }
    return ComponentsOfLinearSrgb(linear);
}

std::optional<Components> FromXyzD65(const Coordinates& xyz) {
    return FromLinearSrgb(XyzD65ToLinearSrgb(xyz));
}

std::optional<Components> FromLab(const Coordinates& lab) {
    return FromXyzD65(XyzD50ToD65(LabToXyzD50(lab)));
}

std::optional<Components> FromOklab(const Coordinates& oklab) {
    return FromXyzD65(OklabToXyzD65(oklab));
}

// rgb() in bytes directly: a component of 127.5 or 50% is exactly half, which rounds up.
std::optional<Components> ReadRgb(const Arguments& arguments) {
    const unsigned accepts =
        arguments.commas ? kNumber | kPercentage : kNumber | kPercentage | kNone;
    if (arguments.commas && (arguments.components[0]->kind != arguments.components[1]->kind ||
                             arguments.components[1]->kind != arguments.components[2]->kind)) {
        return std::nullopt; // the comma syntax takes all numbers or all percentages
    }
    Values v;
    if (!ReadValues(arguments, {accepts, accepts, accepts}, {255, 255, 255}, v)) {
        return std::nullopt;
    }
    const auto byte = [](double value) {
        return static_cast<std::int32_t>(std::round(value > 255 ? 255 : value > 0 ? value : 0));
    };
    return Components{byte(v[0]), byte(v[1]), byte(v[2])};
}

std::optional<Components> ReadHslOrHwb(const Arguments& arguments, bool hwb) {
    const unsigned hue = arguments.commas ? kAngle : kAngle | kNone;
    const unsigned part = arguments.commas ? kPercentage : kNumber | kPercentage | kNone;
    Values v;
    if (!ReadValues(arguments, {hue, part, part}, {0, 100, 100}, v)) {
        return std::nullopt;
    }
    if (hwb) {
        return FromSrgb(HwbToSrgb(v[0], v[1] / 100, v[2] / 100));
    }
    // A saturation below none is none (CSS clamps it when it reads it).
    const double saturation = v[1] > 0 ? v[1] / 100 : 0;
    return FromSrgb(HslToSrgb(v[0], saturation, v[2] / 100));
}

double AtLeastZero(double value) {
    return value > 0 ? value : 0;
}

double Within(double value, double highest) {
    return value > highest ? highest : AtLeastZero(value);
}

std::optional<Components> ReadColorFunction(const Arguments& arguments) {
    constexpr unsigned kPart = kNumber | kPercentage | kNone;
    Values v;
    if (!ReadValues(arguments, {kPart, kPart, kPart}, {1, 1, 1}, v)) {
        return std::nullopt;
    }
    const Coordinates c{v[0], v[1], v[2]};
    const std::string_view space = arguments.space->name;
    if (SameName(space, "srgb")) {
        return FromSrgb(c);
    }
    if (SameName(space, "srgb-linear")) {
        return FromLinearSrgb(c);
    }
    if (SameName(space, "display-p3")) {
        return FromXyzD65(
            LinearDisplayP3ToXyzD65({SrgbToLinear(c[0]), SrgbToLinear(c[1]), SrgbToLinear(c[2])}));
    }
    if (SameName(space, "xyz") || SameName(space, "xyz-d65")) {
        return FromXyzD65(c);
    }
    if (SameName(space, "xyz-d50")) {
        return FromXyzD65(XyzD50ToD65(c));
    }
    return std::nullopt;
}

std::optional<Components> ReadFunction(Function function, const Arguments& arguments) {
    constexpr unsigned kPart = kNumber | kPercentage | kNone;
    constexpr unsigned kHue = kAngle | kNone;
    Values v;
    switch (function) {
    case Function::Rgb:
        return ReadRgb(arguments);
    case Function::Hsl:
        return ReadHslOrHwb(arguments, false);
    case Function::Hwb:
        return ReadHslOrHwb(arguments, true);
    case Function::Color:
        return ReadColorFunction(arguments);
    case Function::Lab:
        if (ReadValues(arguments, {kPart, kPart, kPart}, {100, 125, 125}, v)) {
            return FromLab({Within(v[0], 100), v[1], v[2]});
        }
        return std::nullopt;
    case Function::Lch:
        if (ReadValues(arguments, {kPart, kPart, kHue}, {100, 150, 0}, v)) {
            return FromLab(FromPolar({Within(v[0], 100), AtLeastZero(v[1]), v[2]}));
        }
        return std::nullopt;
    case Function::Oklab:
        if (ReadValues(arguments, {kPart, kPart, kPart}, {1, 0.4, 0.4}, v)) {
            return FromOklab({Within(v[0], 1), v[1], v[2]});
        }
        return std::nullopt;
    case Function::Oklch:
        if (ReadValues(arguments, {kPart, kPart, kHue}, {1, 0.4, 0}, v)) {
            return FromOklab(FromPolar({Within(v[0], 1), AtLeastZero(v[1]), v[2]}));
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// name( arguments ): `rest` is all that follows the opening parenthesis.
std::optional<Components> ParseFunction(std::string_view name, std::string_view rest) {
    const std::optional<Function> function = FunctionNamed(name);
    if (!function) {
        return std::nullopt;
    }
    // The longest a colour function can be: "c , c , c , a )".
    constexpr std::size_t kMostTokens = 8;
    Token tokens[kMostTokens];
    std::size_t count = 0;
    CArgumentReader reader(rest);
    do {
        if (count == kMostTokens || !reader.Next(tokens[count])) {
            return std::nullopt;
        }
    } while (tokens[count++].kind != TokenKind::Close);
    if (!reader.AtEnd()) {
        return std::nullopt; // something after the colour
    }
    Arguments arguments;
    if (!SplitArguments(tokens, count, *function == Function::Color, arguments) ||
        (arguments.commas && *function != Function::Rgb && *function != Function::Hsl)) {
        return std::nullopt;
    }
    if (arguments.alpha) {
        const unsigned alpha =
            arguments.commas ? kNumber | kPercentage : kNumber | kPercentage | kNone;
        if (!ValueOf(*arguments.alpha, alpha, 1)) {
            return std::nullopt;
        }
    }
    return ReadFunction(*function, arguments);
}

// The colour itself: the text without the blanks around it and one ';' after it.
std::string_view Trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    const auto trimEnd = [&] {
        while (end > begin && IsBlank(text[end - 1])) {
            --end;
        }
    };
    trimEnd();
    if (end > begin && text[end - 1] == ';') {
        --end;
        trimEnd();
    }
    return text.substr(begin, end - begin);
}

} // namespace

std::optional<Components> ParseCssColour(std::string_view text) {
    const std::string_view colour = Trimmed(text);
    if (colour.empty()) {
        return std::nullopt;
    }
    if (colour[0] == '#') {
        return ParseCssHex(colour.substr(1));
    }
    if (const std::optional<Components> hex = ParseCssHex(colour)) {
        return hex;
    }
    std::size_t nameEnd = 0;
    while (nameEnd < colour.size() && IsNameCharacter(colour[nameEnd])) {
        ++nameEnd;
    }
    const std::string_view name = colour.substr(0, nameEnd);
    if (nameEnd == colour.size()) {
        return FindNamedColour(name);
    }
    if (colour[nameEnd] != '(') {
        return std::nullopt;
    }
    return ParseFunction(name, colour.substr(nameEnd + 1));
}

} // namespace picker
