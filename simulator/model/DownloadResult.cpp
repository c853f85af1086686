#include "simulator/model/DownloadResult.h"

namespace download {
const char* ResultName(std::int32_t code) {
    switch (code) {
    case kOk:
        return "success";
    case kFileMissing:
        return "file missing or unreadable";
    case kBadHeader:
        return "not a firmware image (bad header)";
    case kTruncated:
        return "image truncated";
    case kCorrupt:
        return "image corrupt (checksum)";
    case kWrongPanel:
        return "image is for another panel";
    case kTrailingData:
        return "unexpected data after the image";
    case kUnplugged:
        return "panel unplugged during download";
    default:
        return "unknown result";
    }
}
}  // namespace download
