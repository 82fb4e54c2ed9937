"""Example page: draws a chart for every request on the standard library's
WSGI server, embeds its address in the page and streams the image with
PXServerImage.SendImage, which deletes it once sent.

    python3 example_page.py --port 8080            # http://127.0.0.1:8080/
    python3 example_page.py --port 0 --max-requests 10

It listens on 127.0.0.1 only. The first line it prints is the address it
serves ("serving http://127.0.0.1:PORT/").

Every chart is drawn in a session of its own (DTCSetSession -1: ending the
session deletes its files). Fetching the image ends its session at once; an
image no browser fetched is deleted when its session ends after
--keep-seconds, and every session still open is ended when the server stops.
Requests are served on threads of their own (at most --max-clients at once),
and a request that is not complete within --request-seconds is cut off, so
one slow or stalled client never holds up the others.
"""

import argparse
import html
import math
import os
import re
import signal
import socket
import sys
import tempfile
import threading
import time
from socketserver import ThreadingMixIn
from wsgiref.simple_server import WSGIRequestHandler, WSGIServer, make_server

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pxserver  # noqa: E402

IMAGE_ROUTE = "/images/"
IMAGE_NAME = re.compile(r"^PX[0-9A-F]{1,4}\.JPG$")
SESSION_MODE_DELETE_FILES = -1


class ImageSessions:
    """The sessions of drawn images that no browser has fetched yet, each
    with the time it ends. Shared by the request threads and the sweeper."""

    def __init__(self, folder, keep_seconds):
        self.folder = folder
        self.keep_seconds = keep_seconds
        self.lock = threading.Lock()
        self.by_image = {}  # image file name -> (session, deadline)
        self.loader = pxserver.Loader()  # used under the lock only

    def start(self):
        with self.lock:
            session = self.loader.ClsStart(False, self.folder)
        if not session:
            raise RuntimeError("no session file could be made in " + self.folder)
        return session

    def hold(self, image_name, session):
        with self.lock:
            self.by_image[image_name] = (session, time.monotonic() + self.keep_seconds)

    def _end(self, session):
        with self.lock:
            self.loader.ClsEnd(session, SESSION_MODE_DELETE_FILES, False, 0)

    def end(self, session):
        self._end(session)

    def fetched(self, image_name):
        """Ends the session of an image just sent (its placeholder goes too)."""
        with self.lock:
            entry = self.by_image.pop(image_name, None)
        if entry:
            self._end(entry[0])

    def sweep(self, now=None):
        """Ends the sessions whose keep time is over; returns how many."""
        now = time.monotonic() if now is None else now
        with self.lock:
            due = [name for name, (_, deadline) in self.by_image.items() if deadline <= now]
            sessions = [self.by_image.pop(name)[0] for name in due]
        for session in sessions:
            self._end(session)
        return len(sessions)

    def end_all(self):
        self.sweep(float("inf"))
        with self.lock:
            self.loader.close()

    def __len__(self):
        with self.lock:
            return len(self.by_image)


def draw_chart(image_folder, title, session):
    """Draws a 4-set line chart recorded in session; returns the image address
    or raises."""
    chart = pxserver.PXServerProp()
    try:
        chart.Path = image_folder
        chart.URL = IMAGE_ROUTE
        chart.OutPut = ".JPG"
        chart.DTCSetSession = SESSION_MODE_DELETE_FILES
        chart.Width = 640
        chart.Height = 480
        chart.GraphTitle = title
        chart.NumSets = 4
        chart.NumPoints = 50
        for s in range(4):
            chart.ThisSet = s
            for i in range(50):
                chart.Data[i] = 10 * (s + 1) + 8 * math.sin(i / 6.0 + s)
        address = chart.DrawGraph(session)
    finally:
        chart.close()  # ends the object's own session, which recorded nothing
    if address.startswith("Error: "):
        raise RuntimeError(address)
    return address + ".JPG"


def make_app(image_folder, sessions):
    def app(environ, start_response):
        path = environ.get("PATH_INFO", "/")
        if path == "/":
            try:
                session = sessions.start()
                try:
                    address = draw_chart(image_folder, "Sales", session)
                except BaseException:
                    sessions.end(session)  # removes whatever the drawing left
                    raise
                sessions.hold(address.rsplit("/", 1)[1], session)
            except (RuntimeError, pxserver.PXServerError) as error:
                start_response("500 Internal Server Error", [("Content-Type", "text/plain")])
                return [str(error).encode("utf-8")]
            page = (
                "<!DOCTYPE html><html><head><title>Chart</title></head><body>"
                '<h1>Sales</h1><img src="%s" width="640" height="480" alt="chart">'
                "</body></html>" % html.escape(address)
            )
            start_response("200 OK", [("Content-Type", "text/html; charset=utf-8")])
            return [page.encode("utf-8")]
        if path.startswith(IMAGE_ROUTE):
            name = path[len(IMAGE_ROUTE):]
            if IMAGE_NAME.match(name):
                response = pxserver.WSGIResponse()
                sender = pxserver.PXServerImage()
                sender.SendImage(response, os.path.join(image_folder, name), False, 0)
                sender.close()
                if response.written:
                    sessions.fetched(name)
                    return response.finish(start_response)
        start_response("404 Not Found", [("Content-Type", "text/plain")])
        return [b"not found"]

    return app


class ThreadedServer(ThreadingMixIn, WSGIServer):
    """One thread per request, at most max_clients at once; server_close()
    waits for the running ones, each bounded by the request time limit."""

    daemon_threads = False
    block_on_close = True
    max_clients = 32
    accepted = 0

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.slots = threading.BoundedSemaphore(self.max_clients)

    def process_request(self, request, client_address):
        self.accepted += 1
        if not self.slots.acquire(blocking=False):
            # Too many at once: refuse this one rather than queue without bound.
            try:
                request.sendall(b"HTTP/1.0 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n")
            except OSError:
                pass
            self.shutdown_request(request)
            return
        super().process_request(request, client_address)

    def process_request_thread(self, request, client_address):
        try:
            super().process_request_thread(request, client_address)
        finally:
            self.slots.release()

    def handle_timeout(self):
        pass  # the serving loop looks at the clock itself


class LimitedHandler(WSGIRequestHandler):
    """Cuts off a request that takes longer than request_seconds in all: the
    socket times out on every read and write, and a watchdog closes it when
    the whole request (a client trickling bytes) runs past the limit."""

    request_seconds = 10.0

    def setup(self):
        self.timeout = self.request_seconds  # StreamRequestHandler sets it on the socket
        super().setup()
        self.watchdog = threading.Timer(self.request_seconds, self._cut_off)
        self.watchdog.daemon = True
        self.watchdog.start()

    def _cut_off(self):
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def finish(self):
        self.watchdog.cancel()
        try:
            super().finish()
        except OSError:
            pass  # the client went away or was cut off

    def handle(self):
        try:
            super().handle()
        except (OSError, ValueError):
            pass  # timed out or cut off: nothing more to answer

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8080, help="0 picks a free port")
    parser.add_argument("--images", help="image folder (default: a new temporary folder)")
    parser.add_argument("--max-requests", type=int, default=0, help="stop after this many (0: never)")
    parser.add_argument("--idle-seconds", type=float, default=0,
                        help="stop after this long without a request (0: never)")
    parser.add_argument("--keep-seconds", type=float, default=180,
                        help="delete an image no browser fetched after this long")
    parser.add_argument("--request-seconds", type=float, default=10,
                        help="cut off a request not complete after this long")
    parser.add_argument("--max-clients", type=int, default=32,
                        help="requests served at once; more are refused with 503")
    args = parser.parse_args()
    for name in ("keep_seconds", "request_seconds"):
        if getattr(args, name) <= 0:
            parser.error("--%s must be more than 0" % name.replace("_", "-"))
    if args.max_clients < 1:
        parser.error("--max-clients must be at least 1")

    image_folder = os.path.abspath(args.images or tempfile.mkdtemp(prefix="pxserver-images-"))
    os.makedirs(image_folder, exist_ok=True)
    sessions = ImageSessions(image_folder + "/", args.keep_seconds)
    LimitedHandler.request_seconds = args.request_seconds
    ThreadedServer.max_clients = args.max_clients
    server = make_server("127.0.0.1", args.port, make_app(image_folder + "/", sessions),
                         server_class=ThreadedServer, handler_class=LimitedHandler)
    # A stop by signal ends the sessions like any other stop.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    server.timeout = 0.25  # how often the loop looks at the clock and the sessions
    print("serving http://127.0.0.1:%d/" % server.server_port, flush=True)
    try:
        last_request = time.monotonic()
        seen = 0
        while args.max_requests <= 0 or server.accepted < args.max_requests:
            server.handle_request()
            now = time.monotonic()
            if server.accepted != seen:
                seen = server.accepted
                last_request = now
            sessions.sweep(now)
            if args.idle_seconds > 0 and now - last_request >= args.idle_seconds:
                break
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()  # waits for the requests still running
        sessions.end_all()


if __name__ == "__main__":
    main()
