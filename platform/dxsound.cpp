#include "platform/dxsound.h"

#include <fstream>
#include <iterator>

#include "platform/errors.h"

namespace orvela {

void TDXSound::Initialize() {
    if (!device_) device_ = openSoundDevice();
}

TWaveCollectionItem::TWaveCollectionItem(const WaveData& wave, std::unique_ptr<DeviceWave> deviceWave)
    : name_(wave.name),
      lengthMs_(wave.lengthMs()),
      playback_{wave.looped, static_cast<int>(wave.sampleRate), 0},
      deviceWave_(std::move(deviceWave)) {}

void TWaveCollectionItem::setFrequency(long long hertz) {
    if (hertz >= kMinFrequency && hertz <= kMaxFrequency) playback_.frequency = static_cast<int>(hertz);
}

void TWaveCollectionItem::setVolume(long long volume) {
    if (volume >= kMinVolume && volume <= kMaxVolume) playback_.volume = static_cast<int>(volume);
}

void TWaveCollectionItem::play(bool wait) { deviceWave_->play(playback_, wait); }

void TWaveCollectionItem::stop() { deviceWave_->stop(); }

void TWaveCollection::loadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw OrvelaError("Cannot open " + path);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw OrvelaError("Cannot read " + path);
    loadFromBytes(bytes);
}

void TWaveCollection::loadFromBytes(std::string_view bytes) { load(parseWaveCollection(bytes)); }

void TWaveCollection::load(const std::vector<WaveData>& waves) {
    if (!sound_.Initialized()) throw OrvelaError("The sound device is not open");
    std::vector<std::unique_ptr<TWaveCollectionItem>> items;
    items.reserve(waves.size());
    for (const auto& wave : waves)
        items.push_back(std::make_unique<TWaveCollectionItem>(wave, sound_.device()->createWave(wave)));
    items_ = std::move(items);
}

TWaveCollectionItem& TWaveCollection::find(std::string_view name) {
    for (auto& item : items_)
        if (sameWaveName(item->name(), name)) return *item;
    throw OrvelaError(formatMessage("Wave '%s' not found", std::string(name)));
}

}  // namespace orvela
