#pragma once
// The error a failing speech-engine call raises: it carries the call's result code.
#include <cstdint>
#include <string>

#include "platform/errors.h"

namespace orvela {

using HResult = std::int32_t;

inline constexpr HResult S_OK = 0;
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005u);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057u);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult REGDB_E_CLASSNOTREG = static_cast<HResult>(0x80040154u);
inline constexpr HResult CO_E_SERVER_EXEC_FAILURE = static_cast<HResult>(0x80080005u);
inline constexpr HResult RPC_E_DISCONNECTED = static_cast<HResult>(0x80010108u);

inline bool failed(HResult result) { return result < 0; }

// The system's text for a result code, or "OLE error %.8x" when it has none.
std::string comErrorText(HResult result);

class ComError : public OrvelaError {
public:
    explicit ComError(HResult result) : OrvelaError(comErrorText(result)), code_(result) {}
    HResult code() const { return code_; }

private:
    HResult code_;
};

// Raises ComError for a failure result.
inline void checkResult(HResult result) {
    if (failed(result)) throw ComError(result);
}

}  // namespace orvela
