// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LosslessTransform.h"

#include <turbojpeg.h>

#include <memory>

namespace brelin {
namespace {

struct Handle
{
    tjhandle h = nullptr;
    explicit Handle(tjhandle handle) : h(handle) {}
    ~Handle()
    {
        if (h)
            tjDestroy(h);
    }
};

int operationFor(int orientation)
{
    switch (orientation) {
    case 2:
        return TJXOP_HFLIP;
    case 3:
        return TJXOP_ROT180;
    case 4:
        return TJXOP_VFLIP;
    case 5:
        return TJXOP_TRANSPOSE;
    case 6:
        return TJXOP_ROT90;
    case 7:
        return TJXOP_TRANSVERSE;
    case 8:
        return TJXOP_ROT270;
    default:
        return TJXOP_NONE;
    }
}

} // namespace

bool canTurnUprightLosslessly(std::span<const uint8_t> jpeg, int orientation)
{
    Handle handle(tjInitDecompress());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (!handle.h)
        return false;
    // A warning (stray bytes between segments) still gives the sizes; the transform itself
    // runs on the file the marker tools wrote, which has none.
    if (tjDecompressHeader3(handle.h, jpeg.data(), jpeg.size(), &width, &height, &subsamp,
                            &colorspace) != 0 &&
        tjGetErrorCode(handle.h) != TJERR_WARNING)
        return false;
    if (subsamp < 0 || subsamp >= TJ_NUMSAMP)
        return false;
    const bool wholeWidth = width % tjMCUWidth[subsamp] == 0;
    const bool wholeHeight = height % tjMCUHeight[subsamp] == 0;
    switch (operationFor(orientation)) {
    case TJXOP_TRANSPOSE:
        return true;
    case TJXOP_HFLIP:
    case TJXOP_ROT270:
        return wholeWidth;
    case TJXOP_VFLIP:
    case TJXOP_ROT90:
        return wholeHeight;
    case TJXOP_ROT180:
    case TJXOP_TRANSVERSE:
        return wholeWidth && wholeHeight;
    default:
        return false;
    }
}

std::optional<std::vector<uint8_t>> turnUprightLosslessly(std::span<const uint8_t> jpeg,
                                                          int orientation, std::string& error)
{
    Handle handle(tjInitTransform());
    if (!handle.h) {
        error = "cannot start the lossless transform";
        return std::nullopt;
    }
    tjtransform xform{};
    xform.op = operationFor(orientation);
    xform.options = TJXOPT_PERFECT;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    if (tjTransform(handle.h, jpeg.data(), jpeg.size(), 1, &out, &outSize, &xform,
                    TJFLAG_STOPONWARNING) != 0) {
        error = tjGetErrorStr2(handle.h);
        tjFree(out);
        return std::nullopt;
    }
    std::vector<uint8_t> result(out, out + outSize);
    tjFree(out);
    return result;
}

} // namespace brelin
