#include "chartcontrol.h"

#include "chartcodes.h"
#include "charterrors.h"
#include "chartmodel.h"
#include "chartrenderer.h"
#include "chartsettingsfile.h"
#include "imagewriter.h"
#include "renderservice.h"
#include "replacingfile.h"

#include <fstream>

namespace korva::plot {

struct ChartControl::State {
    ChartModel model;
    // Hot spots of the last drawing, valid while generation is unchanged:
    // writing the map right after the image needs no second drawing.
    uint64_t generation = 0;
    uint64_t hotSpotsGeneration = ~uint64_t{0};
    std::vector<HotSpot> hotSpots;

    void Draw(bool paint, const std::string& imagePath);
    void WriteMap();
    void PerformDrawMode(int mode);
};

namespace {

const PropertyInfo& Lookup(std::string_view name) {
    const PropertyInfo* p = FindProperty(name);
    if (!p)
        throw ChartError(kErrUnknownMember,
                         "Object doesn't support this property or method: " + std::string(name));
    return *p;
}

std::string BaseName(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

void ChartControl::State::Draw(bool paint, const std::string& imagePath) {
    ImageFormat format = ImageFormat::Png;
    if (paint) {
        if (imagePath.empty())
            throw ChartError(kErrFileAccess, "No image file name: set ImageFile before drawing");
        format = FormatOfPath(imagePath);
    }
    const int quality = model.Int("ImageFileCompression");
    RenderResult result;
    // The caller waits, so the model cannot change while the render thread reads it.
    RenderService::Instance().Run([&](ChartRenderer& renderer) {
        result = renderer.Render(model, paint, format != ImageFormat::Gif);
    });
    // Encoding needs no Qt Charts, so it runs on the request thread and the
    // render thread is free for the next chart.
    if (paint) WriteImage(result.image, imagePath, format, quality);
    model.SetSdkInfo(result.sdkInfo);
    hotSpots = std::move(result.hotSpots);
    hotSpotsGeneration = generation;
}

void ChartControl::State::WriteMap() {
    const std::string& path = model.Txt("MapFile");
    if (path.empty())
        throw ChartError(kErrFileAccess, "No map file name: set MapFile before DrawMode 12");
    if (hotSpotsGeneration != generation) Draw(false, {});
    std::string name = model.Txt("GraphName").empty() ? BaseName(path) : model.Txt("GraphName");
    std::string text = MapText(hotSpots, model.Int("MapFormat"), name);
    ReplacingFile out(path);
    if (!out.Ready() || !out.Write(text.data(), text.size()) || !out.Commit(false))
        throw ChartError(kErrFileAccess, "Cannot write map file " + path + ": " + out.Error());
}

void ChartControl::State::PerformDrawMode(int mode) {
    switch (mode) {
    case 0:
    case kDrawClear:
    case kDrawHold:
        return; // nothing is shown headless, so there is nothing to clear or hold
    case kDrawRedraw:
    case kDrawUserRedraw:
        Draw(false, {}); // lays the chart out: SDKInfo and the hot spots follow the data
        return;
    case kDrawWriteImage:
    case kDrawWriteImageFile:
        Draw(true, model.Txt("ImageFile"));
        return;
    case kDrawWriteMap:
        WriteMap();
        return;
    case kDrawSaveSettings:
        SaveChartSettings(model, model.Txt("GraphFile"));
        return;
    case kDrawLoadSettings:
        LoadChartSettings(model, model.Txt("GraphFile"));
        ++generation;
        return;
    case 4:
    case 5:
        throw ChartError(kErrInvalidValue,
                         "DrawMode " + std::to_string(mode) +
                             " (clipboard, printer) is not available without a display");
    default:
        throw ChartError(kErrInvalidValue,
                         "Invalid property value: DrawMode = " + std::to_string(mode));
    }
}

ChartControl::ChartControl() : state_(std::make_unique<State>()) {}
ChartControl::~ChartControl() = default;

const ChartModel& ChartControl::Model() const {
    return state_->model;
}

PropertyValue ChartControl::Get(std::string_view name, std::optional<int> index) const {
    return state_->model.Get(Lookup(name), index);
}

void ChartControl::Set(std::string_view name, std::optional<int> index,
                       const PropertyValue& value) {
    const PropertyInfo& p = Lookup(name);
    PropertyValue converted = ConvertToType(value, p.type);
    std::string_view n = p.name;
    if (n == "DrawMode") {
        int mode = std::get<int16_t>(converted);
        state_->PerformDrawMode(mode);
        state_->model.Set(p, index, converted);
        return;
    }
    state_->model.Set(p, index, converted);
    if (n != "ImageFile" && n != "MapFile") ++state_->generation;
}

} // namespace korva::plot
