#include "platform/comerror.h"

#include <array>
#include <cstdio>
#include <utility>

namespace orvela {
namespace {

const std::array<std::pair<HResult, const char*>, 7> kTexts = {{
    {E_NOTIMPL, "Not implemented"},
    {E_FAIL, "Unspecified error"},
    {E_INVALIDARG, "The parameter is incorrect"},
    {E_OUTOFMEMORY, "Not enough storage is available to complete this operation"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_SERVER_EXEC_FAILURE, "Server execution failed"},
    {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients"},
}};

}  // namespace

std::string comErrorText(HResult result) {
    for (const auto& [code, text] : kTexts)
        if (code == result) return text;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "OLE error %.8x", static_cast<unsigned>(result));
    return buffer;
}

}  // namespace orvela
