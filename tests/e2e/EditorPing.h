#pragma once

#include <QString>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>

// Round trips with a Qt program through its X server: a _NET_WM_PING sent
// to one of its windows comes back to the root window once the program's
// event loop has reached it, that is after every event the server sent the
// program before it (the input xdotool made, the replies to the program's own
// requests). The answer goes to the root window, for every client that
// listens to the root's structure, as this connection does.
class EditorPing {
public:
    explicit EditorPing(const QString& display)
        : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr)) {
        if (xcb_connection_has_error(m_connection.get()))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection.get(), m_root, XCB_CW_EVENT_MASK, &mask);
        m_protocols = Atom("WM_PROTOCOLS");
        m_ping = Atom("_NET_WM_PING");
    }

    enum class Result { Answered, Silent, WindowGone };

    // Pings the window and waits up to ms for the answer.
    Result RoundTrip(const QString& window, int ms) {
        bool known = false;
        const auto target = static_cast<xcb_window_t>(window.toULong(&known, 0));
        if (!known || m_ping == XCB_NONE)
            return Result::WindowGone;
        xcb_client_message_event_t ping{};
        ping.response_type = XCB_CLIENT_MESSAGE;
        ping.format = 32;
        ping.window = target;
        ping.type = m_protocols;
        ping.data.data32[0] = m_ping;
        ping.data.data32[1] = ++m_serial;
        ping.data.data32[2] = target;
        xcb_send_event(m_connection.get(), 0, target, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&ping));
        xcb_flush(m_connection.get());
        pollfd fd{xcb_get_file_descriptor(m_connection.get()), POLLIN, 0};
        for (int left = ms; left > 0; left -= 10) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection.get())) {
                const Result answer = Answer(*event, target);
                std::free(event);
                if (answer != Result::Silent)
                    return answer;
            }
            if (xcb_connection_has_error(m_connection.get()))
                return Result::WindowGone;
            ::poll(&fd, 1, 10);
        }
        return Result::Silent;
    }

private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
    };

    xcb_atom_t Atom(const char* name) {
        const auto cookie = xcb_intern_atom(m_connection.get(), 0,
                                            static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_connection.get(), cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
        std::free(reply);
        return atom;
    }

    // What an event says of the last ping: its answer, the pinged window's
    // end (an error naming it), or nothing.
    Result Answer(const xcb_generic_event_t& event, xcb_window_t target) const {
        if (event.response_type == 0)
            return reinterpret_cast<const xcb_generic_error_t&>(event).resource_id == target
                       ? Result::WindowGone
                       : Result::Silent;
        if ((event.response_type & 0x7F) != XCB_CLIENT_MESSAGE)
            return Result::Silent;
        const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
        const bool answer = message.type == m_protocols && message.data.data32[0] == m_ping &&
                            message.data.data32[1] == m_serial;
        return answer ? Result::Answered : Result::Silent;
    }

    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_protocols = XCB_NONE;
    xcb_atom_t m_ping = XCB_NONE;
    std::uint32_t m_serial = 0;
};
