"""A tiny X11 protocol client: just what the benchmark needs to watch windows appear and to read
their pixels, without Xlib bindings (the harness uses nothing beyond Python's standard library).

Only little-endian, unauthenticated local connections are supported, which is what a private
Xvfb started without -auth accepts.
"""

import select
import socket
import struct
import time

# Core protocol opcodes and constants used here.
_CHANGE_WINDOW_ATTRIBUTES = 2
_GET_GEOMETRY = 14
_GET_INPUT_FOCUS = 43
_GET_IMAGE = 73
_CW_EVENT_MASK = 0x800
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
_Z_PIXMAP = 2

MAP_NOTIFY = 19
DESTROY_NOTIFY = 17


class XError(RuntimeError):
    pass


class Event:
    """One core event: its code, the window it is about, and when the harness read it."""

    def __init__(self, code, raw, received_ns):
        self.code = code
        self.raw = raw
        self.received_ns = received_ns
        # MapNotify, DestroyNotify and friends carry (event window, window) at bytes 4..12.
        self.event_window, self.window = struct.unpack_from("<II", raw, 4)


class Connection:
    def __init__(self, display_number):
        self._sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._sock.connect(f"/tmp/.X11-unix/X{display_number}")
        self._buffer = bytearray()
        self._sequence = 0
        self._events = []
        self._handshake()

    def close(self):
        self._sock.close()

    # --- connection set-up -------------------------------------------------------------------

    def _handshake(self):
        self._sock.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, 0, 0))
        head = self._read_exact(8)
        status = head[0]
        extra = struct.unpack_from("<H", head, 6)[0] * 4
        body = self._read_exact(extra)
        if status != 1:
            reason = bytes(body[: head[1]]).decode("latin-1", "replace")
            raise XError(f"X server refused the connection: {reason or 'no reason given'}")
        vendor_length = struct.unpack_from("<H", body, 16)[0]
        format_count = body[21]
        screen_offset = 32 + _padded(vendor_length) + 8 * format_count
        self.root = struct.unpack_from("<I", body, screen_offset)[0]
        self.screen_width, self.screen_height = struct.unpack_from("<HH", body, screen_offset + 20)

    # --- raw reading ---------------------------------------------------------------------------

    def _read_exact(self, count):
        while len(self._buffer) < count:
            chunk = self._sock.recv(max(65536, count - len(self._buffer)))
            if not chunk:
                raise XError("the X server closed the connection")
            self._buffer += chunk
        data = bytes(self._buffer[:count])
        del self._buffer[:count]
        return data

    def _read_message(self):
        """Reads one reply, error or event from the stream."""
        head = self._read_exact(32)
        kind = head[0]
        if kind == 1:
            extra = struct.unpack_from("<I", head, 4)[0] * 4
            return kind, head + self._read_exact(extra) if extra else head
        if kind != 0:
            self._events.append(Event(kind & 0x7F, head, time.monotonic_ns()))
        return kind, head

    def _request(self, data, expect_reply):
        self._sock.sendall(data)
        self._sequence = (self._sequence + 1) & 0xFFFF
        if not expect_reply:
            return None
        while True:
            kind, message = self._read_message()
            sequence = struct.unpack_from("<H", message, 2)[0]
            if kind == 0:
                raise XError(f"X error code {message[1]} (request sequence {sequence})")
            if kind == 1 and sequence == self._sequence:
                return message

    # --- requests --------------------------------------------------------------------------------

    def watch_top_level_windows(self):
        """Asks for MapNotify/DestroyNotify of every child of the root window."""
        self._request(
            struct.pack("<BxHIII", _CHANGE_WINDOW_ATTRIBUTES, 4, self.root, _CW_EVENT_MASK,
                        _SUBSTRUCTURE_NOTIFY_MASK),
            expect_reply=False)
        self.sync()

    def sync(self):
        """A round trip: everything sent so far has been handled by the server."""
        self._request(struct.pack("<BxH", _GET_INPUT_FOCUS, 1), expect_reply=True)

    def geometry(self, drawable):
        """(x, y, width, height) of a drawable; x and y relative to its parent."""
        reply = self._request(struct.pack("<BxHI", _GET_GEOMETRY, 2, drawable), True)
        return struct.unpack_from("<hhHH", reply, 12)

    def image(self, drawable, x, y, width, height):
        """The pixels of a rectangle as raw ZPixmap bytes (4 bytes a pixel at depth 24)."""
        reply = self._request(
            struct.pack("<BBHIhhHHI", _GET_IMAGE, _Z_PIXMAP, 5, drawable, x, y, width, height,
                        0xFFFFFFFF), True)
        return reply[32:]

    # --- events ----------------------------------------------------------------------------------

    def next_event(self, code, deadline_ns, window=None):
        """The first queued or arriving event with this code (and window, if given), or None when
        the deadline passes. Other events are dropped."""
        while True:
            for index, event in enumerate(self._events):
                if event.code == code and (window is None or event.window == window):
                    del self._events[: index + 1]
                    return event
            self._events.clear()
            remaining = (deadline_ns - time.monotonic_ns()) / 1e9
            if remaining <= 0:
                return None
            if not self._buffer:
                readable, _, _ = select.select([self._sock], [], [], remaining)
                if not readable:
                    return None
            self._read_message()

    def drop_events(self):
        """Forgets every event that has arrived so far."""
        self.sync()
        self._events.clear()


def _padded(length):
    return (length + 3) & ~3


def is_uniform(pixels):
    """True when every 4-byte pixel equals the first one (an unpainted, filled window)."""
    return len(pixels) < 8 or pixels == pixels[:4] * (len(pixels) // 4)
