#pragma once
// Dead keys and the Compose key, composed by the desktop's own compose rules (those of
// the user's locale), so that a composed letter arrives as the key press of the key that
// completed it, in order with every other key.
#include <QString>
#include <cstdint>
#include <memory>

namespace orvela {

class KeyComposer {
public:
    KeyComposer();
    ~KeyComposer();
    KeyComposer(const KeyComposer&) = delete;
    KeyComposer& operator=(const KeyComposer&) = delete;

    enum class Result { none, composing, composed };
    // Feeds the key symbol of a key press. `composing`: the key only started or went on
    // with a sequence and types nothing; `composed`: text() is what the sequence typed;
    // `none`: the key types its own text.
    Result feed(std::uint32_t keysym);
    QString text() const { return text_; }
    void reset();

private:
    struct Tables;
    std::unique_ptr<Tables> tables_;
    QString text_;
};

}  // namespace orvela
