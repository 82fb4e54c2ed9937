"""Example page: draws a chart for every request on the standard library's
WSGI server, embeds its address in the page and streams the image with
PXServerImage.SendImage, which deletes it once sent.

    python3 example_page.py --port 8080            # http://127.0.0.1:8080/
    python3 example_page.py --port 0 --max-requests 10

It listens on 127.0.0.1 only. The first line it prints is the address it
serves ("serving http://127.0.0.1:PORT/").
"""

import argparse
import html
import math
import os
import re
import sys
import tempfile
from wsgiref.simple_server import WSGIRequestHandler, WSGIServer, make_server

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pxserver  # noqa: E402

IMAGE_ROUTE = "/images/"
IMAGE_NAME = re.compile(r"^PX[0-9A-F]{1,4}\.JPG$")


def draw_chart(image_folder, title):
    """Draws a 4-set line chart; returns the image address or raises."""
    chart = pxserver.PXServerProp()
    try:
        chart.Path = image_folder  # starts this request's session
        chart.URL = IMAGE_ROUTE
        chart.OutPut = ".JPG"
        chart.Width = 640
        chart.Height = 480
        chart.GraphTitle = title
        chart.NumSets = 4
        chart.NumPoints = 50
        for s in range(4):
            chart.ThisSet = s
            for i in range(50):
                chart.Data[i] = 10 * (s + 1) + 8 * math.sin(i / 6.0 + s)
        address = chart.DrawGraph("")
    finally:
        chart.close()  # ends the session; the image waits for SendImage
    if address.startswith("Error: "):
        raise RuntimeError(address)
    return address + ".JPG"


def make_app(image_folder):
    def app(environ, start_response):
        path = environ.get("PATH_INFO", "/")
        if path == "/":
            try:
                address = draw_chart(image_folder, "Sales")
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
                    return response.finish(start_response)
        start_response("404 Not Found", [("Content-Type", "text/plain")])
        return [b"not found"]

    return app


class BoundedServer(WSGIServer):
    timed_out = False

    def handle_timeout(self):
        self.timed_out = True


class QuietHandler(WSGIRequestHandler):
    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8080, help="0 picks a free port")
    parser.add_argument("--images", help="image folder (default: a new temporary folder)")
    parser.add_argument("--max-requests", type=int, default=0, help="stop after this many (0: never)")
    parser.add_argument("--idle-seconds", type=float, default=0, help="stop after this long without a request")
    args = parser.parse_args()

    image_folder = os.path.abspath(args.images or tempfile.mkdtemp(prefix="pxserver-images-"))
    os.makedirs(image_folder, exist_ok=True)
    server = make_server("127.0.0.1", args.port, make_app(image_folder + "/"),
                         server_class=BoundedServer, handler_class=QuietHandler)
    if args.idle_seconds > 0:
        server.timeout = args.idle_seconds
    print("serving http://127.0.0.1:%d/" % server.server_port, flush=True)
    served = 0
    with server:
        while args.max_requests <= 0 or served < args.max_requests:
            server.handle_request()
            if server.timed_out:
                break
            served += 1


if __name__ == "__main__":
    main()
