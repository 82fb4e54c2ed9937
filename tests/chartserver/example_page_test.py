"""The Python binding through a real HTTP request: starts the example page on
a free port of 127.0.0.1, asks for a page and its chart, and stops it.

    python3 example_page_test.py BIN_FOLDER
"""

import os
import re
import select
import subprocess
import sys
import tempfile
import unittest
import urllib.error
import urllib.request

BIN = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.getcwd()
START_SECONDS = 30
REQUEST_SECONDS = 30


class ExamplePageTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.TemporaryDirectory(prefix="pxserver-page-")
        root = self.root.name
        os.makedirs(os.path.join(root, "etc"))
        self.images = os.path.join(root, "images")
        env = dict(os.environ, PXSERVER_SYSCONFDIR=os.path.join(root, "etc"), TMPDIR=root,
                   Temp=root, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=root)
        self.server = subprocess.Popen(
            [sys.executable, os.path.join(BIN, "example_page.py"), "--port", "0",
             "--images", self.images, "--max-requests", "8", "--idle-seconds", "60"],
            stdout=subprocess.PIPE, env=env)
        ready, _, _ = select.select([self.server.stdout], [], [], START_SECONDS)
        self.assertTrue(ready, "the page did not start")
        line = self.server.stdout.readline().decode()
        match = re.match(r"serving (http://127\.0\.0\.1:\d+/)", line)
        self.assertTrue(match, "unexpected first line: %r" % line)
        self.base = match.group(1)

    def tearDown(self):
        self.server.terminate()
        try:
            self.server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()
        self.server.stdout.close()
        self.root.cleanup()

    def get(self, path):
        return urllib.request.urlopen(self.base + path.lstrip("/"), timeout=REQUEST_SECONDS)

    def test_page_embeds_a_chart_that_streams_once(self):
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
        addresses = set()
        for _ in range(3):
            with self.get("/") as page:
                addresses.add(re.search(r'<img src="([^"]+)"', page.read().decode()).group(1))
        self.assertEqual(len(addresses), 3)
        with self.assertRaises(urllib.error.HTTPError) as refused:
            self.get("/images/..%2Fetc%2Fpasswd")
        self.assertEqual(refused.exception.code, 404)


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
