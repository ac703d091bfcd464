#include "platform/speechdservice.h"

#include <fcntl.h>
#include <libspeechd.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>
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
    bool reportsEnd = false;  // the end of a stream was asked for
    std::atomic<bool> lost = false;
};

// libspeechd's callbacks carry only the client id: this finds the connection's streams.
// Never destroyed: libspeechd's threads may still look here while the process exits.
std::mutex registryMutex;
std::map<std::size_t, std::weak_ptr<Streams>>& registry() {
    static auto* clients = new std::map<std::size_t, std::weak_ptr<Streams>>;
    return *clients;
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

// The daemon went away: no text it had will ever be reported, so each one ends now.
void hangUp(Streams& streams) {
    const std::lock_guard lock(streams.mutex);
    streams.lost = true;
    if (streams.reportsEnd)
        for (const auto& [message, stream] : streams.byMessage) deliver(streams.events, stream, false);
    streams.byMessage.clear();
    streams.early.clear();
}

// libspeechd says nothing when the daemon hangs up; this thread watches the socket for it.
class HangupWatch {
public:
    HangupWatch(int socket, std::function<void()> onHangup) {
        if (::pipe2(wake_, O_CLOEXEC) != 0) throw ComError(E_OUTOFMEMORY);
        thread_ = std::thread([this, socket, onHangup = std::move(onHangup)] {
            // Only the hang-up is asked for: the data belongs to libspeechd's own reader.
            pollfd watched[2] = {{socket, POLLRDHUP, 0}, {wake_[0], POLLIN, 0}};
            while (::poll(watched, 2, -1) < 0 && errno == EINTR) {
            }
            if (watched[1].revents == 0 && watched[0].revents != 0) onHangup();
        });
    }
    ~HangupWatch() {
        const char stop = 0;
        while (::write(wake_[1], &stop, 1) < 0 && errno == EINTR) {
        }
        thread_.join();
        ::close(wake_[0]);
        ::close(wake_[1]);
    }
    HangupWatch(const HangupWatch&) = delete;
    HangupWatch& operator=(const HangupWatch&) = delete;

private:
    int wake_[2] = {-1, -1};
    std::thread thread_;
};

void onBegin(std::size_t message, std::size_t client, SPDNotificationType) { report(message, client, true); }
void onEnd(std::size_t message, std::size_t client, SPDNotificationType) { report(message, client, false); }

class SpeechDispatcher final : public Service {
public:
    SpeechDispatcher(SPDConnection* connection, std::shared_ptr<Streams> streams)
        : connection_(connection), streams_(std::move(streams)), client_(spd_get_client_id(connection)) {
        // The callbacks are in place before anything is sent; the notifications follow the interests.
        connection_->callback_begin = onBegin;
        connection_->callback_end = onEnd;
        connection_->callback_cancel = onEnd;
        {
            const std::lock_guard lock(registryMutex);
            registry()[client_] = streams_;
        }
        const std::weak_ptr<Streams> weak = streams_;
        try {
            watch_ = std::make_unique<HangupWatch>(connection_->socket, [weak] {
                if (const auto streams = weak.lock()) hangUp(*streams);
            });
        } catch (...) {
            forget();
            throw;
        }
    }

    ~SpeechDispatcher() override {
        watch_.reset();
        forget();
    }

    void setEventInterests(std::int32_t interests) override {
        checkAlive();
        const bool start = (interests & SVEStartInputStream) != 0;
        const bool end = (interests & SVEEndInputStream) != 0;
        if (notify(SPD_BEGIN, start) || notify(SPD_END, end) || notify(SPD_CANCEL, end)) throw ComError(E_FAIL);
        const std::lock_guard lock(streams_->mutex);
        streams_->reportsEnd = end;
    }

    bool lost() const override { return streams_->lost; }

    std::int32_t Speak(const std::string& text, int flags) override {
        checkAlive();
        if (flags & SVSFPurgeBeforeSpeak) {
            if (spd_cancel(connection_)) fail();
        }
        if (text.empty()) return 0;
        const bool markup = (flags & SVSFIsXML) != 0;
        if (markup != markup_) {
            if (spd_set_data_mode(connection_, markup ? SPD_DATA_SSML : SPD_DATA_TEXT)) fail();
            markup_ = markup;
        }
        const std::string utf8 = codec::cp1250ToUtf8(text);
        // Not under the streams' lock: libspeechd's event thread hands spd_say its reply.
        const int message = spd_say(connection_, SPD_TEXT, markup ? ("<speak>" + utf8 + "</speak>").c_str() : utf8.c_str());
        if (message < 0) fail();
        const auto id = static_cast<std::size_t>(message);
        const std::lock_guard lock(streams_->mutex);
        const std::int32_t stream = streams_->next++;
        // Hung up since the text went out: it ends now, as the others did.
        bool ended = streams_->lost;
        if (ended && streams_->reportsEnd) deliver(streams_->events, stream, false);
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
    void forget() {
        spd_close(connection_);
        const std::lock_guard lock(registryMutex);
        registry().erase(client_);
    }
    int notify(SPDNotification type, bool on) {
        return on ? spd_set_notification_on(connection_, type) : spd_set_notification_off(connection_, type);
    }
    // Writing to a daemon that hung up would only fail (or raise SIGPIPE).
    void checkAlive() const {
        if (streams_->lost) throw ComError(RPC_E_DISCONNECTED);
    }
    [[noreturn]] void fail() const {
        checkAlive();
        throw ComError(E_FAIL);
    }

    SPDConnection* connection_;
    std::shared_ptr<Streams> streams_;
    std::size_t client_;
    bool markup_ = false;
    std::unique_ptr<HangupWatch> watch_;
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
