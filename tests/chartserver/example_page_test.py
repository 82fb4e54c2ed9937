"""The Python binding through a real HTTP request: starts the example page on
a free port of 127.0.0.1, asks for a page and its chart, and stops it.

    python3 example_page_test.py BIN_FOLDER
"""

import os
import re
import select
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.request

BIN = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.getcwd()
HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "chartserver",
                      "pxserver.h")
START_SECONDS = 30
REQUEST_SECONDS = 30
STOP_SECONDS = 30


class ExamplePageTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.TemporaryDirectory(prefix="pxserver-page-")
        self.server = None

    def start(self, *options):
        root = self.root.name
        os.makedirs(os.path.join(root, "etc"), exist_ok=True)
        self.images = os.path.join(root, "images")
        env = dict(os.environ, PXSERVER_SYSCONFDIR=os.path.join(root, "etc"), TMPDIR=root,
                   Temp=root, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=root)
        self.server = subprocess.Popen(
            [sys.executable, os.path.join(BIN, "example_page.py"), "--port", "0",
             "--images", self.images, "--max-requests", "8", "--idle-seconds", "60"]
            + list(options),
            stdout=subprocess.PIPE, env=env)
        ready, _, _ = select.select([self.server.stdout], [], [], START_SECONDS)
        self.assertTrue(ready, "the page did not start")
        line = self.server.stdout.readline().decode()
        match = re.match(r"serving (http://127\.0\.0\.1:(\d+)/)", line)
        self.assertTrue(match, "unexpected first line: %r" % line)
        self.base = match.group(1)
        self.port = int(match.group(2))

    def stop(self):
        """Stops the server as an operator does (SIGTERM) and waits for it."""
        self.server.terminate()
        try:
            return self.server.wait(timeout=STOP_SECONDS)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()
            self.fail("the page did not stop within %d s" % STOP_SECONDS)

    def tearDown(self):
        if self.server:
            if self.server.poll() is None:
                self.server.kill()
                self.server.wait()
            self.server.stdout.close()
        self.root.cleanup()

    def images_left(self):
        return sorted(n for n in os.listdir(self.images) if n.endswith(".JPG"))

    def page_image(self):
        with self.get("/") as page:
            return re.search(r'<img src="([^"]+)"', page.read().decode()).group(1)

    def get(self, path):
        return urllib.request.urlopen(self.base + path.lstrip("/"), timeout=REQUEST_SECONDS)

    def test_page_embeds_a_chart_that_streams_once(self):
        self.start()
        with self.get("/") as page:
            self.assertEqual(page.status, 200)
            self.assertTrue(page.headers["Content-Type"].startswith("text/html"))
            html = page.read().decode()
        src = re.search(r'<img src="(/images/PX[0-9A-F]{1,4}\.JPG)"', html)
        self.assertTrue(src, html)
        name = src.group(1).rsplit("/", 1)[1]
        self.assertIn(name, os.listdir(self.images))

        with self.get(src.group(1)) as image:
            self.assertEqual(image.status, 200)
            self.assertEqual(image.headers["Content-Type"], "image/JPG")
            self.assertIn("Expires", image.headers)
            data = image.read()
        self.assertEqual(data[:2], b"\xff\xd8", "a JPEG")
        self.assertEqual(data[-2:], b"\xff\xd9", "a whole JPEG")
        self.assertGreater(len(data), 1000)
        self.assertEqual(os.listdir(self.images), [], "sent, then deleted; session ended")

        with self.assertRaises(urllib.error.HTTPError) as again:
            self.get(src.group(1))
        self.assertEqual(again.exception.code, 404)

    def test_each_request_gets_its_own_image(self):
        self.start()
        addresses = set()
        for _ in range(3):
            with self.get("/") as page:
                addresses.add(re.search(r'<img src="([^"]+)"', page.read().decode()).group(1))
        self.assertEqual(len(addresses), 3)
        with self.assertRaises(urllib.error.HTTPError) as refused:
            self.get("/images/..%2Fetc%2Fpasswd")
        self.assertEqual(refused.exception.code, 404)


    def test_unfetched_images_are_deleted_after_their_keep_time(self):
        self.start("--keep-seconds", "1")
        for _ in range(3):
            self.page_image()
        self.assertEqual(len(self.images_left()), 3, "drawn, not yet fetched")
        deadline = time.monotonic() + 20
        while self.images_left() and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertEqual(os.listdir(self.images), [], "images, placeholders and sessions gone")
        self.assertIsNone(self.server.poll(), "still serving")

    def test_unfetched_images_are_deleted_when_the_server_stops(self):
        self.start("--keep-seconds", "600")
        fetched = self.page_image()
        self.page_image()
        self.page_image()
        with self.get(fetched) as image:
            image.read()
        self.assertEqual(len(self.images_left()), 2)
        self.assertEqual(self.stop(), 0)
        self.assertEqual(os.listdir(self.images), [])

    def test_a_stalled_client_neither_blocks_others_nor_stays(self):
        self.start("--request-seconds", "2")
        stalled = socket.create_connection(("127.0.0.1", self.port), timeout=REQUEST_SECONDS)
        try:
            stalled.sendall(b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n")  # never finished
            started = time.monotonic()
            address = self.page_image()
            with self.get(address) as image:
                self.assertEqual(image.read()[:2], b"\xff\xd8")
            self.assertLess(time.monotonic() - started, REQUEST_SECONDS)
            # The server cuts the stalled request off: its connection ends.
            stalled.settimeout(STOP_SECONDS)
            self.assertEqual(stalled.recv(100), b"", "closed without an answer")
        finally:
            stalled.close()

    def test_a_trickling_client_is_cut_off_at_the_request_limit(self):
        self.start("--request-seconds", "2")
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as slow:
            started = time.monotonic()
            closed = False
            for _ in range(40):  # one byte every 0.25 s, never a whole request
                try:
                    slow.sendall(b"X")
                    time.sleep(0.25)
                except OSError:
                    closed = True
                    break
            if not closed:
                slow.settimeout(5)
                try:
                    closed = slow.recv(100) == b""
                except OSError:
                    closed = True
            self.assertTrue(closed)
            self.assertLess(time.monotonic() - started, 9)


class BindingTest(unittest.TestCase):
    """The binding in this process: members by name, indexes, errors."""

    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.TemporaryDirectory(prefix="pxserver-binding-")
        os.environ.update(PXSERVER_SYSCONFDIR=cls.root.name, TMPDIR=cls.root.name,
                          QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=cls.root.name)
        sys.path.insert(0, BIN)
        import pxserver

        cls.pxserver = pxserver

    @classmethod
    def tearDownClass(cls):
        cls.root.cleanup()

    def test_properties_by_name_and_index(self):
        p = self.pxserver.PXServerProp()
        p.GraphTitle = "Sales"
        p.Color[3] = 12
        p.NumPoints = 5
        p.Data[3] = 2.5
        self.assertEqual(p.GraphTitle, "Sales")
        self.assertEqual(p.Color[3], 12)
        self.assertEqual(p.Data[3], 2.5)
        p.Width = 400
        self.assertEqual(p.Width, 400)
        self.assertEqual(p.DTCSetSession, 2)
        p.close()

    def test_errors_carry_the_components_numbers(self):
        p = self.pxserver.create("pxserver.pxserverprop")
        with self.assertRaises(self.pxserver.PXServerError) as overflow:
            p.Width = 32766
        self.assertEqual(overflow.exception.number, 6)
        with self.assertRaises(AttributeError):
            p.NoSuchProperty = 1
        with self.assertRaises(self.pxserver.PXServerError) as indexed:
            p.Color = 1
        self.assertEqual(indexed.exception.number, 450)
        with self.assertRaises(self.pxserver.PXServerError) as unknown:
            self.pxserver.create("PXServer.Nothing")
        self.assertEqual(unknown.exception.number, 429)
        p.close()
        with self.assertRaises(self.pxserver.PXServerError):
            p.GraphTitle = "released"

    def test_type_member_error_and_version_numbers_match_the_header(self):
        with open(HEADER) as header_file:
            header = header_file.read()

        def enum(name):
            body = re.search(r"typedef enum %s \{(.*?)\}" % name, header, re.S).group(1)
            return {key: int(value) for key, value in re.findall(r"(PXS_\w+) = (\d+)", body)}

        px = self.pxserver
        types = enum("pxs_type")
        self.assertEqual(len(types), 9)
        for name, number in types.items():
            self.assertEqual(getattr(px, "_" + name[len("PXS_"):]), number, name)
        members = enum("pxs_member")
        self.assertEqual(len(members), 4)
        for name, number in members.items():
            self.assertEqual(getattr(px, "_" + name[len("PXS_"):]), number, name)

        errors = {"ERR_" + key: int(value)
                  for key, value in re.findall(r"#define PXS_ERR_(\w+) (\d+)", header)}
        bound = {name: getattr(px, name) for name in dir(px) if name.startswith("ERR_")}
        self.assertEqual(bound, errors, "the binding names every error of the header, alike")

        version = {key: int(value)
                   for key, value in re.findall(r"#define PXS_VERSION_(\w+) (\d+)", header)}
        self.assertEqual(px.VERSION_MAJOR, version["MAJOR"])
        self.assertEqual(px.version(), "%(MAJOR)d.%(MINOR)d.%(PATCH)d" % version,
                         "the library loaded is the one the header describes")

    def test_indexes_outside_16_bits_are_refused_not_wrapped(self):
        p = self.pxserver.PXServerProp()
        p.NumPoints = 8
        p.Data[3] = 1.5
        for index in (65539, -65533, 32768, -32769, 2 ** 40):
            with self.assertRaises(self.pxserver.PXServerError) as refused:
                p.Data[index] = 99
            self.assertEqual(refused.exception.number, 9, index)
            self.assertIn("Subscript out of range", refused.exception.message)
            with self.assertRaises(self.pxserver.PXServerError):
                p.Data[index]
        self.assertEqual(p.Data[3], 1.5, "65539 did not write point 3")
        with self.assertRaises(self.pxserver.PXServerError) as typed:
            p.Data["3"] = 1
        self.assertEqual(typed.exception.number, 13)
        p.close()

    def test_drawn_image_streams_through_the_wsgi_response(self):
        folder = os.path.join(self.root.name, "images") + "/"
        os.makedirs(folder, exist_ok=True)
        with self.pxserver.PXServerProp() as p:
            p.Path = folder
            address = p.DrawGraph("")
        self.assertRegex(address, r"^images/PX[0-9A-F]{1,4}$")
        image = folder + address[len("images/"):] + ".JPG"
        response = self.pxserver.WSGIResponse()
        self.pxserver.PXServerImage().SendImage(response, image, False, 10)
        self.assertEqual(response.ContentType, "image/JPG")
        self.assertEqual(response.Expires, 10)
        self.assertTrue(response.Buffer)
        statuses = []
        body = response.finish(lambda status, headers: statuses.append((status, dict(headers))))
        self.assertEqual(body[0][:2], b"\xff\xd8")
        self.assertEqual(statuses[0][1]["Content-Length"], str(len(body[0])))
        self.assertFalse(os.path.exists(image))


if __name__ == "__main__":
    unittest.main()
