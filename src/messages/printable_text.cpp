#include "messages/printable_text.h"

#include <algorithm>

namespace zav {

namespace {

bool IsControl(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

} // namespace

std::string PrintableText(std::string_view text)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        if (IsControl(c)) {
            const auto code = static_cast<unsigned char>(c);
            printable += "\\x";
            printable += kDigits[code >> 4];
            printable += kDigits[code & 0x0F];
        } else {
            printable += c;
        }
    }
    return printable;
}

bool HoldsBinaryData(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c != '\t' && IsControl(c); });
}

} // namespace zav
