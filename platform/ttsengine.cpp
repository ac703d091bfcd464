#include "platform/ttsengine.h"

namespace orvela::tts {
namespace {

// Stands in until the espeak-ng engine is wired in: nothing is installed.
class MissingEngine final : public Engine {
public:
    HResult CreateAudioDest(std::shared_ptr<AudioDestination>&) override { return REGDB_E_CLASSNOTREG; }
    HResult CreateEnumerator(std::shared_ptr<Enumerator>&) override { return REGDB_E_CLASSNOTREG; }
};

Engine* installed = nullptr;

}  // namespace

Engine& engine() {
    static MissingEngine missing;
    return installed ? *installed : missing;
}

void setEngine(Engine* replacement) { installed = replacement; }

}  // namespace orvela::tts
