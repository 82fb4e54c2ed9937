#pragma once
// The record blocks of the project file: cell-parameter blocks, boundary
// blocks, per-basin irrigation lists, print items, time-series cell lists and
// grid, crop and crop-basin records. Writers append exactly the file's lines;
// readers match the same labels and raise InputError with the block's own
// texts, which ReadProjectFile turns into a message naming the file.
#include "model/boundarydata.h"
#include "model/cropdata.h"
#include "model/membershipgrid.h"
#include "model/outputselection.h"
#include "model/parameterdata.h"
#include "model/selectiongrid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ProjectTextReader;
class ProjectTextWriter;

// --- writers ------------------------------------------------------------------
void WriteParameterBlock(ProjectTextWriter& out, const ParameterData& parameter);
// Writes record as the block of boundary kind type.
void WriteBoundaryBlock(ProjectTextWriter& out, const BoundaryTypeData& record,
                        const MembershipGrid& cells, int type);
void WriteIrrigationList(ProjectTextWriter& out, int basin, const IrrigationData& list);
void WritePrintItem(ProjectTextWriter& out, const PrintDataItem& item);
void WriteCellList(ProjectTextWriter& out, const OutputParamDataItem& item);
void WriteTimeSeriesGrid(ProjectTextWriter& out, const SelectionGrid& grid);
void WriteCropRecord(ProjectTextWriter& out, const CropParamData& crop);
void WriteCropBasinRecord(ProjectTextWriter& out, const CropBasinData& record);

// --- readers (raise InputError) -------------------------------------------------
// Fills the parameter's layers as they are sized (one layer for a surface
// parameter), then recomputes its value range.
void ReadParameterBlock(ProjectTextReader& in, ParameterData& parameter);
// Reads the block of boundary kind expectedType into record, whose membership
// grid is already sized. fileVersion gates the collector's layers.
void ReadBoundaryBlock(ProjectTextReader& in, BoundaryTypeData& record, MembershipGrid& cells,
                       int expectedType, float fileVersion);
void ReadIrrigationList(ProjectTextReader& in, IrrigationData& list);
void ReadPrintItem(ProjectTextReader& in, PrintDataItem& item);
void ReadCellList(ProjectTextReader& in, OutputParamDataItem& item);
// Reads the grid as it is sized; "OutputParamData: No more input" when the
// input ends before a layer.
void ReadTimeSeriesGrid(ProjectTextReader& in, SelectionGrid& grid);
void ReadCropRecord(ProjectTextReader& in, CropParamData& crop);
void ReadCropBasinRecord(ProjectTextReader& in, CropBasinData& record);

// --- shared by the readers ----------------------------------------------------
// Least text one record of each kind can occupy (its label keys, delimiters,
// and values of at least one digit and one separator each): the bound of the
// record counts read from a file.
constexpr uint64_t MinBoundaryTextBytes = 13 + 5 + 19 + 3 + 6; // name, color, displayed
constexpr uint64_t MinIrrigationItemTextBytes = 15 + 1 + 5 * 2;
constexpr uint64_t MinPrintItemTextBytes = 30 + 1 + 3 * 2;
constexpr uint64_t MinCropTextBytes = 19 + 1 + 10 * 2;
constexpr uint64_t MinCropBasinTextBytes = 15 + 1 + 2;
constexpr uint64_t MinValueTextBytes = 2; // a digit and a separator

// Text with spaces, tabs, CR and LF removed at the front (and the back).
std::string TrimLeading(std::string_view text);
std::string TrimBoth(std::string_view text);

// Reads one value of the item whose label is shown as shownLabel ("porosity
// =") and raises the item's parse error when there is no number.
double ReadDoubleOf(ProjectTextReader& in, std::string_view shownLabel);
int32_t ReadIntOf(ProjectTextReader& in, std::string_view shownLabel);

// Reads a record count of the item shown as shownLabel. A count is rejected
// (InputError) when it is negative or when the rest of the input could not
// hold that many records of at least minBytesPerRecord characters each, so a
// damaged count never turns into a huge allocation.
int32_t ReadCountOf(ProjectTextReader& in, std::string_view shownLabel, uint64_t minBytesPerRecord);
// The same test for a count already read.
void CheckCount(const ProjectTextReader& in, int64_t count, std::string_view shownLabel,
                uint64_t minBytesPerRecord);

} // namespace korva
