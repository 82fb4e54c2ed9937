#pragma once
// Rough bytes held by a model or its outputs, for the bound on the undo history.
#include <cstddef>

namespace korva {

class GridData;
struct OutputStore;

std::size_t ModelBytes(const GridData& grid);
std::size_t OutputBytes(const OutputStore& outputs);

} // namespace korva
