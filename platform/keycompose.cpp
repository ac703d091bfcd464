#include "platform/keycompose.h"

#include <xkbcommon/xkbcommon-compose.h>

#include <cstdlib>

namespace orvela {

struct KeyComposer::Tables {
    xkb_context* context = nullptr;
    xkb_compose_table* table = nullptr;
    xkb_compose_state* state = nullptr;
    ~Tables() {
        xkb_compose_state_unref(state);
        xkb_compose_table_unref(table);
        xkb_context_unref(context);
    }
};

namespace {

// The locale whose compose rules the desktop uses, as libX11 and the toolkits find it.
const char* composelocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* value = std::getenv(name); value && *value) return value;
    return "C";
}

}  // namespace

KeyComposer::KeyComposer() : tables_(std::make_unique<Tables>()) {
    tables_->context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!tables_->context) return;
    tables_->table = xkb_compose_table_new_from_locale(tables_->context, composelocale(), XKB_COMPOSE_COMPILE_NO_FLAGS);
    // Without rules for the locale, dead keys still compose by the common ones.
    if (!tables_->table)
        tables_->table = xkb_compose_table_new_from_locale(tables_->context, "C", XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (tables_->table) tables_->state = xkb_compose_state_new(tables_->table, XKB_COMPOSE_STATE_NO_FLAGS);
}

KeyComposer::~KeyComposer() = default;

KeyComposer::Result KeyComposer::feed(std::uint32_t keysym) {
    text_.clear();
    if (!tables_->state || keysym == 0) return Result::none;
    // Modifiers leave a sequence as it is.
    if (xkb_compose_state_feed(tables_->state, keysym) == XKB_COMPOSE_FEED_IGNORED) return Result::none;
    switch (xkb_compose_state_get_status(tables_->state)) {
    case XKB_COMPOSE_COMPOSING:
        return Result::composing;
    case XKB_COMPOSE_COMPOSED: {
        char utf8[64];
        xkb_compose_state_get_utf8(tables_->state, utf8, sizeof utf8);
        text_ = QString::fromUtf8(utf8);
        xkb_compose_state_reset(tables_->state);
        return Result::composed;
    }
    case XKB_COMPOSE_CANCELLED:  // the key that broke the sequence types its own text
        xkb_compose_state_reset(tables_->state);
        return Result::none;
    case XKB_COMPOSE_NOTHING:
        break;
    }
    return Result::none;
}

void KeyComposer::reset() {
    text_.clear();
    if (tables_->state) xkb_compose_state_reset(tables_->state);
}

}  // namespace orvela
