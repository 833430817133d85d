#!/usr/bin/env python3
"""Probes for the integration tests.

probe_ui.py SOCKET SECONDS
    Asks the running program "ping" through its instance socket every 20 ms for SECONDS and prints the
    longest time, in whole milliseconds, that its user-interface thread took to answer "pong". A probe
    that gets no answer within 10 s counts as 10000.
probe_ui.py --watch-reads FILE COUNTFILE
    Counts the reads of FILE (inotify IN_ACCESS) and keeps the count in COUNTFILE until killed.
"""
import ctypes
import os
import socket
import struct
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


def watch_reads(path, count_file):
    libc = ctypes.CDLL(None, use_errno=True)
    IN_ACCESS = 0x1
    fd = libc.inotify_init()
    if fd < 0 or libc.inotify_add_watch(fd, path.encode(), IN_ACCESS) < 0:
        sys.exit("inotify failed")
    count = 0
    with open(count_file, "w") as out:
        out.write("0")
    while True:
        data = os.read(fd, 4096)
        offset = 0
        while offset < len(data):
            _, mask, _, length = struct.unpack_from("iIII", data, offset)
            offset += 16 + length
            if mask & IN_ACCESS:
                count += 1
        with open(count_file + ".new", "w") as out:
            out.write(str(count))
        os.replace(count_file + ".new", count_file)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--watch-reads":
        watch_reads(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3:
        print(longest_answer_ms(sys.argv[1], float(sys.argv[2])))
    else:
        sys.exit(__doc__)
