// PXServerProp's trace lines and its pass-through of chart properties.
#include "componenttestenv.h"
#include "pxerror.h"
#include "pxserverimage.h"
#include "pxserverprop.h"

#include <gmock/gmock.h>

namespace korva::pxserver::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class TraceTest : public ComponentTestEnv {
protected:
    // The lines an access traces, without those of the object's creation.
    template <typename Body> std::vector<std::string> LinesOf(Body&& body) {
        ClearTrace();
        body();
        return TraceLines();
    }
};

TEST_F(TraceTest, CreationAndReleaseTraceTheirStepsInOrder) {
    TraceOn();
    { PXServerProp prop; }
    EXPECT_THAT(TraceLines(), ElementsAre("Form_Initialize()", "Form_Load()", std::string(80, '='),
                                          "Class_Initialize(), Before Form Load",
                                          "Class_Initialize() in PXPropVB",
                                          "Session Name = ", "Class_Terminate() in PXPropVB",
                                          "ClsEnd()", "Deleted Session( )", "Form_QueryUnload()",
                                          "Form_Unload()", "Form_Terminate()"));
}

TEST_F(TraceTest, TraceClassKeyTurnsTracingOnWhenNotEmpty) {
    { PXServerProp prop; }
    EXPECT_FALSE(fs::exists(own + "Tracker.txt")) << "no profile file: tracing stays off";
    WriteFile(etc + "PXPropVB.ini", "[System]\nTraceClass=\n");
    { PXServerProp prop; }
    EXPECT_FALSE(fs::exists(own + "Tracker.txt")) << "an empty value leaves it off";
    WriteFile(etc + "PXPropVB.ini", "[System]\nTraceClass=0\n");
    { PXServerProp prop; }
    EXPECT_TRUE(fs::exists(own + "Tracker.txt")) << "any value, even 0, turns it on";
}

TEST_F(TraceTest, ChartPropertiesTraceNameValueAndSession) {
    TraceOn();
    PXServerProp prop;
    EXPECT_THAT(LinesOf([&] { prop.Put("GraphTitle", std::nullopt, std::string("Sales")); }),
                ElementsAre("Property Let GraphTitle = Sales     "));
    EXPECT_THAT(LinesOf([&] { prop.Put("color", int16_t{3}, std::string("12")); }),
                ElementsAre("Property Let Color(3) = 12     "))
        << "the value is traced as the property's type";
    EXPECT_THAT(LinesOf([&] { prop.Put("Data", int16_t{2}, 2.5); }),
                ElementsAre("Property Let Data(2) = 2.5     "));
    EXPECT_THAT(LinesOf([&] { prop.Put("XAxisMax", std::nullopt, 1e20); }),
                ElementsAre("Property Let XAxisMax = 1e+20     "));
    EXPECT_THAT(LinesOf([&] { prop.Put("EBarValue", std::nullopt, 0.1); }),
                ElementsAre("Property Let EBarValue = 0.1     "))
        << "a Single shows its own shortest digits";
    EXPECT_THAT(LinesOf([&] { prop.Put("ZAxisStyle", std::nullopt, int16_t{2}); }),
                ElementsAre("Property Let ZAxisStyle= 2     "));

    prop.Put("Rotation", std::nullopt, int16_t{45});
    Value rotation;
    EXPECT_THAT(LinesOf([&] { rotation = prop.Get("Rotation", std::nullopt); }),
                ElementsAre("Property Get Rotation = 45     "));
    EXPECT_EQ(std::get<int16_t>(rotation), 45);
    EXPECT_THAT(LinesOf([&] { prop.Get("Color", int16_t{3}); }),
                ElementsAre("Property Get Color(3) = 12     "));

    prop.SetPath(images);
    EXPECT_THAT(LinesOf([&] { prop.Put("GraphTitle", std::nullopt, std::string("Q2")); }),
                ElementsAre("Property Let GraphTitle = Q2     " + prop.SessionName()));
}

TEST_F(TraceTest, PageTextCannotForgeLinesOrFloodTheTrace) {
    TraceOn();
    PXServerProp prop;
    const std::string forged = "Q2\nDeleted Session( /etc/passwd)\r\x01\x7f\tend";
    EXPECT_THAT(LinesOf([&] { prop.Put("GraphTitle", std::nullopt, forged); }),
                ElementsAre("Property Let GraphTitle = Q2\\nDeleted Session( /etc/passwd)"
                            "\\r\\x01\\x7F\\tend     "))
        << "one line, every control character visible";

    const std::string megabyte(1 << 20, 'T');
    const auto lines = LinesOf([&] { prop.Put("GraphTitle", std::nullopt, megabyte); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].size(), 4200u);
    EXPECT_THAT(lines[0], HasSubstr("more bytes]"));
    EXPECT_EQ(std::get<std::string>(prop.Get("GraphTitle", std::nullopt)).size(), megabyte.size())
        << "only the trace is cut, never the value";
}

TEST_F(TraceTest, WidthAndHeightAddTheBorderAndOverflowPast32765) {
    PXServerProp prop;
    prop.Put("Width", std::nullopt, int16_t{400});
    prop.Put("Height", std::nullopt, 300.0);
    EXPECT_EQ(std::get<int16_t>(prop.Form().Graph1().Get("Width", std::nullopt)), 402);
    EXPECT_EQ(std::get<int16_t>(prop.Form().Graph1().Get("Height", std::nullopt)), 302);
    EXPECT_EQ(std::get<int16_t>(prop.Get("Width", std::nullopt)), 400);
    EXPECT_EQ(prop.Form().ScaleMode(), 3) << "sizes are pixels";

    prop.Put("Width", std::nullopt, int16_t{32765});
    for (const Value& tooWide : {Value(int16_t{32766}), Value(int32_t{40000})}) {
        try {
            prop.Put("Width", std::nullopt, tooWide);
            ADD_FAILURE() << "no overflow";
        } catch (const plot::ChartError& e) {
            EXPECT_EQ(e.code(), plot::kErrOverflow);
        }
    }
    EXPECT_EQ(std::get<int16_t>(prop.Get("Width", std::nullopt)), 32765) << "unchanged";
}

TEST_F(TraceTest, RefusedAccessesRaiseTheirErrorsAndChangeNothing) {
    PXServerProp prop;
    auto codeOf = [&](auto&& body) {
        try {
            body();
        } catch (const plot::ChartError& e) { // the component's refusals are the chart's kind
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(codeOf([&] { prop.Put("NoSuchThing", std::nullopt, int16_t{1}); }),
              plot::kErrUnknownMember);
    EXPECT_EQ(codeOf([&] { prop.Put("CtlVersion", std::nullopt, std::string("x")); }),
              plot::kErrReadOnly);
    EXPECT_EQ(codeOf([&] { prop.Put("Color", std::nullopt, int16_t{1}); }),
              plot::kErrArgumentCount);
    EXPECT_EQ(codeOf([&] { prop.Get("GraphTitle", int16_t{1}); }), plot::kErrArgumentCount);
    EXPECT_EQ(codeOf([&] { prop.Put("XAxisMin", std::nullopt, std::string("abc")); }),
              plot::kErrTypeMismatch);
    prop.Put("Rotation", std::nullopt, int16_t{30});
    EXPECT_EQ(codeOf([&] { prop.Put("Rotation", std::nullopt, int16_t{-1}); }), 380)
        << "the chart's own error reaches the page";
    EXPECT_EQ(std::get<int16_t>(prop.Get("Rotation", std::nullopt)), 30);
}

TEST_F(TraceTest, HeldPropertiesTraceTheirOwnLines) {
    TraceOn();
    PXServerProp prop;
    EXPECT_THAT(LinesOf([&] { prop.Put("URL", std::nullopt, std::string("/charts/")); }),
                ElementsAre("Property Let URL = /charts/     "));
    EXPECT_THAT(LinesOf([&] { prop.Get("OutPut", std::nullopt); }),
                ElementsAre("Property Get OutPut = .JPG     "));
    EXPECT_THAT(LinesOf([&] { prop.Put("KeepSeconds", std::nullopt, int16_t{5}); }),
                ElementsAre("Property Let KeepSeconds = 5     "));
    EXPECT_THAT(LinesOf([&] { prop.Put("DTCSetSession", std::nullopt, true); }), ElementsAre())
        << "the session mode is not traced";
    EXPECT_EQ(prop.DTCSetSession(), -1) << "True is mode -1";
    EXPECT_THAT(LinesOf([&] { prop.Put("TraceClass", std::nullopt, false); }),
                ElementsAre("Property Let TraceClass = False     "))
        << "traced while the old flag was on";
    EXPECT_THAT(LinesOf([&] { prop.Put("URL", std::nullopt, std::string("x/")); }), ElementsAre());
    EXPECT_THAT(LinesOf([&] { prop.Put("TraceClass", std::nullopt, true); }),
                ElementsAre("Property Let TraceClass = True     "));
}

TEST_F(TraceTest, PathStartsOneSessionAndTracesItTwice) {
    TraceOn();
    PXServerProp prop;
    const auto lines = LinesOf([&] { prop.Put("Path", std::nullopt, images); });
    const std::string session = prop.SessionName();
    ASSERT_FALSE(session.empty());
    EXPECT_EQ(session.rfind(images + "SES", 0), 0u) << "the session lives in the Path folder";
    EXPECT_THAT(lines,
                ElementsAre("Property Let Path = " + images + "     ",
                            "ClsStart(True, " + images + ")", "ClsStart(), Path = " + session,
                            "Property Let Path = " + images + "     " + session));
    prop.Put("Path", std::nullopt, tmp);
    EXPECT_EQ(prop.SessionName(), session) << "a second Path keeps the session";
    EXPECT_EQ(prop.Path(), tmp);
}

TEST_F(TraceTest, ImageSenderTracesItsProperties) {
    PXServerImage image;
    EXPECT_THAT(LinesOf([&] { image.Put("DefaultImg", std::nullopt, std::string("a.gif")); }),
                ElementsAre())
        << "off until TraceClass is set";
    EXPECT_THAT(LinesOf([&] { image.Put("TraceClass", std::nullopt, true); }),
                ElementsAre("Property Let TraceClass = True"));
    EXPECT_THAT(LinesOf([&] { image.Get("DefaultImg", std::nullopt); }),
                ElementsAre("Property Get DefaultImg = a.gif"));
}

} // namespace
} // namespace korva::pxserver::test
