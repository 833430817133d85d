#!/usr/bin/env python3
"""probe_ui.py SOCKET SECONDS

Asks the running program "ping" through its instance socket every 20 ms for SECONDS and prints the
longest time, in whole milliseconds, that its user-interface thread took to answer "pong". A probe that
gets no answer within 10 s counts as 10000.
"""
import socket
import sys
import time


def longest_answer_ms(path, seconds):
    worst = 0.0
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        start = time.monotonic()
        try:
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
                connection.settimeout(10)
                connection.connect(path)
                connection.sendall(b"ping\n")
                answer = b""
                while not answer.endswith(b"\n"):
                    chunk = connection.recv(64)
                    if not chunk:
                        break
                    answer += chunk
            took = time.monotonic() - start if answer.strip() == b"pong" else 10.0
        except OSError:
            took = 10.0
        worst = max(worst, took)
        time.sleep(0.02)
    return int(worst * 1000)


if __name__ == "__main__":
    if len(sys.argv) == 3:
        print(longest_answer_ms(sys.argv[1], float(sys.argv[2])))
    else:
        sys.exit(__doc__)
