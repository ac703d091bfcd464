#include "platform/speechdservice.h"

#include <libspeechd.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "platform/codec.h"
#include "platform/eventpump.h"

namespace orvela::sapi5 {
namespace {

// Stream numbers of the texts a connection has queued, by message id; shared between
// the main thread and libspeechd's event thread.
struct Streams {
    std::mutex mutex;
    std::map<std::size_t, std::int32_t> byMessage;
    // Events that arrived before spd_say returned their message's id.
    std::map<std::size_t, std::vector<bool>> early;
    std::int32_t next = 1;
    std::weak_ptr<StreamEvents> events;
};

// libspeechd's callbacks carry only the client id: this finds the connection's streams.
std::mutex registryMutex;
std::map<std::size_t, std::weak_ptr<Streams>>& registry() {
    static std::map<std::size_t, std::weak_ptr<Streams>> clients;
    return clients;
}

void deliver(const std::weak_ptr<StreamEvents>& weak, std::int32_t stream, bool start) {
    eventPump().post([weak, stream, start] {
        const auto events = weak.lock();
        if (!events) return;
        const auto& handler = start ? events->onStartStream : events->onEndStream;
        if (handler) handler(stream, 0);
    });
}

void report(std::size_t message, std::size_t client, bool start) {
    std::shared_ptr<Streams> streams;
    {
        const std::lock_guard lock(registryMutex);
        const auto found = registry().find(client);
        if (found != registry().end()) streams = found->second.lock();
    }
    if (!streams) return;
    const std::lock_guard lock(streams->mutex);
    const auto found = streams->byMessage.find(message);
    if (found == streams->byMessage.end()) {
        streams->early[message].push_back(start);
        return;
    }
    deliver(streams->events, found->second, start);
    if (!start) streams->byMessage.erase(found);
}

void onBegin(std::size_t message, std::size_t client, SPDNotificationType) { report(message, client, true); }
void onEnd(std::size_t message, std::size_t client, SPDNotificationType) { report(message, client, false); }

class SpeechDispatcher final : public Service {
public:
    SpeechDispatcher(SPDConnection* connection, std::shared_ptr<Streams> streams)
        : connection_(connection), streams_(std::move(streams)), client_(spd_get_client_id(connection)) {
        const std::lock_guard lock(registryMutex);
        registry()[client_] = streams_;
    }

    ~SpeechDispatcher() override {
        spd_close(connection_);
        const std::lock_guard lock(registryMutex);
        registry().erase(client_);
    }

    void setEventInterests(std::int32_t) override {
        connection_->callback_begin = onBegin;
        connection_->callback_end = onEnd;
        connection_->callback_cancel = onEnd;
        if (spd_set_notification_on(connection_, SPD_BEGIN) || spd_set_notification_on(connection_, SPD_END) ||
            spd_set_notification_on(connection_, SPD_CANCEL))
            throw ComError(E_FAIL);
    }

    std::int32_t Speak(const std::string& text, int flags) override {
        if (flags & SVSFPurgeBeforeSpeak) {
            if (spd_cancel(connection_)) throw ComError(E_FAIL);
        }
        if (text.empty()) return 0;
        const bool markup = (flags & SVSFIsXML) != 0;
        if (markup != markup_) {
            if (spd_set_data_mode(connection_, markup ? SPD_DATA_SSML : SPD_DATA_TEXT)) throw ComError(E_FAIL);
            markup_ = markup;
        }
        const std::string utf8 = codec::cp1250ToUtf8(text);
        // Not under the streams' lock: libspeechd's event thread hands spd_say its reply.
        const int message = spd_say(connection_, SPD_TEXT, markup ? ("<speak>" + utf8 + "</speak>").c_str() : utf8.c_str());
        if (message < 0) throw ComError(E_FAIL);
        const auto id = static_cast<std::size_t>(message);
        const std::lock_guard lock(streams_->mutex);
        const std::int32_t stream = streams_->next++;
        bool ended = false;
        if (const auto early = streams_->early.find(id); early != streams_->early.end()) {
            for (const bool start : early->second) {
                deliver(streams_->events, stream, start);
                ended = ended || !start;
            }
            streams_->early.erase(early);
        }
        if (!ended) streams_->byMessage[id] = stream;
        return stream;
    }

private:
    SPDConnection* connection_;
    std::shared_ptr<Streams> streams_;
    std::size_t client_;
    bool markup_ = false;
};

}  // namespace

std::unique_ptr<Service> connectSpeechDispatcher(std::weak_ptr<StreamEvents> events) {
    // A daemon named by SPEECHD_ADDRESS is someone else's to start; only the user's own is spawned.
    const bool spawn = std::getenv("SPEECHD_ADDRESS") == nullptr;
    char* error = nullptr;
    SPDConnection* connection = spd_open2("orvela", "main", nullptr, SPD_MODE_THREADED, nullptr, spawn, &error);
    std::free(error);
    if (!connection) throw ComError(CO_E_SERVER_EXEC_FAILURE);
    auto streams = std::make_shared<Streams>();
    streams->events = std::move(events);
    return std::make_unique<SpeechDispatcher>(connection, std::move(streams));
}

}  // namespace orvela::sapi5
