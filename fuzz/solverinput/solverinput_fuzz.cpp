// Fuzzes the reference solver from its input set. The first byte chooses the
// model kind (low bit: 0 the 2D, 1 the 3D model); the rest is split at NUL
// bytes into the eight files ".kvi", ".irr", ... ".prn". Whatever the reader
// accepts is simulated for a few days: every output must be computable, and
// water and salt must balance.
#include "files/inputset/inputset.h"
#include "fuzz/common/fuzzinputset.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "model/outputselection.h"
#include "solver/outputquantities.h"
#include "solver/solverstate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

bool Near(double a, double b, double scale) {
    return std::fabs(a - b) <= 1e-6 * (std::fabs(scale) + 1.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    korva::CollectingMessageSink messages;
    korva::ScopedMessageSink scope(messages);
    const int kind = data[0] & 1;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string base = korva::fuzz::WriteFuzzInputSet(rest);
    korva::GridData grid;
    grid.ResetModel(kind);
    korva::InputSetExtras extras;
    if (!korva::ReadModelInputFiles(grid, base, &extras)) return 0;
    const long long cells =
        static_cast<long long>(grid.NumRows()) * grid.NumColumns() * grid.NumLayers();
    if (cells > 20000) return 0;

    const korva::SolverModel model(grid, extras.runDailyET);
    korva::SolverState state(model);
    const double water0 = state.StoredWater();
    const double salt0 = state.StoredSalt();
    korva::DayBalance total;
    const int days = std::min(model.endDay - model.firstDay, 5);
    for (int i = 0; i < days; ++i)
        total.Add(korva::StepDay(model, state));
    const double water1 = state.StoredWater();
    const double salt1 = state.StoredSalt();
    if (!std::isfinite(water1) || !std::isfinite(salt1)) std::abort();
    if (!Near(total.WaterIn() - total.WaterOut(), water1 - water0, water0 + total.WaterIn()))
        std::abort();
    if (!Near(total.SaltIn() - total.SaltOut(), salt1 - salt0, salt0 + total.SaltIn()))
        std::abort();
    for (int code = 0; code < korva::OutputParamCount; ++code) {
        for (int l = 0; l < model.layers; ++l)
            for (int r = 0; r < model.rows; ++r)
                for (int c = 0; c < model.columns; ++c)
                    if (std::isnan(korva::OutputValue(model, state, code, l, r, c))) std::abort();
    }
    return 0;
}
