#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::encoder {

// A number as the settings dialogs read it: leading blanks, an optional sign, then decimal
// digits, or hexadecimal after "$" or "0x". Nothing may follow the digits.
std::optional<std::int32_t> readWholeNumber(std::string_view text);

// A decimal number: the whole-number forms above, or digits with one decimal point.
std::optional<double> readDecimal(std::string_view text);

// An exact ratio, such as a frame rate or a picture shape.
struct Ratio
{
    std::int64_t num = 0;
    std::int64_t den = 1;

    double value() const { return den ? static_cast<double>(num) / static_cast<double>(den) : 0.0; }
    bool positive() const { return num > 0 && den > 0; }
    friend bool operator==(const Ratio &, const Ratio &) = default;
};

// "30000/1001", "16/9", "30" or "29.97". A decimal that names one of the NTSC rates
// (23.976, 29.97, 59.94) within a hundredth is read as that rate's exact fraction.
std::optional<Ratio> readRatio(std::string_view text);

// Seconds with one decimal, for messages: "12.3".
std::string secondsText(double seconds);

} // namespace velmora::encoder
