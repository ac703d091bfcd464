#include "platform/errors.h"

namespace orvela {

std::string formatMessage(const char* pattern, const std::string& value) {
    std::string out(pattern);
    const auto at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

InOutError::InOutError(int code)
    : OrvelaError(code == kFileNotFound ? std::string("File not found") : "I/O error " + std::to_string(code)),
      code_(code) {}

ConvertError::ConvertError(const std::string& textCp1250)
    : OrvelaError(formatMessage("'%s' is not a valid integer value", textCp1250)) {}

}  // namespace orvela
