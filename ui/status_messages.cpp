#include "ui/status_messages.h"

#include "catalogue/status.h"
#include "ui/colours.h"

namespace kalvo {

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
