#include "ui/status_messages.h"

#include "catalogue/status.h"

namespace kalvo {

namespace {

constexpr COLORREF kBlack = 0x00000000;
constexpr COLORREF kDarkYellow = 0x0000C0C0;
constexpr COLORREF kDarkRed = 0x000000C0;
constexpr COLORREF kTeal = 0x00C0C000;
constexpr COLORREF kPurple = 0x00C000C0;

}  // namespace

StatusMessage MessageOfStatus(int status) {
    switch (status) {
        case kSolved:
            return {"", kBlack, kBlack};
        case kError:
            return {"ERROR!", kDarkYellow, kDarkRed};
        case kNotAvailable:
            return {" N/Av ", kBlack, kTeal};
        case kNotApplicable:
            return {" N/Ap ", kDarkYellow, kPurple};
        default:
            return {"MultErr", kDarkYellow, kDarkRed};
    }
}

}  // namespace kalvo
