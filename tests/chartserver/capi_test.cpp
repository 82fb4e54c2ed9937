// The C ABI over the chart double: creation by class identifier, members by
// name and index, values, and errors as numbers with messages.
#include "componenttestenv.h"
#include "pxserver.h"

#include <cstring>
#include <gmock/gmock.h>

namespace korva::pxserver::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct ValueHandle {
    ValueHandle() : value(pxs_value_new()) {}
    ~ValueHandle() { pxs_value_delete(value); }
    std::string Text() const {
        size_t size = 0;
        const char* text = pxs_value_text(value, &size);
        return text ? std::string(text, size) : std::string("<none>");
    }
    pxs_value* value;
};

class CApiTest : public ComponentTestEnv {};

TEST_F(CApiTest, DrivesAChartByName) {
    pxs_object* prop = nullptr;
    ASSERT_EQ(pxs_object_new("pxserver.pxserverprop", &prop), PXS_OK) << pxs_last_error();
    pxs_member kind = PXS_MEMBER_NONE;
    ASSERT_EQ(pxs_describe(prop, "Color", &kind), PXS_OK);
    EXPECT_EQ(kind, PXS_MEMBER_INDEXED);
    ASSERT_EQ(pxs_describe(prop, "DrawGraph", &kind), PXS_OK);
    EXPECT_EQ(kind, PXS_MEMBER_METHOD);
    ASSERT_EQ(pxs_describe(prop, "Nothing", &kind), PXS_OK);
    EXPECT_EQ(kind, PXS_MEMBER_NONE);

    ValueHandle v, result;
    pxs_value_set_text(v.value, "12", 2);
    ASSERT_EQ(pxs_put(prop, "Color", 1, 3, v.value), PXS_OK);
    ASSERT_EQ(pxs_get(prop, "Color", 1, 3, result.value), PXS_OK);
    EXPECT_EQ(pxs_value_type(result.value), PXS_INTEGER);
    int32_t number = 0;
    EXPECT_EQ(pxs_value_to_long(result.value, &number), PXS_OK);
    EXPECT_EQ(number, 12);

    pxs_value_set_long(v.value, 40000);
    EXPECT_EQ(pxs_put(prop, "Width", 0, 0, v.value), 6);
    EXPECT_THAT(pxs_last_error(), HasSubstr("Overflow"));
    EXPECT_EQ(pxs_get(prop, "Bogus", 0, 0, result.value), 438);
    EXPECT_EQ(pxs_value_type(result.value), PXS_INTEGER) << "left unchanged on failure";

    pxs_value_set_text(v.value, images.data(), images.size());
    ASSERT_EQ(pxs_put(prop, "Path", 0, 0, v.value), PXS_OK);
    const pxs_value* args[] = {v.value};
    pxs_value_set_text(v.value, "", 0);
    ASSERT_EQ(pxs_call(prop, "DrawGraph", args, 1, result.value), PXS_OK);
    EXPECT_THAT(result.Text(), StartsWith("images/PX"));
    EXPECT_EQ(pxs_call(prop, "DrawGraph", nullptr, 0, result.value), 450);
    pxs_object_delete(prop);
}

TEST_F(CApiTest, ObjectsTravelInValuesAndStreamsGoThroughCallbacks) {
    pxs_object* loader = nullptr;
    ASSERT_EQ(pxs_object_new("PXServer.Loader", &loader), PXS_OK);
    ValueHandle form;
    ASSERT_EQ(pxs_get(loader, "ClsForm", 0, 0, form.value), PXS_OK);
    pxs_object* formObject = nullptr;
    ASSERT_EQ(pxs_value_get_object(form.value, &formObject), PXS_OK);
    pxs_object_delete(loader);
    ValueHandle scale;
    EXPECT_EQ(pxs_get(formObject, "ScaleMode", 0, 0, scale.value), PXS_OK)
        << "the handle keeps the form alive";
    pxs_object_delete(formObject);
    EXPECT_EQ(pxs_value_get_object(scale.value, &formObject), 13);

    WriteFile(images + "PX3.GIF", "GIF89a");
    struct Sink {
        std::string type, body;
    } sink;
    pxs_response response{};
    response.context = &sink;
    response.set_content_type = [](void* c, const char* t) {
        static_cast<Sink*>(c)->type = t;
        return 0;
    };
    response.binary_write = [](void* c, const unsigned char* b, size_t n) {
        static_cast<Sink*>(c)->body.append(reinterpret_cast<const char*>(b), n);
        return 0;
    };
    pxs_object* sender = nullptr;
    ASSERT_EQ(pxs_object_new("PXServer.PXServerImage", &sender), PXS_OK);
    ValueHandle r, file, keep, expire;
    pxs_value_set_response(r.value, &response);
    const std::string path = images + "PX3.GIF";
    pxs_value_set_text(file.value, path.data(), path.size());
    pxs_value_set_boolean(keep.value, 0);
    pxs_value_set_integer(expire.value, 0);
    const pxs_value* args[] = {r.value, file.value, keep.value, expire.value};
    ASSERT_EQ(pxs_call(sender, "SendImage", args, 4, nullptr), PXS_OK) << pxs_last_error();
    EXPECT_EQ(sink.type, "image/GIF");
    EXPECT_EQ(sink.body, "GIF89a");
    EXPECT_FALSE(fs::exists(path));

    WriteFile(path, "GIF89a");
    response.binary_write = [](void*, const unsigned char*, size_t) { return 1; };
    pxs_value_set_response(r.value, &response);
    EXPECT_EQ(pxs_call(sender, "SendImage", args, 4, nullptr), 75) << "a refusing host is an error";
    EXPECT_TRUE(fs::exists(path)) << "and the image is not deleted unsent";
    pxs_object_delete(sender);

    pxs_object* none = reinterpret_cast<pxs_object*>(0x1);
    EXPECT_EQ(pxs_object_new("PXServer.Nothing", &none), 429);
    EXPECT_EQ(none, reinterpret_cast<pxs_object*>(0x1));
    EXPECT_EQ(pxs_object_new(nullptr, &none), 5);
}

} // namespace
} // namespace korva::pxserver::test
