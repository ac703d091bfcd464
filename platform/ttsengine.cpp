#include "platform/ttsengine.h"

#include "platform/espeakengine.h"

namespace orvela::tts {
namespace {
Engine* installed = nullptr;
}  // namespace

Engine& engine() { return installed ? *installed : espeakEngine(); }

void setEngine(Engine* replacement) { installed = replacement; }

}  // namespace orvela::tts
