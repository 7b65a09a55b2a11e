#include "SystemColours.h"

namespace pomrola {

QColor ColourFromReference(std::uint32_t reference, const QPalette& palette)
{
    constexpr std::uint32_t SystemColourFlag = 0x80000000u;
    constexpr std::uint32_t ButtonFaceIndex = 15;
    if (reference & SystemColourFlag) {
        if ((reference & 0xFFu) == ButtonFaceIndex)
            return palette.color(QPalette::Button);
        return palette.color(QPalette::Window);
    }
    return QColor(int(reference & 0xFFu), int((reference >> 8) & 0xFFu), int((reference >> 16) & 0xFFu));
}

}  // namespace pomrola
