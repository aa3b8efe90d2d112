#include "encoder/Numbers.h"

#include <cstdio>

#include <cmath>
#include <numeric>

namespace velmora::encoder {

namespace {

int digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

std::string_view skipBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

Ratio reduced(std::int64_t num, std::int64_t den)
{
    const std::int64_t divisor = std::gcd(num, den);
    return divisor ? Ratio{num / divisor, den / divisor} : Ratio{num, den};
}

} // namespace

std::optional<std::int32_t> readWholeNumber(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal fills all 32 bits, as the dialogs read it: $FFFFFFFF is -1.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
}

std::optional<double> readDecimal(std::string_view text)
{
    if (const auto whole = readWholeNumber(text))
        return *whole;
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    double scale = 0;
    bool digits = false;
    for (const char c : text) {
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                scale /= 10;
                value += (c - '0') * scale;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<Ratio> readRatio(std::string_view text)
{
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        const auto num = readWholeNumber(text.substr(0, slash));
        const auto den = readWholeNumber(text.substr(slash + 1));
        if (!num || !den || *den == 0)
            return std::nullopt;
        if (*den < 0)
            return reduced(-std::int64_t{*num}, -std::int64_t{*den});
        return reduced(*num, *den);
    }
    const auto value = readDecimal(text);
    if (!value)
        return std::nullopt;
    if (*value == std::floor(*value) && std::abs(*value) < 2147483647.0)
        return Ratio{static_cast<std::int64_t>(*value), 1};
    for (const std::int64_t ntsc : {24000, 30000, 48000, 60000}) {
        const Ratio rate{ntsc, 1001};
        if (std::abs(*value - rate.value()) < 0.01)
            return rate;
    }
    // Six decimal places are more than any rate or shape needs.
    return reduced(static_cast<std::int64_t>(std::llround(*value * 1000000)), 1000000);
}

std::string secondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

} // namespace velmora::encoder
