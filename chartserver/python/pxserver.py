"""pxserver: the KORVA chart server component for Python pages.

    import pxserver
    p = pxserver.PXServerProp()
    p.GraphTitle = "Sales"
    p.Color[3] = 12          # indexed property
    v = p.Data[3]
    address = p.DrawGraph("")   # "images/PX1A2", or a text starting "Error: "

Objects are reached by member name, as page scripts do; errors of the
component raise PXServerError with its number and message. The module loads
libpxserver.so from its own folder, else from the path in PXSERVER_LIBRARY
(the library file, or the folder that holds it).
"""

import ctypes
import email.utils
import operator
import os
import time

__all__ = [
    "PXServerError",
    "PXServerProp",
    "PXServerImage",
    "Loader",
    "Deleter",
    "create",
    "WSGIResponse",
    "version",
]

# The numbers of pxserver.h (pxs_type, pxs_member, PXS_ERR_...); the tests
# compare them with the header.
_EMPTY, _BOOLEAN, _INTEGER, _LONG, _SINGLE, _DOUBLE, _TEXT, _OBJECT, _RESPONSE = range(9)
_MEMBER_NONE, _MEMBER_PROPERTY, _MEMBER_INDEXED, _MEMBER_METHOD = range(4)
ERR_INVALID_CALL = 5
ERR_OVERFLOW = 6
ERR_OUT_OF_MEMORY = 7
ERR_SUBSCRIPT = 9
ERR_TYPE_MISMATCH = 13
ERR_INTERNAL = 51
ERR_FILE_NOT_FOUND = 53
ERR_FILE_ACCESS = 75
ERR_OBJECT_RELEASED = 91
ERR_INVALID_VALUE = 380
ERR_READ_ONLY = 383
ERR_CANNOT_CREATE = 429
ERR_UNKNOWN_MEMBER = 438
ERR_ARGUMENT_COUNT = 450
ERR_DRAW_FAILED = 481
# The major version of pxserver.h this binding speaks; another major version
# of the library has another ABI and is not loaded.
VERSION_MAJOR = 1
_INDEX_MIN, _INDEX_MAX = -32768, 32767


class PXServerError(Exception):
    """An error raised by the component: number and message, as pages see them."""

    def __init__(self, number, message):
        super().__init__("%d, %s" % (number, message))
        self.number = number
        self.message = message


def _candidates():
    here = os.path.dirname(os.path.abspath(__file__))
    yield os.path.join(here, "libpxserver.so")
    named = os.environ.get("PXSERVER_LIBRARY")
    if named:
        yield os.path.join(named, "libpxserver.so") if os.path.isdir(named) else named


def _load_library():
    tried = []
    for path in _candidates():
        if not os.path.isfile(path):
            tried.append(path + " (missing)")
            continue
        try:
            library = ctypes.CDLL(path)
        except OSError as error:
            tried.append("%s (%s)" % (path, error))
            continue
        try:
            library.pxs_version.restype = ctypes.c_int32
            major = library.pxs_version() // 10000
        except AttributeError:
            major = 0  # a library older than the version query
        if major != VERSION_MAJOR:
            tried.append("%s (version %d, this binding needs %d)" % (path, major, VERSION_MAJOR))
            continue
        return library
    raise ImportError("pxserver: cannot load libpxserver.so; tried " + "; ".join(tried))


_lib = _load_library()
_p = ctypes.c_void_p

_SetContentType = ctypes.CFUNCTYPE(ctypes.c_int, _p, ctypes.c_char_p)
_SetExpires = ctypes.CFUNCTYPE(ctypes.c_int, _p, ctypes.c_int32)
_SetBuffer = ctypes.CFUNCTYPE(ctypes.c_int, _p, ctypes.c_int)
_BinaryWrite = ctypes.CFUNCTYPE(ctypes.c_int, _p, ctypes.POINTER(ctypes.c_ubyte), ctypes.c_size_t)
_Flush = ctypes.CFUNCTYPE(ctypes.c_int, _p)


class _ResponseCallbacks(ctypes.Structure):
    _fields_ = [
        ("context", _p),
        ("set_content_type", _SetContentType),
        ("set_expires", _SetExpires),
        ("set_buffer", _SetBuffer),
        ("binary_write", _BinaryWrite),
        ("flush", _Flush),
    ]


def _declare(name, restype, *argtypes):
    function = getattr(_lib, name)
    function.restype = restype
    function.argtypes = list(argtypes)
    return function


_object_new = _declare("pxs_object_new", ctypes.c_int, ctypes.c_char_p, ctypes.POINTER(_p))
_object_delete = _declare("pxs_object_delete", None, _p)
_describe = _declare("pxs_describe", ctypes.c_int, _p, ctypes.c_char_p, ctypes.POINTER(ctypes.c_int))
_get = _declare("pxs_get", ctypes.c_int, _p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int16, _p)
_put = _declare("pxs_put", ctypes.c_int, _p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int16, _p)
_call = _declare("pxs_call", ctypes.c_int, _p, ctypes.c_char_p, ctypes.POINTER(_p), ctypes.c_size_t, _p)
_last_error = _declare("pxs_last_error", ctypes.c_char_p)
_value_new = _declare("pxs_value_new", _p)
_value_delete = _declare("pxs_value_delete", None, _p)
_value_type = _declare("pxs_value_type", ctypes.c_int, _p)
_value_set_empty = _declare("pxs_value_set_empty", None, _p)
_value_set_boolean = _declare("pxs_value_set_boolean", None, _p, ctypes.c_int)
_value_set_integer = _declare("pxs_value_set_integer", None, _p, ctypes.c_int16)
_value_set_long = _declare("pxs_value_set_long", None, _p, ctypes.c_int32)
_value_set_double = _declare("pxs_value_set_double", None, _p, ctypes.c_double)
_value_set_text = _declare("pxs_value_set_text", ctypes.c_int, _p, ctypes.c_char_p, ctypes.c_size_t)
_value_set_object = _declare("pxs_value_set_object", None, _p, _p)
_value_set_response = _declare("pxs_value_set_response", None, _p, ctypes.POINTER(_ResponseCallbacks))
_value_to_boolean = _declare("pxs_value_to_boolean", ctypes.c_int, _p, ctypes.POINTER(ctypes.c_int))
_value_to_long = _declare("pxs_value_to_long", ctypes.c_int, _p, ctypes.POINTER(ctypes.c_int32))
_value_to_double = _declare("pxs_value_to_double", ctypes.c_int, _p, ctypes.POINTER(ctypes.c_double))
_value_text = _declare("pxs_value_text", ctypes.POINTER(ctypes.c_char), _p, ctypes.POINTER(ctypes.c_size_t))
_value_get_object = _declare("pxs_value_get_object", ctypes.c_int, _p, ctypes.POINTER(_p))


_version_text = _declare("pxs_version_text", ctypes.c_char_p)


def version():
    """The loaded library's version, "MAJOR.MINOR.PATCH"."""
    return _version_text().decode("ascii")


def _check(code):
    if code != 0:
        message = _last_error() or b""
        raise PXServerError(code, message.decode("utf-8", "replace"))


def _name(text):
    return text.encode("utf-8") if isinstance(text, str) else bytes(text)


class _Value:
    """One pxs_value, deleted with this object. keep holds what the C side
    points at (response callbacks) while the value is alive."""

    def __init__(self, python_value=None, set_value=False):
        self.handle = _value_new()
        if not self.handle:
            raise MemoryError("pxserver: out of memory")
        self.keep = None
        if set_value:
            self.set(python_value)

    def __del__(self):
        try:
            if getattr(self, "handle", None):
                _value_delete(self.handle)
                self.handle = None
        except Exception:  # noqa: BLE001 - at interpreter exit the library may be gone
            pass

    def set(self, v):
        h = self.handle
        if v is None:
            _value_set_empty(h)
        elif isinstance(v, bool):
            _value_set_boolean(h, 1 if v else 0)
        elif isinstance(v, int):
            if -32768 <= v <= 32767:
                _value_set_integer(h, v)
            elif -(2 ** 31) <= v < 2 ** 31:
                _value_set_long(h, v)
            else:
                _value_set_double(h, float(v))
        elif isinstance(v, float):
            _value_set_double(h, v)
        elif isinstance(v, (str, bytes, bytearray)):
            data = v.encode("utf-8") if isinstance(v, str) else bytes(v)
            _check(_value_set_text(h, data, len(data)))
        elif isinstance(v, _Object):
            _value_set_object(h, v._handle)
        elif hasattr(v, "BinaryWrite"):
            self.keep = _response_callbacks(v)
            _value_set_response(h, ctypes.byref(self.keep[0]))
        else:
            raise TypeError("pxserver: cannot pass a %s" % type(v).__name__)

    def get(self):
        h = self.handle
        kind = _value_type(h)
        if kind == _EMPTY:
            return None
        if kind == _BOOLEAN:
            out = ctypes.c_int()
            _check(_value_to_boolean(h, ctypes.byref(out)))
            return bool(out.value)
        if kind in (_INTEGER, _LONG):
            out = ctypes.c_int32()
            _check(_value_to_long(h, ctypes.byref(out)))
            return out.value
        if kind in (_SINGLE, _DOUBLE):
            out = ctypes.c_double()
            _check(_value_to_double(h, ctypes.byref(out)))
            return out.value
        if kind == _TEXT:
            size = ctypes.c_size_t()
            text = _value_text(h, ctypes.byref(size))
            return ctypes.string_at(text, size.value).decode("utf-8", "surrogateescape")
        if kind == _OBJECT:
            handle = _p()
            _check(_value_get_object(h, ctypes.byref(handle)))
            return _Object(handle)
        return None


def _response_callbacks(response):
    """C callbacks over a response object with ContentType, Expires, Buffer,
    BinaryWrite and Flush. A failing member makes the call return 1."""

    def guarded(action):
        def callback(*args):
            try:
                action(*args[1:])
                return 0
            except Exception:  # noqa: BLE001 - any failure is reported to the component
                return 1

        return callback

    def write(data, size):
        response.BinaryWrite(ctypes.string_at(data, size) if size else b"")

    functions = (
        _SetContentType(guarded(lambda t: setattr(response, "ContentType", t.decode("utf-8")))),
        _SetExpires(guarded(lambda m: setattr(response, "Expires", m))),
        _SetBuffer(guarded(lambda b: setattr(response, "Buffer", bool(b)))),
        _BinaryWrite(guarded(write)),
        _Flush(guarded(lambda: response.Flush() if hasattr(response, "Flush") else None)),
    )
    return (_ResponseCallbacks(None, *functions), functions)


def _index(index):
    """An index as the component takes it: a 16-bit Integer. ctypes would wrap
    a larger one silently (65539 would address 3), so it is refused here with
    the component's own error, as a page script's runtime refuses it."""
    if index is None:
        return None
    if isinstance(index, float):
        if index != index or index in (float("inf"), float("-inf")):
            raise PXServerError(ERR_SUBSCRIPT, "Subscript out of range: %r" % index)
        index = round(index)  # half to even, as the component rounds numbers
    else:
        try:
            index = operator.index(index)
        except TypeError:
            raise PXServerError(ERR_TYPE_MISMATCH, "Type mismatch: index %r" % (index,)) from None
    if not _INDEX_MIN <= index <= _INDEX_MAX:
        raise PXServerError(ERR_SUBSCRIPT, "Subscript out of range: %d" % index)
    return index


class _Indexed:
    """An indexed property: obj.Color[3] = 12, v = obj.Data[3]."""

    def __init__(self, owner, name):
        self._owner = owner
        self._name = name

    def __getitem__(self, index):
        return self._owner._get(self._name, index)

    def __setitem__(self, index, value):
        self._owner._put(self._name, index, value)


class _Object:
    """An object of the component, reached by member name."""

    def __init__(self, handle):
        object.__setattr__(self, "_handle", handle)

    def close(self):
        """Releases the object now (a PXServerProp then ends its session)."""
        handle = self.__dict__.get("_handle")
        if handle:
            object.__setattr__(self, "_handle", None)
            _object_delete(handle)

    def __del__(self):
        try:
            self.close()
        except Exception:  # noqa: BLE001 - at interpreter exit the library may be gone
            pass

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _alive(self):
        if not self._handle:
            raise PXServerError(ERR_OBJECT_RELEASED, "Object variable not set: the object was released")
        return self._handle

    def _kind(self, name):
        kind = ctypes.c_int()
        _check(_describe(self._alive(), _name(name), ctypes.byref(kind)))
        return kind.value

    def _get(self, name, index=None):
        index = _index(index)
        result = _Value()
        _check(_get(self._alive(), _name(name), index is not None, index or 0, result.handle))
        return result.get()

    def _put(self, name, index, value):
        index = _index(index)
        v = _Value(value, True)
        _check(_put(self._alive(), _name(name), index is not None, index or 0, v.handle))

    def _call(self, name, *args):
        values = [_Value(a, True) for a in args]
        array = (_p * max(1, len(values)))(*[v.handle for v in values])
        result = _Value()
        _check(_call(self._alive(), _name(name), array, len(values), result.handle))
        return result.get()

    def __getattr__(self, name):
        if name.startswith("__"):
            raise AttributeError(name)
        kind = self._kind(name)
        if kind == _MEMBER_PROPERTY:
            return self._get(name)
        if kind == _MEMBER_INDEXED:
            return _Indexed(self, name)
        if kind == _MEMBER_METHOD:
            return lambda *args: self._call(name, *args)
        raise AttributeError("%s has no member %s" % (type(self).__name__, name))

    def __setattr__(self, name, value):
        if name.startswith("_"):
            object.__setattr__(self, name, value)
            return
        kind = self._kind(name)
        if kind == _MEMBER_NONE:
            raise AttributeError("%s has no member %s" % (type(self).__name__, name))
        if kind == _MEMBER_INDEXED:
            raise PXServerError(ERR_ARGUMENT_COUNT, "%s is indexed: write %s[index] = value" % (name, name))
        self._put(name, None, value)


def create(class_id):
    """Creates any object of the component by class identifier."""
    handle = _p()
    _check(_object_new(_name(class_id), ctypes.byref(handle)))
    return _Object(handle)


def PXServerProp():
    return create("PXServer.PXServerProp")


def PXServerImage():
    return create("PXServer.PXServerImage")


def Loader():
    return create("PXServer.Loader")


def Deleter():
    return create("PXServer.Deleter")


class WSGIResponse:
    """The page host's response object for a WSGI application: SendImage
    fills it, finish() hands it to the server.

        response = pxserver.WSGIResponse()
        pxserver.PXServerImage().SendImage(response, path, False, 0)
        return response.finish(start_response)
    """

    def __init__(self):
        self.ContentType = "text/html"
        self.Expires = None  # minutes
        self.Buffer = False
        self.chunks = []

    def BinaryWrite(self, data):
        self.chunks.append(bytes(data))

    def Write(self, text):
        self.chunks.append(text.encode("utf-8"))

    def Flush(self):
        pass  # the whole answer goes out in finish()

    @property
    def written(self):
        return bool(self.chunks)

    def finish(self, start_response, status="200 OK"):
        body = b"".join(self.chunks)
        headers = [("Content-Type", self.ContentType), ("Content-Length", str(len(body)))]
        if self.Expires is not None:
            when = time.time() + 60 * int(self.Expires)
            headers.append(("Expires", email.utils.formatdate(when, usegmt=True)))
        start_response(status, headers)
        return [body]
