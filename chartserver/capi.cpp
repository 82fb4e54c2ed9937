// The C ABI of pxserver.h over the component's objects: handles own a
// reference, every failure becomes an error number and a message, and no C++
// exception crosses into the page host.
#include "charterrors.h"
#include "classfactory.h"
#include "dispatchable.h"
#include "pxerror.h"
#include "pxserver.h"
#include "response.h"

#include <memory>
#include <new>
#include <string>

// The header names the same numbers as the engine; a page's C code and the
// component must never disagree on them.
static_assert(PXS_ERR_INVALID_CALL == korva::plot::kErrInvalidCall);
static_assert(PXS_ERR_OVERFLOW == korva::plot::kErrOverflow);
static_assert(PXS_ERR_OUT_OF_MEMORY == korva::plot::kErrOutOfMemory);
static_assert(PXS_ERR_SUBSCRIPT == korva::plot::kErrSubscript);
static_assert(PXS_ERR_TYPE_MISMATCH == korva::plot::kErrTypeMismatch);
static_assert(PXS_ERR_INTERNAL == korva::plot::kErrInternal);
static_assert(PXS_ERR_FILE_NOT_FOUND == korva::plot::kErrFileNotFound);
static_assert(PXS_ERR_FILE_ACCESS == korva::plot::kErrFileAccess);
static_assert(PXS_ERR_OBJECT_RELEASED == korva::plot::kErrObjectReleased);
static_assert(PXS_ERR_INVALID_VALUE == korva::plot::kErrInvalidValue);
static_assert(PXS_ERR_READ_ONLY == korva::plot::kErrReadOnly);
static_assert(PXS_ERR_CANNOT_CREATE == korva::plot::kErrCannotCreate);
static_assert(PXS_ERR_UNKNOWN_MEMBER == korva::plot::kErrUnknownMember);
static_assert(PXS_ERR_ARGUMENT_COUNT == korva::plot::kErrArgumentCount);
static_assert(PXS_ERR_DRAW_FAILED == korva::plot::kErrDrawFailed);

#define PXS_TEXT_OF(x) #x
#define PXS_TEXT(x) PXS_TEXT_OF(x)

struct pxs_object {
    std::shared_ptr<korva::pxserver::Dispatchable> object;
};

namespace {

namespace plot = korva::plot;
using korva::pxserver::PxError;
using korva::pxserver::Value;

// A pxs_response seen as the component's Response.
class CallbackResponse : public korva::pxserver::Response {
public:
    explicit CallbackResponse(const pxs_response& callbacks) : callbacks_(callbacks) {}
    void SetContentType(const std::string& type) override {
        Check(callbacks_.set_content_type, type.c_str());
    }
    void SetExpires(int32_t minutes) override { Check(callbacks_.set_expires, minutes); }
    void SetBuffer(bool buffer) override { Check(callbacks_.set_buffer, buffer ? 1 : 0); }
    void BinaryWrite(const uint8_t* bytes, std::size_t size) override {
        Check(callbacks_.binary_write, bytes, size);
    }
    void Flush() override { Check(callbacks_.flush); }

private:
    template <typename F, typename... A> void Check(F callback, A... args) {
        if (callback == nullptr) return; // a host without this member ignores it
        if (callback(callbacks_.context, args...) != 0)
            throw PxError(plot::kErrFileAccess, "The page's response refused the image");
    }
    pxs_response callbacks_;
};

} // namespace

struct pxs_value {
    Value value;
    mutable std::string text;
    std::unique_ptr<CallbackResponse> response;
};

namespace {

thread_local std::string lastError;

int Fail(int code, const std::string& message) {
    lastError = message;
    return code;
}

template <typename Body> int Guard(Body&& body) {
    try {
        body();
        return PXS_OK;
    } catch (const plot::ChartError& e) { // the component's and the chart's own
        return Fail(e.code(), e.what());
    } catch (const std::bad_alloc&) {
        return Fail(plot::kErrOutOfMemory, "Out of memory");
    } catch (const std::exception& e) {
        return Fail(plot::kErrInternal, std::string("Internal error: ") + e.what());
    } catch (...) {
        return Fail(plot::kErrInternal, "Internal error");
    }
}

int Missing(const char* what) {
    return Fail(plot::kErrInvalidCall,
                std::string("Invalid procedure call or argument: no ") + what);
}

std::optional<int16_t> Index(int hasIndex, int16_t index) {
    return hasIndex != 0 ? std::optional<int16_t>(index) : std::nullopt;
}

void Assign(pxs_value* target, Value value) {
    target->value = std::move(value);
    target->response.reset();
}

} // namespace

extern "C" {

int pxs_object_new(const char* class_id, pxs_object** out) {
    if (class_id == nullptr) return Missing("class identifier");
    if (out == nullptr) return Missing("place for the object");
    return Guard([&] {
        auto object = korva::pxserver::CreateObject(class_id);
        *out = new pxs_object{std::move(object)};
    });
}

void pxs_object_delete(pxs_object* object) {
    try {
        delete object;
    } catch (...) {
        // Releasing never fails the page.
    }
}

int pxs_describe(pxs_object* object, const char* name, pxs_member* kind) {
    if (object == nullptr) return Missing("object");
    if (name == nullptr) return Missing("member name");
    if (kind == nullptr) return Missing("place for the kind");
    return Guard([&] {
        using korva::pxserver::MemberKind;
        const auto found = object->object->Describe(name);
        if (!found)
            *kind = PXS_MEMBER_NONE;
        else if (*found == MemberKind::Property)
            *kind = PXS_MEMBER_PROPERTY;
        else if (*found == MemberKind::IndexedProperty)
            *kind = PXS_MEMBER_INDEXED;
        else
            *kind = PXS_MEMBER_METHOD;
    });
}

int pxs_get(pxs_object* object, const char* name, int has_index, int16_t index, pxs_value* result) {
    if (object == nullptr) return Missing("object");
    if (name == nullptr) return Missing("member name");
    if (result == nullptr) return Missing("place for the value");
    return Guard([&] { Assign(result, object->object->Get(name, Index(has_index, index))); });
}

int pxs_put(pxs_object* object, const char* name, int has_index, int16_t index,
            const pxs_value* value) {
    if (object == nullptr) return Missing("object");
    if (name == nullptr) return Missing("member name");
    if (value == nullptr) return Missing("value");
    return Guard([&] { object->object->Put(name, Index(has_index, index), value->value); });
}

int pxs_call(pxs_object* object, const char* name, const pxs_value* const* args, size_t count,
             pxs_value* result) {
    if (object == nullptr) return Missing("object");
    if (name == nullptr) return Missing("member name");
    if (count > 0 && args == nullptr) return Missing("arguments");
    return Guard([&] {
        std::vector<Value> values;
        values.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            if (args[i] == nullptr)
                throw PxError(plot::kErrInvalidCall, "Invalid procedure call or argument: "
                                                     "argument " +
                                                         std::to_string(i + 1));
            values.push_back(args[i]->value);
        }
        Value returned = object->object->Call(name, values);
        if (result != nullptr) Assign(result, std::move(returned));
    });
}

int32_t pxs_version(void) {
    return PXS_VERSION;
}

const char* pxs_version_text(void) {
    return PXS_TEXT(PXS_VERSION_MAJOR) "." PXS_TEXT(PXS_VERSION_MINOR) "." PXS_TEXT(
        PXS_VERSION_PATCH);
}

const char* pxs_last_error(void) {
    return lastError.c_str();
}

pxs_value* pxs_value_new(void) {
    return new (std::nothrow) pxs_value{};
}

void pxs_value_delete(pxs_value* value) {
    delete value;
}

pxs_type pxs_value_type(const pxs_value* value) {
    if (value == nullptr) return PXS_EMPTY;
    static constexpr pxs_type kTypes[] = {PXS_EMPTY, PXS_BOOLEAN, PXS_INTEGER,
                                          PXS_LONG,  PXS_SINGLE,  PXS_DOUBLE,
                                          PXS_TEXT,  PXS_OBJECT,  PXS_RESPONSE};
    return kTypes[value->value.index()];
}

void pxs_value_set_empty(pxs_value* value) {
    if (value) Assign(value, std::monostate{});
}
void pxs_value_set_boolean(pxs_value* value, int on) {
    if (value) Assign(value, on != 0);
}
void pxs_value_set_integer(pxs_value* value, int16_t number) {
    if (value) Assign(value, number);
}
void pxs_value_set_long(pxs_value* value, int32_t number) {
    if (value) Assign(value, number);
}
void pxs_value_set_single(pxs_value* value, float number) {
    if (value) Assign(value, number);
}
void pxs_value_set_double(pxs_value* value, double number) {
    if (value) Assign(value, number);
}

int pxs_value_set_text(pxs_value* value, const char* text, size_t size) {
    if (value == nullptr) return Missing("value");
    if (text == nullptr && size > 0) return Missing("text");
    return Guard([&] { Assign(value, std::string(text == nullptr ? "" : text, size)); });
}

void pxs_value_set_object(pxs_value* value, pxs_object* object) {
    if (value == nullptr) return;
    if (object == nullptr)
        Assign(value, std::monostate{});
    else
        Assign(value, object->object);
}

void pxs_value_set_response(pxs_value* value, const pxs_response* response) {
    if (value == nullptr) return;
    if (response == nullptr) {
        Assign(value, std::monostate{});
        return;
    }
    auto adapter = std::make_unique<CallbackResponse>(*response);
    value->value = static_cast<korva::pxserver::Response*>(adapter.get());
    value->response = std::move(adapter);
}

int pxs_value_to_boolean(const pxs_value* value, int* out) {
    if (value == nullptr || out == nullptr) return Missing("value");
    return Guard([&] { *out = korva::pxserver::ToBoolean(value->value) ? 1 : 0; });
}

int pxs_value_to_long(const pxs_value* value, int32_t* out) {
    if (value == nullptr || out == nullptr) return Missing("value");
    return Guard([&] { *out = korva::pxserver::ToLong(value->value); });
}

int pxs_value_to_double(const pxs_value* value, double* out) {
    if (value == nullptr || out == nullptr) return Missing("value");
    return Guard([&] { *out = korva::pxserver::ToDouble(value->value); });
}

const char* pxs_value_text(const pxs_value* value, size_t* size) {
    if (value == nullptr) return nullptr;
    try {
        if (const auto* text = std::get_if<std::string>(&value->value)) {
            if (size) *size = text->size();
            return text->c_str();
        }
        value->text = korva::pxserver::ToText(value->value);
        if (size) *size = value->text.size();
        return value->text.c_str();
    } catch (...) {
        return nullptr;
    }
}

int pxs_value_get_object(const pxs_value* value, pxs_object** out) {
    if (value == nullptr || out == nullptr) return Missing("value");
    const auto* object = std::get_if<std::shared_ptr<korva::pxserver::Dispatchable>>(&value->value);
    if (object == nullptr || !*object) return Fail(plot::kErrTypeMismatch, "Type mismatch");
    return Guard([&] { *out = new pxs_object{*object}; });
}

} // extern "C"
