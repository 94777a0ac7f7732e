"""A raw stand-in for the game in console tests: connects to the console on 127.0.0.1:3000,
sends game messages as bytes and reads the console's messages off the wire."""

import socket
import struct
import time


def frame(payload):
    return struct.pack(">I", len(payload)) + payload


def game_message(code, *values):
    return frame(struct.pack(">i", code) + b"".join(struct.pack(">i", v) for v in values))


class GamePeer:
    def __init__(self, timeout=10.0):
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", 3000), timeout=2.0)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        self.buffer = b""

    def send(self, data):
        self.sock.sendall(data)

    def read_payload(self, timeout=5.0):
        """The next payload from the console, or None when the console closed."""
        deadline = time.monotonic() + timeout
        while len(self.buffer) < 4 or len(self.buffer) < 4 + struct.unpack(">I", self.buffer[:4])[0]:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no message from the console")
            self.sock.settimeout(left)
            chunk = self.sock.recv(65536)
            if not chunk:
                return None
            self.buffer += chunk
        length = struct.unpack(">I", self.buffer[:4])[0]
        payload = self.buffer[4:4 + length]
        self.buffer = self.buffer[4 + length:]
        return payload

    def read_ints(self, timeout=5.0):
        payload = self.read_payload(timeout)
        assert payload is not None and len(payload) % 4 == 0, payload
        return list(struct.unpack(">%di" % (len(payload) // 4), payload))

    def close(self):
        self.sock.close()
